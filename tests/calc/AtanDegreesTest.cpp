#include "calc/indoor/AtanDegrees.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace qv {
namespace {

// The table must give the whole degrees of the arctangent exactly as the step computes
// them, also for tangents that lie within a few units in the last place of a whole
// degree, where the truncation is decided by the last bit of atan.
TEST(AtanDegreesTest, AgreesWithTheArctangentEverywhere) {
    const AtanDegrees& table = AtanDegrees::Table();
    int checked = 0;
    const auto check = [&](double t) {
        ASSERT_EQ(table.WholeDegreesOf(t), AtanDegrees::Exact(t)) << t;
        ASSERT_EQ(table.WholeDegreesOf(-t), AtanDegrees::Exact(-t)) << -t;
        ++checked;
    };
    for (int k = 0; k <= 90; ++k) {
        double t = std::tan(k * kDegToRad);
        for (int step = 0; step < 64; ++step) {
            t = std::nextafter(t, 0.0);
        }
        for (int step = 0; step < 128; ++step) {
            check(t);
            t = std::nextafter(t, std::numeric_limits<double>::infinity());
        }
    }
    std::mt19937_64 random(12345);
    std::uniform_real_distribution<double> uniform(0.0, 70.0);
    std::uniform_real_distribution<double> exponent(-30.0, 30.0);
    for (int i = 0; i < 200000; ++i) {
        check(uniform(random));
        check(std::pow(10.0, exponent(random)));
    }
    for (const double t :
         {0.0, 1.0, 63.999999, 64.0, 1e300, std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::denorm_min()}) {
        check(t);
    }
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(table.WholeDegreesOf(nan), -1);
    EXPECT_GT(checked, 400000);
}

} // namespace
} // namespace qv
