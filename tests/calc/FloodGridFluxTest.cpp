// The flux a floodlight's intensity grid encloses (∫ I dΩ over the grid's angles) against
// sources whose flux is known in closed form, against a fine midpoint integration of the
// lookup the calculation uses, and the check of the example's floodlights against their
// lamps.
#include "calc/outdoor/FloodIntensity.h"
#include "calc/outdoor/FloodPoint.h"
#include "model/Constants.h"
#include "model/ProjectFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

namespace qv {
namespace {

constexpr double kPi = 3.14159265358979323846;

// A grid with a node at every pair of the angles, valued kcd(a, b).
FloodIntensityTable GridOf(const std::vector<double>& as, const std::vector<double>& bs,
                           const std::function<double(double, double)>& kcd) {
    FloodIntensityTable table;
    for (const double a : as) {
        for (const double b : bs) {
            table.Append({a, b, kcd(a, b)});
        }
    }
    return table;
}

std::vector<double> Steps(double from, double to, double step) {
    std::vector<double> angles;
    for (double angle = from; angle <= to + 1e-9; angle += step) {
        angles.push_back(angle);
    }
    return angles;
}

// ∫ I cos a da db by the midpoint rule on steps of 0.1° over [a0, a1] × [b0, b1], with I
// the calculation's own lookup (1000 × FloodIntensityAt): an independent reading of what
// the grid gives.
double MidpointFlux(const FloodIntensityTable& table, double a0, double a1, double b0, double b1) {
    const double step = 0.1;
    const int na = static_cast<int>(std::lround((a1 - a0) / step));
    const int nb = static_cast<int>(std::lround((b1 - b0) / step));
    double sum = 0.0;
    for (int i = 0; i < na; ++i) {
        const double a = a0 + (i + 0.5) * step;
        for (int j = 0; j < nb; ++j) {
            sum += 1000.0 * FloodIntensityAt(table, a, b0 + (j + 0.5) * step) *
                   std::cos(a * kDegToRad);
        }
    }
    return sum * (step * kDegToRad) * (step * kDegToRad);
}

TEST(FloodGridFlux, IsotropicSourceGivesFourPiTimesItsIntensity) {
    const auto one = [](double, double) { return 1.0; }; // 1 kcd everywhere
    const double sphere = 4.0 * kPi * 1000.0;
    EXPECT_NEAR(FloodGridFlux(GridOf(Steps(-90, 90, 10), Steps(-180, 180, 10), one)), sphere,
                1e-9 * sphere);
    // Uneven steps change nothing for a constant intensity.
    EXPECT_NEAR(FloodGridFlux(GridOf({-90, -35, 0, 12.5, 90}, {-180, -20, 0, 75, 180}, one)),
                sphere, 1e-9 * sphere);
    // Directions beyond the sphere (lateral angles past ±90°, vertical past ±180°) are not
    // counted twice.
    EXPECT_NEAR(FloodGridFlux(GridOf(Steps(-120, 120, 30), Steps(-270, 270, 30), one)), sphere,
                1e-9 * sphere);
    // The front hemisphere (vertical angles within ±90°) holds half.
    EXPECT_NEAR(FloodGridFlux(GridOf(Steps(-90, 90, 15), Steps(-90, 90, 15), one)), sphere / 2,
                1e-9 * sphere);
}

TEST(FloodGridFlux, KnownBeams) {
    // A uniform beam of 50 kcd, ±20° lateral by ±10° vertical: I · Δb · 2 sin 20°.
    const FloodIntensityTable uniform =
        GridOf({-20, 20}, {-10, 10}, [](double, double) { return 50.0; });
    EXPECT_NEAR(FloodGridFlux(uniform), 50000.0 * (20 * kDegToRad) * 2 * std::sin(20 * kDegToRad),
                1e-9);

    // A Lambertian emitter facing along the aim, I = I0 · cos a · cos b (the cosine of the
    // angle to the aim): π · I0. Sampled every 5°, the linear interpolation between nodes
    // falls short of the cosine by well under 1 %.
    const double i0 = 10.0;
    const FloodIntensityTable lambertian =
        GridOf(Steps(-90, 90, 5), Steps(-90, 90, 5), [i0](double a, double b) {
            return i0 * std::cos(a * kDegToRad) * std::cos(b * kDegToRad);
        });
    const double flux = FloodGridFlux(lambertian);
    EXPECT_LT(flux, kPi * i0 * 1000.0);
    EXPECT_NEAR(flux, kPi * i0 * 1000.0, 0.003 * kPi * i0 * 1000.0);
}

TEST(FloodGridFlux, IsExactForTheLookupItIntegrates) {
    // Uneven nodes, a missing node (the lookup reads 0 there) and a duplicate node (the
    // lookup takes the first).
    FloodIntensityTable table;
    for (const double a : {-30.0, -5.0, 10.0, 40.0}) {
        for (const double b : {-20.0, 0.0, 15.0}) {
            if (a == 10.0 && b == 0.0) {
                continue;
            }
            table.Append({a, b, 30.0 + 0.3 * a - 0.5 * b + 0.01 * a * b}); // all positive
        }
    }
    table.Append({-5.0, 0.0, 999.0});
    const double expected = MidpointFlux(table, -30, 40, -20, 15);
    EXPECT_NEAR(FloodGridFlux(table), expected, 1e-5 * expected);
}

TEST(FloodGridFlux, DegenerateAndHostileGrids) {
    EXPECT_EQ(FloodGridFlux(FloodIntensityTable()), 0.0);
    FloodIntensityTable line = GridOf({0}, Steps(-30, 30, 10), [](double, double) { return 5.0; });
    EXPECT_EQ(FloodGridFlux(line), 0.0); // one lateral angle spans no solid angle

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    FloodIntensityTable hostile = GridOf({-10, 10}, {-10, 10}, [](double, double) { return 1.0; });
    const double clean = FloodGridFlux(hostile);
    hostile.Append({nan, 0.0, 1.0}); // a row with an angle that is no number is left out
    hostile.Append({0.0, inf, 1.0});
    EXPECT_DOUBLE_EQ(FloodGridFlux(hostile), clean);
    // A node that is no number, or negative, counts 0.
    FloodIntensityTable holes = GridOf({-10, 10}, {-10, 10}, [nan](double a, double b) {
        return a < 0 ? (b < 0 ? nan : -5.0) : 1.0;
    });
    EXPECT_NEAR(FloodGridFlux(holes), clean / 2, 1e-12);
    // An infinite node gives no light, as in the lookup; finite nodes too large to add up
    // give an infinite flux, more than any lamp's.
    EXPECT_EQ(FloodGridFlux(GridOf({-10, 10}, {-10, 10}, [inf](double, double) { return inf; })),
              0.0);
    EXPECT_EQ(FloodGridFlux(GridOf({-10, 10}, {-10, 10}, [](double, double) { return 1e308; })),
              inf);
}

Luminaire Floodlight(int flux, FloodIntensityTable grid) {
    Luminaire floodlight;
    floodlight.sName = "投光灯";
    floodlight.nLuminousFlux = flux;
    floodlight.floodTable = std::move(grid);
    return floodlight;
}

TEST(CheckFloodGrids, GridsAgainstTheirLampFlux) {
    // 30 kcd over ±30° × ±30°: about 30000 · 1.047 · 1.0 ≈ 31,400 lm.
    const FloodIntensityTable beam =
        GridOf({-30, 30}, {-30, 30}, [](double, double) { return 30.0; });
    const double beamFlux = 30000.0 * (60 * kDegToRad) * 2 * std::sin(30 * kDegToRad);
    LuminaireList list;
    list.Add(Floodlight(32000, beam));                  // fits its lamp
    list.Add(Floodlight(30000, beam));                  // within the 5 % allowance
    list.Add(Floodlight(29000, beam));                  // beyond it
    list.Add(Floodlight(32000, FloodIntensityTable())); // a road light: no grid, no check
    list.Add(Floodlight(0, beam));                      // a grid without lamp flux
    const std::vector<FloodGridFluxCheck> checks = CheckFloodGrids(list);
    ASSERT_EQ(checks.size(), 4u);
    EXPECT_EQ(checks[0].index, 0);
    EXPECT_NEAR(checks[0].gridFlux, beamFlux, 1e-6);
    EXPECT_EQ(checks[0].lampFlux, 32000.0);
    EXPECT_FALSE(checks[0].exceeds);
    EXPECT_FALSE(checks[1].exceeds);
    EXPECT_TRUE(checks[2].exceeds);
    EXPECT_EQ(checks[3].index, 4);
    EXPECT_TRUE(checks[3].exceeds);
}

// The example's floodlights carry 400 W metal-halide lamps of 32000 lm: their grids in
// kcd peak at tens of kcd and enclose less light than the lamp (the light output ratio of
// a real floodlight), while the same grid read as cd per 1000 lm would be 31.25 times too
// bright.
TEST(CheckFloodGrids, ExampleFloodlightsFitTheirLamps) {
    Project project;
    LoadOptions readOnly;
    readOnly.writeBack = false;
    ASSERT_TRUE(LoadProject(QV_SOURCE_DIR "/data/examples/site_and_road.col", project, readOnly));
    const std::vector<FloodGridFluxCheck> checks = CheckFloodGrids(project.luminaires);
    ASSERT_EQ(checks.size(), 4u);
    for (const FloodGridFluxCheck& check : checks) {
        EXPECT_FALSE(check.exceeds);
        EXPECT_GT(check.gridFlux, 0.5 * check.lampFlux);
        EXPECT_LT(check.gridFlux, check.lampFlux);
    }
    const Luminaire& floodlight = project.luminaires.At(0);
    EXPECT_DOUBLE_EQ(FloodIntensityAt(floodlight.floodTable, 0, 0), 59.2);
    EXPECT_NEAR(checks[0].gridFlux, MidpointFlux(floodlight.floodTable, -40, 40, -30, 30),
                1e-5 * checks[0].gridFlux);

    LuminaireList perKilolumen;
    FloodIntensityTable scaled;
    for (const FloodIntensityRow& row : floodlight.floodTable.Rows()) {
        scaled.Append({row.dZXAngle, row.dHXAngle, row.dLampGq / 0.032});
    }
    perKilolumen.Add(Floodlight(32000, scaled));
    const std::vector<FloodGridFluxCheck> wrong = CheckFloodGrids(perKilolumen);
    ASSERT_EQ(wrong.size(), 1u);
    EXPECT_TRUE(wrong[0].exceeds);
    EXPECT_NEAR(wrong[0].gridFlux, checks[0].gridFlux / 0.032, 1e-6 * wrong[0].gridFlux);
}

} // namespace
} // namespace qv
