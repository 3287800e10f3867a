// Average spherical and cylindrical illuminance.
#include "calc/indoor/SphericalCylindrical.h"

#include "calc/GridFittings.h"
#include "calc/IndoorRooms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

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
    // The entries without a Ks would have the factor -0.25 + 0.1 < 0: they count 0.
    const double f0 = 1.5 * 0.5 - 0.25 + 0.005 * 20, f1 = 1.5 - 0.25 + 0.1;
    const auto& e = cylindrical.entries;
    EXPECT_EQ(cylindrical.result, ((e[0].eh * f0 + e[1].eh * f1) + e[2].eh * 0.0) + e[3].eh * 0.0);
    EXPECT_FALSE(e[1].clamped);
    EXPECT_TRUE(e[2].clamped);
    EXPECT_EQ(e[2].factor, 0.0);
    Room flat = room;
    flat.outline = {{0, 0, 0}, {8, 0, 0}, {4, 0, 0}};
    const ScalarIlluminance none = AverageSphericalOrCylindrical(flat, luminaires, {}, kSpherical);
    EXPECT_EQ(none.eh, 0);
    EXPECT_EQ(none.result, 0);
}

TEST(ScalarIlluminanceTest, UsableKsIsAFiniteNumberAboveZero) {
    for (const double ks : {0.01, 0.5, 1.5, kMaxKs}) {
        EXPECT_TRUE(UsableKs(ks)) << ks;
    }
    for (const double ks : {0.0, -0.0, -0.3, std::nan(""), HUGE_VAL, -HUGE_VAL, 2 * kMaxKs}) {
        EXPECT_FALSE(UsableKs(ks)) << ks;
    }
    EXPECT_EQ(FirstUnusableKs({0.5, 0.6, 0.7}, 3), -1);
    EXPECT_EQ(FirstUnusableKs({0.5, 0.0, 0.7}, 3), 1);
    EXPECT_EQ(FirstUnusableKs({0.5, 0.6}, 3), 2); // the third is missing
    EXPECT_EQ(FirstUnusableKs({}, 0), -1);
}

TEST(ScalarIlluminanceTest, NoEntryGivesANegativeIlluminance) {
    // Over every usable Ks and floor reflectance each entry's share is at least 0 and the
    // sum never falls below the horizontal share of the entries whose factor is not cut.
    Room room = RectangleRoom(8, 5);
    const LuminaireList luminaires = GridFittings(2, 8, 5, 3.0);
    for (const int kind : {kSpherical, kCylindrical}) {
        for (const double floor : {0.0, 10.0, 30.0, 80.0}) {
            room.dReflectFloor = floor;
            for (double ks = 0.02; ks < 1.6; ks += 0.06) {
                const ScalarIlluminance s =
                    AverageSphericalOrCylindrical(room, luminaires, {ks, ks}, kind);
                ASSERT_EQ(s.entries.size(), 2u);
                EXPECT_GE(s.result, 0.0) << kind << " " << floor << " " << ks;
                const double formula = ScalarFactor(kind, ks, s.cavity.rhoF);
                EXPECT_EQ(s.entries[0].clamped, formula < 0);
                EXPECT_EQ(s.entries[0].factor, std::max(formula, 0.0));
                // The cylindrical formula dips below 0 only for Ks < (0.25 - 0.005ρf)/1.5.
                EXPECT_EQ(formula < 0, kind == kCylindrical && ks < (0.25 - 0.005 * floor) / 1.5);
            }
        }
    }
}

} // namespace
} // namespace qv
