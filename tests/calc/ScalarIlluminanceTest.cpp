// Average spherical and cylindrical illuminance.
#include "calc/indoor/SphericalCylindrical.h"

#include "calc/GridFittings.h"
#include "calc/IndoorRooms.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::GridFittings;
using test::RectangleRoom;

TEST(ScalarIlluminanceTest, FactorsFollowTheKindAndTheFloorReflectance) {
    const Room room = RectangleRoom(8, 5); // floor 20
    const LuminaireList luminaires = GridFittings(4, 8, 5, 3.0);
    const ScalarIlluminance spherical =
        AverageSphericalOrCylindrical(room, luminaires, {0, 0, 0, 0}, kSpherical);
    ASSERT_GT(spherical.eh, 0);
    EXPECT_DOUBLE_EQ(spherical.result, 0.1 * spherical.eh);
    const LumenMethodResult lumen = AverageIlluminanceByCu(room, luminaires, {});
    EXPECT_EQ(spherical.eh, lumen.e);
    EXPECT_EQ(spherical.entries[1].u, lumen.entries[1].u);
    EXPECT_DOUBLE_EQ(ScalarFactor(kCylindrical, 0.5, 0), 0.5);
    const ScalarIlluminance cylindrical =
        AverageSphericalOrCylindrical(room, luminaires, {0.5, 1.0}, kCylindrical);
    const double f0 = 1.5 * 0.5 - 0.25 + 0.005 * 20, f1 = 1.5 - 0.25 + 0.1, f2 = -0.25 + 0.1;
    const auto& e = cylindrical.entries;
    EXPECT_EQ(cylindrical.result, ((e[0].eh * f0 + e[1].eh * f1) + e[2].eh * f2) + e[3].eh * f2);
    Room flat = room;
    flat.outline = {{0, 0, 0}, {8, 0, 0}, {4, 0, 0}};
    const ScalarIlluminance none = AverageSphericalOrCylindrical(flat, luminaires, {}, kSpherical);
    EXPECT_EQ(none.eh, 0);
    EXPECT_EQ(none.result, 0);
}

} // namespace
} // namespace qv
