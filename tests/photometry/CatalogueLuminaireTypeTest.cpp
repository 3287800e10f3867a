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

// An LED luminaire in absolute photometry as manufacturers write them: 192 "lamps" (its
// LEDs), lumens −1, a long description and several catalogue numbers.
std::string AbsoluteLed(const std::string& lumcat, const std::string& luminaire) {
    return "IESNA:LM-63-2002\n"
           "[LUMCAT]" +
           lumcat +
           "\n"
           "[LUMINAIRE]" +
           luminaire +
           "\n"
           "[LAMP]ONE HUNDRED NINETY-TWO WHITE LIGHT EMITTING DIODES (LEDS), BASE-UP.\n"
           "TILT=NONE\n"
           "192 -1 1.5 3 1 1 2 0.4 0.4 0.1\n"
           "1 1 69.64\n"
           "0 45 90\n"
           "0\n"
           "300 200 0\n";
}

TEST(CatalogueLuminaireTypeTest, AbsolutePhotometryIsOneLampOfTheWholeLuminaire) {
    const std::string description =
        "FROSTED TRANSLUCENT PLASTIC DIFFUSER, SANDWICHED BETWEEN CAST METAL HOUSING AND "
        "HEAT SINK";
    const std::string text = AbsoluteLed("PRT70/480, PRT70/480/D10", description);
    const CatalogueLuminaireType type = Converted(text);
    PhotometricData data;
    std::string error;
    ASSERT_TRUE(ReadIes(text, data, error));
    // Its own flux (candela multiplier 1.5 applied) is one lamp, with all of its input
    // power: not 192 lamps of 1/192 of the flux and 0 W each.
    EXPECT_EQ(type.lampCount, 1);
    EXPECT_EQ(type.lampFlux, std::lround(TypeCFlux(data)));
    EXPECT_DOUBLE_EQ(type.lampPower, 69.6);
    EXPECT_EQ(type.lampType, "LED");
    EXPECT_EQ(type.lampModel, "PRT70/480");
    // The intensity at the nadir per 1000 lm of that lamp: placed, it gives the file's
    // own 450 cd.
    EXPECT_NEAR(At(type.curveA, 0) * type.lampFlux / 1000.0, 450.0, 450.0 * 0.002);
    // The zones hold all of the luminaire's flux.
    EXPECT_NEAR(type.downward + type.upward, 1.0, 0.0005);

    // A short name and model to pick from lists; the whole text kept as its description.
    EXPECT_EQ(type.model, "PRT70/480");
    EXPECT_EQ(type.name, "LED灯具 PRT70/480");
    EXPECT_EQ(type.description, description + "; PRT70/480, PRT70/480/D10");
}

TEST(CatalogueLuminaireTypeTest, AbsoluteEulumdatIsOneLampOfItsFlux) {
    // A negative lamp count: the set's 3000 lm and 72 W are the luminaire's own.
    std::string text = Eulumdat(1, {{400, 300, 0}});
    const std::string set = "\n1\n2\nT8 36W\n";
    text.replace(text.find(set), set.size(), "\n1\n-2\nT8 36W\n");
    const CatalogueLuminaireType type = Converted(text, false);
    EXPECT_EQ(type.lampCount, 1);
    EXPECT_EQ(type.lampFlux, 3000);
    EXPECT_DOUBLE_EQ(type.lampPower, 72);
    EXPECT_DOUBLE_EQ(At(type.curveA, 0), 400); // cd per 1000 lm as the file gives them
    const CatalogueLuminaireType relative = Converted(Eulumdat(1, {{400, 300, 0}}), false);
    EXPECT_EQ(relative.lampCount, 2);
    EXPECT_EQ(relative.lampFlux, 1500);
    EXPECT_DOUBLE_EQ(relative.lampPower, 36);
    EXPECT_EQ(relative.curveA, type.curveA);
}

TEST(CatalogueLuminaireTypeTest, NamesADesignerCanPick) {
    // A short description is the name; a catalogue number in brackets stays whole.
    const CatalogueLuminaireType bracket =
        Converted(AbsoluteLed("HALVS10L940-FG(1,2,3)-SA", "Wall pack"));
    EXPECT_EQ(bracket.name, "Wall pack");
    EXPECT_EQ(bracket.model, "HALVS10L940-FG(1,2,3)-SA");
    EXPECT_EQ(bracket.description, "Wall pack");
    // No catalogue number and no description: the file's name.
    const CatalogueLuminaireType bare = Converted(AbsoluteLed("", " "));
    EXPECT_EQ(bare.model, "file-stem");
    EXPECT_EQ(bare.name, "LED灯具 file-stem");
    EXPECT_EQ(bare.description, "imported photometric file");
    // A file in Latin-1: a no-break space before the number, a degree sign in the text.
    const CatalogueLuminaireType latin1 = Converted(AbsoluteLed("\xA0"
                                                                "BAYLED78W+GD (with standoffs)",
                                                                std::string(300, 'X') + " 30\xB0"));
    EXPECT_EQ(latin1.model, "BAYLED78W+GD");
    EXPECT_EQ(latin1.name, "LED灯具 BAYLED78W+GD");
    // Cut to the 255 characters the catalogue holds, on a whole character.
    EXPECT_EQ(latin1.description, std::string(254, 'X') + "…");
    // A relative file keeps its lamps, with a lamp text that fits the catalogue.
    std::string relative = kIes2002Bilateral;
    relative.replace(relative.find("T5 28W"), 6, "T5, 28W");
    EXPECT_EQ(Converted(relative).lampType, "T5, 28W");
    relative.replace(relative.find("T5, 28W"), 7, std::string(60, 'T'));
    EXPECT_EQ(Converted(relative).lampType, "导入光源");
    EXPECT_EQ(Converted(relative).lampCount, 2);
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
