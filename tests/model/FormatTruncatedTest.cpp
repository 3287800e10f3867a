#include "model/FormatTruncated.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>

namespace qv {
namespace {

TEST(FormatTruncated, CutsTowardZero) {
    EXPECT_EQ(FormatTruncated(349.99, 1), "349.9");
    EXPECT_EQ(FormatTruncated(-2.789, 2), "-2.78");
    EXPECT_EQ(FormatTruncated(0.999, 0), "0");
    EXPECT_EQ(FormatTruncated(120.0, 2), "120.00");
    EXPECT_EQ(FormatTruncated(-0.001, 2), "0.00"); // int conversion drops the sign of zero
    EXPECT_DOUBLE_EQ(TruncatedValue(4.6875, 2), 4.68);
}

TEST(FormatTruncated, ValuesBeyondThirtyTwoBitsStayRight) {
    EXPECT_EQ(FormatTruncated(3e7, 2), "30000000.00");
    EXPECT_EQ(FormatTruncated(-5e9, 0), "-5000000000");
    EXPECT_EQ(FormatTruncated(std::numeric_limits<double>::infinity(), 2), "inf");
}

TEST(FormatTruncated, IgnoresTheProcessLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr &&
        std::setlocale(LC_NUMERIC, "fr_FR.UTF-8") == nullptr) {
        GTEST_SKIP() << "no locale with a decimal comma installed";
    }
    EXPECT_EQ(FormatTruncated(2.5, 1), "2.5");
    EXPECT_DOUBLE_EQ(TruncatedValue(2.56, 1), 2.5);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

} // namespace
} // namespace qv
