// A type B (floodlight) file becomes a grid of kcd for the lamps the type records: the
// grid's flux, ∫ I dΩ, is the file's own flux, which for relative photometry is at most
// the lamp flux and for absolute photometry is the lamp flux the type records.
#include "calc/outdoor/FloodIntensity.h"
#include "catalogue/photometry/CatalogueLuminaireType.h"
#include "catalogue/photometry/PhotometricReaders.h"
#include "photometry/PhotometricSamples.h"

#include <gtest/gtest.h>

#include <string>

namespace qv::test {
namespace {

struct Imported {
    PhotometricData data;
    CatalogueLuminaireType type;
};

Imported Import(const std::string& text) {
    Imported imported;
    std::string error;
    EXPECT_TRUE(ReadIes(text, imported.data, error)) << error;
    EXPECT_TRUE(ToCatalogueType(imported.data, "file-stem", imported.type, error)) << error;
    return imported;
}

double LampFlux(const CatalogueLuminaireType& type) {
    return static_cast<double>(type.lampCount) * type.lampFlux;
}

TEST(FloodGridImport, RelativePhotometryGivesKcdForTheRatedLamp) {
    const Imported imported = Import(kIesTypeB);
    ASSERT_GT(imported.type.flood.Count(), 0);
    EXPECT_EQ(LampFlux(imported.type), 10000.0);
    // The peak, 20000 cd, is 20 kcd for the file's 10000 lm lamp.
    EXPECT_DOUBLE_EQ(FloodIntensityAt(imported.type.flood, 0, 0), 20.0);
    const double gridFlux = FloodGridFlux(imported.type.flood);
    EXPECT_NEAR(gridFlux, TypeBFlux(imported.data), 0.01 * gridFlux);
    EXPECT_LE(gridFlux, LampFlux(imported.type));
}

TEST(FloodGridImport, AbsolutePhotometryGivesKcdForTheLuminairesOwnFlux) {
    std::string text = kIesTypeB;
    const std::string relative = "1 10000 1 4 3";
    ASSERT_NE(text.find(relative), std::string::npos);
    text.replace(text.find(relative), relative.size(), "1 -1 1 4 3");
    const Imported imported = Import(text);
    EXPECT_DOUBLE_EQ(FloodIntensityAt(imported.type.flood, 0, 0), 20.0);
    const double lampFlux = LampFlux(imported.type);
    EXPECT_NEAR(FloodGridFlux(imported.type.flood), lampFlux, 0.01 * lampFlux);
}

} // namespace
} // namespace qv::test
