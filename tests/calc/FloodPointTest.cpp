// Floodlight point illuminance: the aiming geometry, the intensity grid lookup with its
// nearest-end rule, and the result rows with their totals in both modes.
#include "calc/outdoor/FloodPoint.h"
#include "calc/outdoor/FloodIntensity.h"
#include "model/Constants.h"

#include "calc/IndoorRooms.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv {
namespace {

FloodIntensityTable Grid() {
    // Longitudinal -10, 0, 10; vertical 0, 20. Value = 100 + a + 2b; node (10, 20) missing.
    FloodIntensityTable table;
    for (double a : {-10.0, 0.0, 10.0}) {
        for (double b : {0.0, 20.0}) {
            if (a == 10.0 && b == 20.0) {
                continue;
            }
            table.Append({a, b, 100.0 + a + 2.0 * b});
        }
    }
    return table;
}

TEST(FloodIntensityAt, NodesInterpolationMissingNodesAndNearestEnd) {
    const FloodIntensityTable table = Grid();
    EXPECT_DOUBLE_EQ(FloodIntensityAt(table, 0.0, 0.0), 100.0);
    EXPECT_DOUBLE_EQ(FloodIntensityAt(table, -5.0, 10.0), 115.0);
    // The missing node (10, 20) counts 0: at a = 10 the value falls from 110 to 0.
    EXPECT_DOUBLE_EQ(FloodIntensityAt(table, 10.0, 10.0), 55.0);
    // Outside the listed angles both brackets are the nearest end.
    EXPECT_DOUBLE_EQ(FloodIntensityAt(table, -40.0, -5.0), 90.0);
    EXPECT_DOUBLE_EQ(FloodIntensityAt(table, -40.0, 50.0), 130.0);
    EXPECT_DOUBLE_EQ(FloodIntensityAt(FloodIntensityTable(), 0.0, 0.0), 0.0);
    FloodIntensityTable tiny;
    tiny.Append({0.0, 0.0, 5e-7});
    EXPECT_EQ(FloodIntensityAt(tiny, 0.0, 0.0), 0.0);
}

Luminaire Floodlight(Vector aim) {
    Luminaire floodlight;
    floodlight.sName = "投光灯";
    floodlight.ptCenter = {0, 0, 10};
    floodlight.ptAim = aim;
    floodlight.floodTable = Grid();
    return floodlight;
}

TEST(FloodlightStep, AimAlongXPointBelowAndLevelPoint) {
    const Luminaire floodlight = Floodlight({5, 0, 0});
    const FloodlightStep below = ComputeFloodlightStep(floodlight, {0, 0, 0}, 1000.0);
    EXPECT_DOUBLE_EQ(below.phi * kRadToDeg, 90.0);
    EXPECT_DOUBLE_EQ(below.h, 10.0);
    EXPECT_DOUBLE_EQ(below.theta, std::atan(5.0 / 10.0));
    EXPECT_EQ(below.phiP, 0.0);
    EXPECT_DOUBLE_EQ(below.gamma, -below.phi);
    EXPECT_EQ(below.delta, 0.0);
    EXPECT_EQ(below.ev, 0.0);
    EXPECT_DOUBLE_EQ(below.eh, 10.0);

    const FloodlightStep level = ComputeFloodlightStep(floodlight, {3, 4, 10}, 1000.0);
    EXPECT_DOUBLE_EQ(level.thetaP * kRadToDeg, 90.0);
    EXPECT_DOUBLE_EQ(level.delta * kRadToDeg, 90.0);
    EXPECT_DOUBLE_EQ(level.theta * kRadToDeg, 90.0);
    EXPECT_DOUBLE_EQ(level.ev, 1000.0 / 25.0);
    EXPECT_DOUBLE_EQ(level.transverse, 0.6 * level.ev);
    EXPECT_DOUBLE_EQ(level.longitudinal, 0.8 * level.ev);
    EXPECT_NEAR(level.eh, 0.0, 1e-12);

    const FloodlightStep at = ComputeFloodlightStep(floodlight, {0, 0, 10}, 1000.0);
    EXPECT_EQ(at.outcome, FloodStepOutcome::AtFloodlight);
    EXPECT_EQ(at.eh, 0.0);
}

TEST(FloodlightRows, TotalsModesAndClearedRows) {
    LuminaireList floodlights;
    floodlights.Add(Floodlight({0, 5, 0}));
    floodlights.Add(Floodlight({5, 0, 0}));
    std::vector<CalcPoint> points(2);
    points[0].name = "P1";
    points[0].position = {3, 4, 0};
    points[0].dIntensity = 2000.0;
    points[1].name = "外";
    points[1].position = {-3, 4, 0};
    std::vector<FloodlightResultRow> rows = BuildFloodlightRows(points, floodlights);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[1].label, "1.投光灯");
    EXPECT_EQ(rows[2].label, kAllFloodlightsLabel);
    EXPECT_EQ(FloodlightIndexOf(rows[1]), 1);

    const Room site = test::RectangleRoom(20, 20);
    ComputeFloodlightRows(rows, site.outline, floodlights, FloodMode::kLookUp);
    // Mode 0: the illuminances use the point's stored intensity, then the grid is read.
    const double r2 = 9.0 + 16.0 + 100.0;
    EXPECT_DOUBLE_EQ(rows[0].eh, 2000.0 * (10.0 / std::sqrt(r2)) / r2);
    EXPECT_DOUBLE_EQ(rows[2].eh, rows[0].eh + rows[1].eh);
    EXPECT_DOUBLE_EQ(rows[2].intensity, 2000.0);
    EXPECT_EQ(rows[2].alpha, 0.0);
    EXPECT_DOUBLE_EQ(rows[0].intensity, 1000.0 * FloodIntensityAt(floodlights.At(0).floodTable,
                                                                  rows[0].alpha * kRadToDeg,
                                                                  rows[0].beta * kRadToDeg));
    // A point outside the site stays cleared and keeps its intensity.
    EXPECT_EQ(rows[3].eh, 0.0);
    EXPECT_EQ(rows[3].intensity, 0.0);
    EXPECT_EQ(rows[5].eh, 0.0);

    // Mode 1 keeps the intensities and uses them.
    const double looked = rows[1].intensity;
    ComputeFloodlightRows(rows, site.outline, floodlights, FloodMode::kKeepIntensity);
    EXPECT_EQ(rows[1].intensity, looked);
    EXPECT_DOUBLE_EQ(rows[1].eh, looked * (10.0 / std::sqrt(r2)) / r2);

    // Without an outline every row is cleared; without floodlights only totals remain.
    ComputeFloodlightRows(rows, {}, floodlights, FloodMode::kKeepIntensity);
    EXPECT_EQ(rows[2].ev, 0.0);
    EXPECT_EQ(BuildFloodlightRows(points, LuminaireList()).size(), 2u);
}

TEST(FloodlightRows, AimingPointsByRow) {
    LuminaireList floodlights;
    floodlights.Add(Floodlight({9, 9, 9}));
    floodlights.Add(Floodlight({9, 9, 9}));
    EXPECT_FALSE(AssignAimingPoints(floodlights, {{1, 2, 3}}));
    EXPECT_EQ(floodlights.At(0).ptAim, (Vector{1, 2, 3}));
    EXPECT_EQ(floodlights.At(1).ptAim, Vector{});
    EXPECT_TRUE(AssignAimingPoints(floodlights, {{1, 2, 3}, {4, 5, 6}}));
}

} // namespace
} // namespace qv
