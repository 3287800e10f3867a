// Photometric files turned into catalogue types: the plane mapping on symmetric cases,
// the normalisation to 1000 lm, the lamp and body data, and the floodlight grid.
#include "catalogue/photometry/CatalogueLuminaireType.h"
#include "calc/outdoor/FloodIntensity.h"
#include "catalogue/photometry/PhotometricReaders.h"
#include "photometry/PhotometricSamples.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv::test {
namespace {

CatalogueLuminaireType Converted(const std::string& text, bool ies = true) {
    PhotometricData data;
    std::string error;
    EXPECT_TRUE(ies ? ReadIes(text, data, error) : ReadEulumdat(text, data, error)) << error;
    CatalogueLuminaireType type;
    EXPECT_TRUE(ToCatalogueType(data, "file-stem", type, error)) << error;
    return type;
}

double At(const IntensityCurve& curve, int degree) {
    EXPECT_DOUBLE_EQ(curve.At(degree).dAngle, degree);
    return curve.At(degree).dLightStrong;
}

TEST(CatalogueLuminaireTypeTest, RotationallySymmetricGivesEqualCurves) {
    const CatalogueLuminaireType type = Converted(kIes1995Rotational);
    ASSERT_EQ(type.curveA.Count(), 91); // every whole degree 0..90
    EXPECT_EQ(type.curveA, type.curveB);
    EXPECT_DOUBLE_EQ(At(type.curveA, 0), 200); // 100 cd × 2 per 1000 lm
    EXPECT_DOUBLE_EQ(At(type.curveA, 15), 180);
    EXPECT_DOUBLE_EQ(At(type.curveA, 90), 0);
    EXPECT_EQ(type.shape, 1);
    EXPECT_DOUBLE_EQ(type.lengthMm, 152.4);
    EXPECT_EQ(type.name, "Downlight");
    EXPECT_EQ(type.model, "file-stem"); // no [LUMCAT]
    EXPECT_EQ(type.lampType, "导入光源");
    EXPECT_EQ(type.lampFlux, 1000);
    EXPECT_EQ(type.lampPower, 20);
    EXPECT_EQ(type.cu.Count(), 300);
    EXPECT_EQ(type.flood.Count(), 0);
    EXPECT_EQ(type.kind, "室内灯具");
}

TEST(CatalogueLuminaireTypeTest, BilateralMapsC90ToCurveA) {
    // Two lamps of 2600 lm: cd per 1000 lm = cd / 5.2. Curve A is the plane along the
    // axis (C90 and its mirror C270), curve B the mean of C0 and C180.
    const CatalogueLuminaireType type = Converted(kIes2002Bilateral);
    EXPECT_NEAR(At(type.curveA, 30), 250 / 5.2, 0.005);
    EXPECT_NEAR(At(type.curveB, 30), (350 + 330) / 2 / 5.2, 0.005);
    EXPECT_NEAR(At(type.curveB, 45), (275 + 255) / 2 / 5.2, 0.005);
    EXPECT_DOUBLE_EQ(type.lengthMm, 1200);
    EXPECT_DOUBLE_EQ(type.widthMm, 300);
    EXPECT_EQ(type.lampType, "T5 28W");
    EXPECT_EQ(type.lampModel, "SYN-2x28");
    EXPECT_EQ(type.lampCount, 2);
    EXPECT_EQ(type.lampFlux, 2600);
    EXPECT_EQ(type.lampPower, 31);
    PhotometricData data;
    std::string error;
    ASSERT_TRUE(ReadIes(kIes2002Bilateral, data, error));
    EXPECT_NEAR(type.downward, TypeCFlux(data) / 5200, 0.001);
    EXPECT_DOUBLE_EQ(type.upward, 0);

    // The same luminaire as EULUMDAT with symmetry 2 and with symmetry 3 (stored planes
    // C90..C270) maps the same planes to the same curves.
    const std::vector<double> c0 = {400, 200, 0};
    const std::vector<double> c90 = {400, 100, 0};
    const std::vector<double> c180 = {400, 300, 0};
    const CatalogueLuminaireType half = Converted(Eulumdat(2, {c0, c90, c180}), false);
    const CatalogueLuminaireType other = Converted(Eulumdat(3, {c90, c180, c0}), false);
    EXPECT_DOUBLE_EQ(At(half.curveA, 45), 100);
    EXPECT_DOUBLE_EQ(At(half.curveB, 45), 250);
    EXPECT_DOUBLE_EQ(At(other.curveA, 45), (100 + 200) / 2.0); // C90 and C270
    EXPECT_DOUBLE_EQ(At(other.curveB, 45), 300);               // C0 mirrors C180
}

TEST(CatalogueLuminaireTypeTest, AbsolutePhotometryIsScaledByItsOwnFlux) {
    const CatalogueLuminaireType type = Converted(kIes2019Absolute);
    // cd per 1000 lm of the luminaire's own integrated flux (945 lm).
    PhotometricData data;
    std::string error;
    ASSERT_TRUE(ReadIes(kIes2019Absolute, data, error));
    const double flux = TypeCFlux(data);
    EXPECT_NEAR(flux, 945, 1);
    EXPECT_NEAR(At(type.curveA, 0), 318.31 * 1000 / flux, 0.005);
    EXPECT_NEAR(type.downward, 1.0, 0.001);
    EXPECT_EQ(type.lampFlux, std::lround(flux));
}

TEST(CatalogueLuminaireTypeTest, FloodlightGridKeepsTheMeasuredAnglesMirrored) {
    const CatalogueLuminaireType type = Converted(kIesTypeB);
    EXPECT_EQ(type.kind, "投光灯");
    EXPECT_EQ(type.cu.Count(), 0);
    ASSERT_EQ(type.flood.Count(), 5 * 4); // lateral -60..60, vertical -20..40
    EXPECT_DOUBLE_EQ(type.flood.At(0).dZXAngle, -60);
    EXPECT_DOUBLE_EQ(type.flood.At(0).dHXAngle, -20);
    // The floodlight calculation reads thousands of candela from the grid.
    EXPECT_DOUBLE_EQ(FloodIntensityAt(type.flood, 0, 0), 20);
    EXPECT_DOUBLE_EQ(FloodIntensityAt(type.flood, -30, 20), 2);
    EXPECT_DOUBLE_EQ(FloodIntensityAt(type.flood, 30, 20), 2);
    // Curves: lateral (A) and vertical (B) through the beam axis, per 1000 lm of 10000 lm.
    EXPECT_DOUBLE_EQ(At(type.curveA, 30), 800);
    EXPECT_DOUBLE_EQ(At(type.curveB, 20), (5000 + 5000) / 2.0 / 10);
}

TEST(CatalogueLuminaireTypeTest, NoFluxIsRefused) {
    PhotometricData data;
    std::string error;
    ASSERT_TRUE(ReadIes(std::string(kIes2019Absolute)
                            .replace(std::string(kIes2019Absolute).find("318.31 225.08 0\n"), 80,
                                     "0 0 0\n0 0 0\n0 0 0\n0 0 0\n0 0 0\n"),
                        data, error))
        << error;
    CatalogueLuminaireType type;
    EXPECT_FALSE(ToCatalogueType(data, "x", type, error));
    EXPECT_EQ(error, "the file gives no luminous flux (no lamp lumens and no light)");
}

} // namespace
} // namespace qv::test
