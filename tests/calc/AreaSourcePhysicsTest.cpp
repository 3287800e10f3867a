// The area-source calculations against numerical integration of the luminance over
// the source, on random sources and points.
#include "calc/AreaSourceQuadrature.h"
#include "calc/indoor/AreaSource.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace qv {
namespace {

// Agreement to 1e-6 of the integral, with a floor for results near 0.
void ExpectAgrees(double computed, double integrated, double L) {
    EXPECT_NEAR(computed, integrated, 1e-6 * std::fabs(integrated) + 1e-9 * L);
}

TEST(AreaSourcePhysics, RandomSourcesAndPointsMatchTheIntegral) {
    std::mt19937 random(20240606);
    auto uniform = [&](double lo, double hi) {
        return std::uniform_real_distribution<>(lo, hi)(random);
    };
    for (int i = 0; i < 150; ++i) {
        // Sizes 0.5 to 20 m, the source 0.3 to 8 m above P, P inside, beside or diagonal,
        // now and then on an x edge or on the line of a y edge.
        const RectSource s{uniform(0.5, 20), uniform(0.5, 20), uniform(1, 2000),
                           uniform(-10, 10), uniform(-10, 10), uniform(1, 10)};
        const test::Rectangle bounds{s.centreX - s.length / 2, s.centreX + s.length / 2,
                                     s.centreY - s.width / 2, s.centreY + s.width / 2};
        AreaPoint p{s.centreX + uniform(-1.2, 1.2) * s.length,
                    s.centreY + uniform(-1.2, 1.2) * s.width, s.height - uniform(0.3, 8)};
        p.x = i % 7 == 3 ? bounds.xmax : p.x;
        p.y = i % 11 == 5 ? bounds.ymin : p.y;
        const double L = s.luminance;
        SCOPED_TRACE(::testing::Message() << "sample " << i);

        ExpectAgrees(RectHorizontal(s, p).result,
                     test::RectIlluminance(bounds, s.height, L, p.x, p.y, p.z, 0, 1), L);

        const double angle = uniform(5, 175);
        const double phi = angle * 3.141592653589793 / 180;
        ExpectAgrees(RectInclined(s, p, angle).result,
                     test::RectIlluminance(bounds, s.height, L, p.x, p.y, p.z, -std::sin(phi),
                                           std::cos(phi)),
                     L);

        // Beside the source in x the whole source lies in front of the vertical plane.
        const double side = i % 2 == 0 ? 1.0 : -1.0;
        p.x = s.centreX + side * (s.length / 2 + uniform(0.01, 10));
        ExpectAgrees(RectVertical(s, p).result,
                     test::RectIlluminance(bounds, s.height, L, p.x, p.y, p.z, -side, 0), L);

        const DiscSource disc{uniform(0.2, 10), L, s.centreX, s.centreY, s.height};
        ExpectAgrees(DiscHorizontal(disc, p).result,
                     test::DiscHorizontalIlluminance(disc.radius, disc.centreX, disc.centreY,
                                                     disc.height, L, p.x, p.y, p.z),
                     L);
    }
}

} // namespace
} // namespace qv
