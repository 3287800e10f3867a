// Room cavity ratio, CU lookup, the lumen-method average with the needed counts, and the
// power densities with their display rule.
#include "calc/indoor/LumenMethod.h"
#include "calc/common/PowerDensity.h"

#include "calc/IndoorRooms.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>

namespace qv {
namespace {

using test::RectangleRoom;

Luminaire At(double z, int flux = 1000, double k = 1.0) {
    Luminaire luminaire;
    luminaire.ptCenter = {1, 1, z};
    luminaire.nLuminousFlux = flux;
    luminaire.dVindicate = k;
    return luminaire;
}

// A table that is linear in all four keys, so interpolation inside it is exact.
double Planar(double c, double w, double f, double r) {
    return 0.2 + 0.004 * c + 0.003 * w + 0.001 * f - 0.05 * r;
}

CuTable PlanarTable() {
    CuTable table;
    for (const double c : {30.0, 50.0, 70.0}) {
        for (const double w : {10.0, 30.0, 50.0}) {
            for (const double f : {10.0, 20.0}) {
                for (const double r : {1.0, 2.0, 3.0, 5.0}) {
                    table.Append({c, w, f, r, Planar(c, w, f, r)});
                }
            }
        }
    }
    return table;
}

TEST(RoomCavityRatio, WorkedRoomAndEffectiveWallReflectance) {
    LuminaireList luminaires;
    luminaires.Add(At(3.0));
    luminaires.Add(At(2.5));
    Room room = RectangleRoom(6, 4);
    room.dWinInWall = 35;
    const CavityRatio ratio = RoomCavityRatio(room, luminaires);
    ASSERT_TRUE(ratio.ok);
    EXPECT_DOUBLE_EQ(ratio.h, 2.25);
    EXPECT_DOUBLE_EQ(ratio.rcr, 4.6875);
    EXPECT_DOUBLE_EQ(ratio.rhoW, 32.5);
    EXPECT_EQ(ratio.rhoC, 70);
    EXPECT_EQ(ratio.rhoF, 20);
    // No luminaire: the cavity reaches from the working plane down to 0.
    EXPECT_DOUBLE_EQ(RoomCavityRatio(RectangleRoom(6, 4), {}).h, -0.75);
    Room flat = RectangleRoom(6, 4);
    flat.outline = {{0, 0, 0}, {6, 0, 0}, {3, 0, 0}};
    const CavityRatio none = RoomCavityRatio(flat, luminaires);
    EXPECT_FALSE(none.ok);
    EXPECT_EQ(none.rcr, 0);
    EXPECT_EQ(none.rhoW, 0);
}

TEST(CuAt, KeysNeighboursAndInterpolation) {
    const CuTable table = PlanarTable();
    EXPECT_DOUBLE_EQ(CuAt(table, 50, 30, 10, 2), Planar(50, 30, 10, 2));
    EXPECT_NEAR(CuAt(table, 62.5, 32.5, 17, 4.6875), Planar(62.5, 32.5, 17, 4.6875), 1e-14);
    // Beyond the largest RCR the rows of the largest RCR serve; below the smallest
    // reflectance the smallest.
    EXPECT_DOUBLE_EQ(CuAt(table, 50, 30, 10, 7.5), Planar(50, 30, 10, 5));
    EXPECT_DOUBLE_EQ(CuAt(table, 10, 30, 10, 1), Planar(30, 30, 10, 1));
    // A missing corner counts as 0.
    CuTable holes;
    holes.Append({70, 50, 20, 1, 0.8});
    holes.Append({70, 50, 20, 3, 0.4});
    holes.Append({70, 30, 20, 1, 0.6});
    EXPECT_DOUBLE_EQ(CuAt(holes, 70, 50, 20, 2), 0.6);
    EXPECT_DOUBLE_EQ(CuAt(holes, 70, 40, 20, 1), 0.7);
    EXPECT_DOUBLE_EQ(CuAt(holes, 70, 40, 20, 3), 0.2);
    EXPECT_EQ(CuAt(holes, 70, 30, 20, 3), kNoCu);
    EXPECT_EQ(CuAt(CuTable(), 70, 50, 20, 1), kNoCu);
}

// One luminaire with a single-row table (U = 0.48 everywhere) in a 6 m × 4 m room:
// e = 1000 · 1 · 0.48 / 24 = 20 lx.
LuminaireList TwentyLuxEntry() {
    Luminaire luminaire = At(3.0);
    luminaire.cuTable.Append({70, 30, 20, 1, 0.48});
    LuminaireList list;
    list.Add(luminaire);
    return list;
}

TEST(AverageIlluminanceByCu, AverageAndNeededCounts) {
    Room room = RectangleRoom(6, 4);
    room.dLxStandard = 80.01; // ΔE/e = 3.0005
    LumenMethodResult result = AverageIlluminanceByCu(room, TwentyLuxEntry(), {1});
    EXPECT_DOUBLE_EQ(result.area, 24);
    EXPECT_DOUBLE_EQ(result.e, 20);
    ASSERT_EQ(result.entries.size(), 1u);
    EXPECT_DOUBLE_EQ(result.entries[0].u, 0.48);
    EXPECT_DOUBLE_EQ(result.entries[0].share, 20);
    EXPECT_EQ(result.entries[0].needed, 3);
    room.dLxStandard = 84; // ΔE/e = 3.2
    EXPECT_EQ(AverageIlluminanceByCu(room, TwentyLuxEntry(), {1}).entries[0].needed, 4);
    result = AverageIlluminanceByCu(room, TwentyLuxEntry(), {5});
    EXPECT_DOUBLE_EQ(result.e, 100);
    EXPECT_EQ(result.entries[0].needed, 0);
}

TEST(AverageIlluminanceByCu, EntriesWithoutAShareAddNothingAndNeedNothing) {
    Room room = RectangleRoom(6, 4);
    room.dLxStandard = 300;
    LuminaireList luminaires = TwentyLuxEntry();
    luminaires.Add(At(3.0)); // no CU table: U = -1
    Luminaire dark = luminaires.At(0);
    dark.nLuminousFlux = 0; // e = 0
    luminaires.Add(dark);
    const LumenMethodResult result = AverageIlluminanceByCu(room, luminaires, {2});
    EXPECT_DOUBLE_EQ(result.e, 40); // 2 × 20; the other two counts default to 1
    EXPECT_EQ(result.entries[0].needed, 13);
    EXPECT_EQ(result.entries[1].u, kNoCu);
    EXPECT_EQ(result.entries[1].share, 0);
    EXPECT_EQ(result.entries[1].needed, 0);
    EXPECT_EQ(result.entries[2].needed, 0);
    // A tiny share asks for the largest count, not for an overflow.
    Luminaire faint = luminaires.At(0);
    faint.dVindicate = 1e-300;
    LuminaireList one;
    one.Add(faint);
    EXPECT_EQ(AverageIlluminanceByCu(room, one, {}).entries[0].needed, INT_MAX);
    // No extent: E = 0 and no entry results.
    room.outline.resize(2);
    const LumenMethodResult empty = AverageIlluminanceByCu(room, luminaires, {});
    EXPECT_EQ(empty.e, 0);
    EXPECT_TRUE(empty.entries.empty());
}

TEST(PowerDensity, WorkedRoomAndDisplayRule) {
    Luminaire luminaire = At(3.0);
    luminaire.lamp1.dPower = 36;
    luminaire.lamp1.dBallastPower = 9;
    luminaire.lamp2.dPower = 100; // not fitted
    LuminaireList four;
    for (int i = 0; i < 4; ++i) {
        four.Add(luminaire);
    }
    const Room room = RectangleRoom(6, 4);
    const double lpd = LightingPowerDensity(room, four);
    EXPECT_DOUBLE_EQ(lpd, 7.5);
    PowerDensityDisplay shown = ShowSecondDensity(lpd, 400, 300);
    EXPECT_EQ(shown.lpdText, "7.50");
    EXPECT_EQ(shown.secondText, "7.50");
    EXPECT_EQ(shown.second, 7.5);
    EXPECT_EQ(shown.label, "标准功率密度w/m2");
    shown = ShowSecondDensity(lpd, 240, 300);
    EXPECT_EQ(shown.secondText, "6.00");
    EXPECT_EQ(shown.label, "折算功率密度w/m2");
    EXPECT_EQ(ShowSecondDensity(lpd, 300, 300, DensityLabel::Plain).label, "折算功率密度");
    // Cut, not rounded, and converted from the shown LPD: 7.519 → 7.51, 7.51·299/300.
    shown = ShowSecondDensity(7.519, 299, 300);
    EXPECT_EQ(shown.lpdText, "7.51");
    EXPECT_EQ(shown.secondText, "7.48");
    EXPECT_EQ(ShowSecondDensity(7.5, 0, 0).secondText, "0.00"); // no standard

    four.At(0).bLampHouse2 = 1;
    EXPECT_DOUBLE_EQ(LightingPowerDensity(room, four), 280.0 / 24);
    const KvMessage message = PowerDensityMessage(room, four);
    EXPECT_EQ(message.text, "当前房间的功率密度为 11.67 w/m2");
    EXPECT_EQ(message.caption, "照明功率密度计算");
    EXPECT_EQ(LightingPowerDensity(Room(), four), 0);
}

TEST(PowerDensity, EveryLampOfALuminaireCounts) {
    // Four twin-lamp luminaires (2 × (36 W + 9 W)) in 24 m²: 15 W/m², twice the density of
    // the single-lamp room above, as their flux is twice as large.
    Luminaire twin = At(3.0);
    twin.lamp1.dPower = 36;
    twin.lamp1.dBallastPower = 9;
    twin.lamp1.nCount = 2;
    LuminaireList four;
    for (int i = 0; i < 4; ++i) {
        four.Add(twin);
    }
    const Room room = RectangleRoom(6, 4);
    EXPECT_DOUBLE_EQ(LightingPowerDensity(room, four), 15.0);
    EXPECT_EQ(PowerDensityMessage(room, four).text, "当前房间的功率密度为 15.00 w/m2");
    // A luminaire without lamps adds nothing.
    four.At(3).lamp1.nCount = 0;
    EXPECT_DOUBLE_EQ(LightingPowerDensity(room, four), 270.0 / 24);
    EXPECT_EQ(FirstUnsoundPower(four), 0);

    // A power that is no number of watts is named, never shown as a density.
    four.At(2).lamp1.dBallastPower = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(FirstUnsoundPower(four), 3);
    const KvMessage refused = PowerDensityMessage(room, four);
    EXPECT_EQ(refused.text, "灯具3的光源功率、镇流器功率或光源个数不是有效数值，无法计算功率密度");
    EXPECT_EQ(refused.icon, KvMessageIcon::Warning);
}

} // namespace
} // namespace qv
