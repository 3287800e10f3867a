// The luminous opening as the readers take it from the files: its axes in the C frame
// (EULUMDAT length along C90-C270, LM-63 length along 0°-180°), round and spherical
// openings, and sizes no luminaire has.
#include "catalogue/photometry/PhotometricReaders.h"
#include "photometry/PhotometricSamples.h"

#include <gtest/gtest.h>

namespace qv::test {
namespace {

// The sample EULUMDAT file with lines 16-21 (luminous length, width, side heights) given.
std::string LdtWithOpening(const std::vector<std::string>& lines) {
    std::string text = Eulumdat(1, {{300, 200, 10}});
    size_t start = 0;
    for (int i = 1; i < 16; ++i) {
        start = text.find('\n', start) + 1;
    }
    for (const std::string& line : lines) {
        const size_t end = text.find('\n', start);
        text.replace(start, end - start, line);
        start = text.find('\n', start) + 1;
    }
    return text;
}

std::string IesWithOpening(const std::string& sizes) {
    std::string text = kIes2002Bilateral;
    text.replace(text.find("0.3 1.2 0.08"), 12, sizes);
    return text;
}

TEST(LuminousAreaTest, EulumdatOpeningInTheCFrame) {
    PhotometricData data;
    std::string error;
    ASSERT_TRUE(ReadEulumdat(LdtWithOpening({"1000", "316", "1", "2", "3", "4"}), data, error))
        << error;
    EXPECT_EQ(data.luminous.shape, LuminousShape::kBox);
    EXPECT_DOUBLE_EQ(data.luminous.alongC90, 1.0);
    EXPECT_DOUBLE_EQ(data.luminous.alongC0, 0.316);
    EXPECT_DOUBLE_EQ(data.luminous.sides[0], 0.001);
    EXPECT_DOUBLE_EQ(data.luminous.sides[3], 0.004);
    EXPECT_DOUBLE_EQ(data.declaredLor, 0.805); // 80.5 % in the sample
    // Width 0: a round opening of the length as diameter; a negative size is its size, as
    // the body's sizes are.
    ASSERT_TRUE(ReadEulumdat(LdtWithOpening({"-662", "0", "0", "0", "0", "0"}), data, error));
    EXPECT_EQ(data.luminous.shape, LuminousShape::kCylinder);
    EXPECT_DOUBLE_EQ(data.luminous.alongC0, 0.662);
    // No opening given: none (the sample's zeros); the body keeps its sizes.
    ASSERT_TRUE(ReadEulumdat(Eulumdat(1, {{300, 200, 10}}), data, error));
    EXPECT_EQ(data.luminous.shape, LuminousShape::kNone);
    EXPECT_DOUBLE_EQ(data.length, 1.2005);
}

TEST(LuminousAreaTest, EulumdatRefusesAbsurdOpeningsAtTheirLine) {
    PhotometricData data;
    std::string error;
    EXPECT_FALSE(ReadEulumdat(LdtWithOpening({"1e9"}), data, error));
    EXPECT_EQ(error, "16: the luminous length must be within 100 m");
    EXPECT_FALSE(ReadEulumdat(LdtWithOpening({"100", "-1e308"}), data, error));
    EXPECT_EQ(error, "17: the luminous width must be within 100 m");
    EXPECT_FALSE(ReadEulumdat(LdtWithOpening({"100", "10", "0", "0", "0", "inf"}), data, error));
    EXPECT_EQ(error.substr(0, 4), "21: ");
    EXPECT_FALSE(ReadEulumdat(LdtWithOpening({"100", "10", "x"}), data, error));
    EXPECT_EQ(error.substr(0, 4), "18: ");
}

TEST(LuminousAreaTest, Lm63OpeningsAndShapes) {
    PhotometricData data;
    std::string error;
    // Width along 90°-270°, length along 0°-180°, the height on every side.
    ASSERT_TRUE(ReadIes(kIes2002Bilateral, data, error)) << error;
    EXPECT_EQ(data.luminous.shape, LuminousShape::kBox);
    EXPECT_DOUBLE_EQ(data.luminous.alongC0, 1.2);
    EXPECT_DOUBLE_EQ(data.luminous.alongC90, 0.3);
    EXPECT_DOUBLE_EQ(data.luminous.sides[2], 0.08);
    EXPECT_EQ(data.declaredLor, 0.0);
    // Feet, round: negative width = length.
    ASSERT_TRUE(ReadIes(kIes1995Rotational, data, error)) << error;
    EXPECT_EQ(data.luminous.shape, LuminousShape::kCylinder);
    EXPECT_NEAR(data.luminous.alongC0, 0.5 * 0.3048, 1e-12);
    EXPECT_NEAR(data.luminous.sides[1], 0.2 * 0.3048, 1e-12);
    ASSERT_TRUE(ReadIes(IesWithOpening("-0.4 -0.4 -0.4"), data, error));
    EXPECT_EQ(data.luminous.shape, LuminousShape::kSphere);
    // Point sources and shapes not modelled (an ellipse) have no opening.
    for (const char* sizes : {"0 0 0", "-0.3 -0.5 0", "-0.3 0.5 -0.3"}) {
        ASSERT_TRUE(ReadIes(IesWithOpening(sizes), data, error)) << sizes;
        EXPECT_EQ(data.luminous.shape, LuminousShape::kNone) << sizes;
    }
    EXPECT_FALSE(ReadIes(IesWithOpening("0.3 1.2 1e9"), data, error));
    EXPECT_EQ(error, "9: the luminous width, length and height must be within 100 m");
}

} // namespace
} // namespace qv::test
