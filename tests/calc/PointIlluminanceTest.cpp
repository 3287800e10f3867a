// Point illuminance from point and linear sources: the worked example, the choice of
// source kind, the linear source against a numerical integration along its length, the
// inclined plane, and the run over a list of points.
#include "calc/indoor/PointIlluminance.h"
#include "model/ProjectFile.h"

#include <kelvorin/KvMessage.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace qv {
namespace {

IntensityCurve FallOffCurve(double i0, int power) {
    IntensityCurve curve;
    for (int a = 0; a <= 90; a += 5) {
        curve.Append({double(a), i0 * std::pow(std::cos(a * kDegToRad), power)});
    }
    return curve;
}

IntensityCurve FlatCurve(double intensity) {
    IntensityCurve curve;
    curve.Append({0.0, intensity});
    curve.Append({90.0, intensity});
    return curve;
}

Luminaire MakeLuminaire(Vector position, double length, int flux, double k) {
    Luminaire luminaire;
    luminaire.ptCenter = position;
    luminaire.geometricShape.dLength = length;
    luminaire.nLuminousFlux = flux;
    luminaire.dVindicate = k;
    luminaire.curveA = FallOffCurve(200.0, 1);
    luminaire.curveB = FallOffCurve(200.0, 2);
    return luminaire;
}

LuminaireStep Step(const Luminaire& luminaire, const Vector& point, Rotation rotation = {}) {
    return ComputeLuminaireStep(PrepareLuminaire(luminaire), point, FrameOf(rotation));
}

TEST(PointIlluminance, PointSourceStraightAboveGives120Lux) {
    const LuminaireStep step = Step(MakeLuminaire({1, 1, 2}, 0.3, 3000, 0.8), {1, 1, 0});
    ASSERT_EQ(step.outcome, StepOutcome::Contributes);
    EXPECT_EQ(step.sourceKind, kPointSource);
    EXPECT_DOUBLE_EQ(step.eh, 120.0);
    EXPECT_EQ(step.ev, 0.0);
    EXPECT_EQ(step.ei, step.eh);
    EXPECT_DOUBLE_EQ(step.intensity, 200.0);
}

TEST(PointIlluminance, PointSourceOffAxisUsesBothCurves) {
    const LuminaireStep step = Step(MakeLuminaire({0, 0, 3}, 0.3, 2000, 0.7), {1.2, -0.9, 0.5});
    const double h = 2.5;
    const double d = std::hypot(1.2, 0.9);
    const double theta = std::atan(d / h);
    const int beta = int(std::atan(0.9 / h) * kRadToDeg);
    const int gamma = int(std::atan(1.2 / std::hypot(0.9, h)) * kRadToDeg);
    EXPECT_EQ(step.angleB, beta);
    EXPECT_EQ(step.angleA, gamma);
    const IntensityCurve a = FallOffCurve(200.0, 1);
    const IntensityCurve b = FallOffCurve(200.0, 2);
    const double i = IntensityAt(a, gamma) * IntensityAt(b, beta) / IntensityAt(b, 0);
    EXPECT_DOUBLE_EQ(step.intensity, i);
    EXPECT_DOUBLE_EQ(step.eh, 2000 * 0.7 * i * std::pow(std::cos(theta), 3) / (1000 * h * h));
    EXPECT_DOUBLE_EQ(step.ev, 2000 * 0.7 * i * std::pow(std::cos(theta), 2) * std::sin(theta) /
                                  (1000 * h * h));
}

TEST(PointIlluminance, SourceKindAndSkippedLuminaires) {
    // L exactly h/4 is a linear source.
    EXPECT_EQ(Step(MakeLuminaire({0, 0, 2}, 0.5, 1000, 1), {0.1, 0, 0}).sourceKind, kLinearSource);
    EXPECT_EQ(Step(MakeLuminaire({0, 0, 2}, 0.4999, 1000, 1), {0.1, 0, 0}).sourceKind,
              kPointSource);
    // Level with the point, or below it: nothing.
    EXPECT_EQ(Step(MakeLuminaire({0, 0, 2}, 0.3, 1000, 1), {3, 0, 2}).outcome,
              StepOutcome::LevelOrBelow);
    EXPECT_EQ(Step(MakeLuminaire({0, 0, 2}, 0.3, 1000, 1), {0, 0, 2.5}).outcome,
              StepOutcome::LevelOrBelow);
    Luminaire dark = MakeLuminaire({0, 0, 2}, 0.3, 1000, 1);
    dark.curveB = FlatCurve(0.0);
    const LuminaireStep step = Step(dark, {0.5, 0, 0});
    EXPECT_EQ(step.outcome, StepOutcome::NoIntensityAtZero);
    EXPECT_FALSE(step.setsIntensity);
}

// Horizontal and vertical illuminance of a linear source of the given fall-off along
// its axis, summed over short pieces of its length; the vertical plane faces the axis.
std::pair<double, double> IntegratedLine(double length, double h, double x, double y,
                                         double perMetre, int power) {
    const int n = 200000;
    double eh = 0;
    double ev = 0;
    const double r = std::hypot(y, h);
    for (int i = 0; i < n; ++i) {
        const double s = -length / 2 + (i + 0.5) * length / n;
        const double along = std::fabs(s - x);
        const double distance = std::hypot(r, along);
        const double c = r / distance;
        const double fallOff = power == 0 ? (c + c * c) / 2 : std::pow(c, power);
        const double intensity = perMetre * fallOff * length / n;
        eh += intensity * (h / distance) / (distance * distance);
        ev += intensity * (along / distance) / (distance * distance);
    }
    // Per 1000 lm, with Φ·K = 1000.
    return {eh, ev};
}

TEST(PointIlluminance, LinearSourceMatchesIntegrationForEveryFootCase) {
    const double length = 1.2;
    const double h = 2.0;
    struct Case {
        double x;
        int footCase;
    };
    for (const int power : {1, 2, 4}) {
        Luminaire line = MakeLuminaire({0, 0, 2}, length, 1000, 1.0);
        line.curveA = FallOffCurve(300.0, power);
        line.curveB = FlatCurve(240.0);
        for (const Case c : {Case{0.25, kFootOnSource}, Case{2.0, kFootBeyondE2},
                             Case{-1.5, kFootBeyondE1}, Case{0.6, kFootAtEnd}}) {
            const LuminaireStep step = Step(line, {c.x, 0.8, 0});
            ASSERT_EQ(step.outcome, StepOutcome::Contributes);
            EXPECT_EQ(step.sourceKind, kLinearSource);
            EXPECT_EQ(step.footCase, c.footCase);
            EXPECT_DOUBLE_EQ(step.intensity, 240.0 / length);
            const auto [eh, ev] = IntegratedLine(length, h, c.x, 0.8, 240.0 / length, power);
            EXPECT_NEAR(step.eh, eh, 1e-7 * eh) << power << " " << c.x;
            EXPECT_NEAR(step.ev, ev, 1e-7 * ev) << power << " " << c.x;
        }
    }
}

TEST(PointIlluminance, FootCasesFromPlanDistances) {
    const Vector e1{-1, 0, 0};
    const Vector e2{1, 0, 0};
    EXPECT_EQ(FootCase(e1, e2, {1, 0, 0}), kFootAtEnd);
    EXPECT_EQ(FootCase(e1, e2, {-1.0000005, 0, 0}), kFootAtEnd);
    EXPECT_EQ(FootCase(e1, e2, {0.3, 0, 0}), kFootOnSource);
    EXPECT_EQ(FootCase(e1, e2, {3, 0, 0}), kFootBeyondE2);
    EXPECT_EQ(FootCase(e1, e2, {-3, 0, 0}), kFootBeyondE1);
    EXPECT_EQ(FootCase(e1, e2, {0, 1, 0}), kFootOff);
}

// The unit normal of a point's receiving plane found independently of the step: the
// plane holds the x and y axes of the point's frame, which are the first two columns of
// the inverse of the frame matrix; their cross product is normal to it.
Vector PlaneNormal(const Rotation& rotation) {
    const double(&m)[3][3] = FrameOf(rotation).m;
    // Column j of the inverse is the cofactors of row j over the determinant; the
    // determinant's sign keeps the normal on the frame's +z side.
    const auto cofactor = [&m](int r, int c) {
        const int r1 = (r + 1) % 3, r2 = (r + 2) % 3, c1 = (c + 1) % 3, c2 = (c + 2) % 3;
        return m[r1][c1] * m[r2][c2] - m[r1][c2] * m[r2][c1];
    };
    const Vector ax{cofactor(0, 0), cofactor(0, 1), cofactor(0, 2)};
    const Vector ay{cofactor(1, 0), cofactor(1, 1), cofactor(1, 2)};
    Vector n{ax.y * ay.z - ax.z * ay.y, ax.z * ay.x - ax.x * ay.z, ax.x * ay.y - ax.y * ay.x};
    const double length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
    const double det =
        m[0][0] * cofactor(0, 0) + m[0][1] * cofactor(0, 1) + m[0][2] * cofactor(0, 2);
    const double sign = det < 0 ? -1.0 : 1.0; // keep the frame's own z side
    return {sign * n.x / length, sign * n.y / length, sign * n.z / length};
}

TEST(PointIlluminance, InclinedPlaneMatchesTheDirectVectorComputation) {
    // A point source of the same intensity in every direction: the illuminance of any
    // plane is I·Φ·K/1000·(n·u)/r², or 0 with the source behind it.
    std::mt19937 random(20240801);
    std::uniform_real_distribution<double> angle(-180.0, 180.0);
    std::uniform_real_distribution<double> plan(-4.0, 4.0);
    std::uniform_real_distribution<double> height(0.5, 4.0);
    int behind = 0;
    for (int i = 0; i < 2000; ++i) {
        Luminaire lamp = MakeLuminaire({plan(random), plan(random), 3.0}, 0.05, 2000, 0.8);
        lamp.curveA = FlatCurve(150.0);
        lamp.curveB = FlatCurve(150.0);
        lamp.Rotate = {0.0, 0.0, angle(random)}; // turned in plan: the same light
        const Vector point{plan(random), plan(random), 3.0 - height(random)};
        const Rotation rotation{angle(random), angle(random), angle(random)};
        const LuminaireStep step = Step(lamp, point, rotation);
        ASSERT_EQ(step.outcome, StepOutcome::Contributes);
        const Vector u{lamp.ptCenter.x - point.x, lamp.ptCenter.y - point.y,
                       lamp.ptCenter.z - point.z};
        const double r2 = u.x * u.x + u.y * u.y + u.z * u.z;
        const double r = std::sqrt(r2);
        const Vector n = PlaneNormal(rotation);
        const double cosine = (n.x * u.x + n.y * u.y + n.z * u.z) / r;
        const double expected = cosine > 0 ? 2000 * 0.8 * 150.0 / 1000 * cosine / r2 : 0.0;
        EXPECT_NEAR(step.ei, expected, 1e-9 * (1 + std::fabs(expected)))
            << i << ": " << rotation.x << ", " << rotation.y << ", " << rotation.z;
        EXPECT_EQ(step.behind, !(cosine > 0)) << i;
        EXPECT_GE(step.ei, 0.0);
        EXPECT_NEAR(step.nz, n.z, 1e-12);
        behind += step.behind ? 1 : 0;
    }
    EXPECT_GT(behind, 100); // the draw put the source behind many planes
}

TEST(PointIlluminance, InclinedPlaneTiltedTowardOrAwayKeepsTheTiltFormula) {
    // X rotations tilt the plane toward +y (the luminaire's side) or away from it: Ei =
    // Eh·(cos δ + (d/h)·sin δ) with δ the signed tilt.
    const Luminaire lamp = MakeLuminaire({0.7, 1, 2}, 0.1, 1000, 1);
    const LuminaireStep level = Step(lamp, {0.7, 0, 0});
    EXPECT_EQ(level.ei, level.eh);
    for (const double degrees : {-60.0, -30.0, 10.0, 30.0, 75.0}) {
        const LuminaireStep tilted = Step(lamp, {0.7, 0, 0}, {degrees, 0, 0});
        const double delta = degrees * kDegToRad;
        EXPECT_NEAR(tilted.tilt, std::fabs(delta), 1e-12);
        EXPECT_NEAR(tilted.azimuth, delta > 0 ? 0.0 : std::numbers::pi, 1e-12);
        EXPECT_NEAR(tilted.ei, tilted.eh * (std::cos(delta) + (1.0 / 2.0) * std::sin(delta)),
                    1e-12 * tilted.eh)
            << degrees;
    }
    // Straight below the luminaire a tilted plane receives Eh·cos δ.
    const LuminaireStep below = Step(lamp, {0.7, 1, 0}, {0, 40, 0});
    EXPECT_NEAR(below.ei, below.eh * std::cos(40 * kDegToRad), 1e-12 * below.eh);
    // Tilted by more than the elevation away from the luminaire: it lights the back.
    const LuminaireStep away = Step(lamp, {0.7, 0, 0}, {-70, 0, 0});
    EXPECT_TRUE(away.behind);
    EXPECT_EQ(away.ei, 0.0);
}

TEST(PointIlluminance, InclinedPlaneOfTheOfficeTiltedSidewaysGivesEhCos30) {
    // The office example's P2, its plane tilted 30° about the horizontal line pointing at
    // each luminaire in turn: the tilt neither faces nor turns from that luminaire, so
    // the plane receives Eh·cos 30°.
    Project office;
    LoadOptions options;
    options.writeBack = false;
    ASSERT_TRUE(
        LoadProject(std::string(QV_SOURCE_DIR) + "/data/examples/office.cil", office, options));
    const Vector p2{6, 4, 0.75};
    ASSERT_EQ(office.luminaires.Count(), 8);
    for (const Luminaire& luminaire : office.luminaires.Items()) {
        // The plane's normal leans 30° toward the plan direction perpendicular to the
        // luminaire: find the X and Y rotations that give it (the normal of the rotation
        // (rx, ry, 0) lies along (-sin ry, sin rx, ·)).
        const double dx = luminaire.ptCenter.x - p2.x;
        const double dy = luminaire.ptCenter.y - p2.y;
        const double plan = std::hypot(dx, dy);
        const double sideX = -dy / plan;
        const double sideY = dx / plan;
        double low = 0.0;
        double high = 1.0 / std::max(std::fabs(sideX), std::fabs(sideY));
        Rotation rotation;
        for (int i = 0; i < 200; ++i) {
            const double k = (low + high) / 2;
            rotation = {std::asin(k * sideY) * kRadToDeg, -std::asin(k * sideX) * kRadToDeg, 0};
            const Vector n = PlaneNormal(rotation);
            (std::acos(n.z) < 30 * kDegToRad ? low : high) = k;
        }
        const Vector n = PlaneNormal(rotation);
        ASSERT_NEAR(std::acos(n.z) * kRadToDeg, 30.0, 1e-9);
        ASSERT_NEAR(n.x * dx + n.y * dy, 0.0, 1e-9);
        const LuminaireStep step = Step(luminaire, p2, rotation);
        ASSERT_EQ(step.outcome, StepOutcome::Contributes);
        EXPECT_NEAR(step.azimuth * kRadToDeg, 90.0, 1e-6);
        EXPECT_NEAR(step.ei, step.eh * std::cos(30 * kDegToRad), 1e-9 * step.eh);
    }
}

TEST(PointIlluminance, NumbersThatOverflowContributeNothing) {
    Luminaire huge = MakeLuminaire({0, 0, 2}, 0.3, 3000, 1e308);
    huge.curveA = FlatCurve(1e308);
    const LuminaireStep step = Step(huge, {0, 0, 0});
    EXPECT_EQ(step.outcome, StepOutcome::NotFinite);
    EXPECT_FALSE(step.setsIntensity);
}

TEST(CalculatePoints, SumsInsideTheOutlineReportsProgressAndKeepsLastContributions) {
    LuminaireList luminaires;
    luminaires.Add(MakeLuminaire({1, 1, 2}, 0.3, 3000, 0.8));
    luminaires.Add(MakeLuminaire({3, 1, 2}, 1.2, 3000, 0.8));
    const std::vector<Vector> outline = {{0, 0, 0}, {4, 0, 0}, {4, 2, 0}, {0, 2, 0}};
    std::vector<CalcPoint> points(250);
    for (size_t i = 0; i < points.size(); ++i) {
        points[i].position = {0.01 * double(i), 1.0, 0.0};
    }
    points.back().position = {9, 9, 0}; // outside: stays 0
    points.back().dEh = 55;
    std::vector<std::pair<std::string, int>> progress;
    KvScopedProgressHandler record([&](const std::string& text, int position, int) {
        progress.push_back({text, position});
    });

    const std::vector<int> types = CalculatePoints(points, outline, luminaires);
    EXPECT_EQ(types, (std::vector<int>{kLinearA, kLinearA})); // curve A holds cosθ
    EXPECT_EQ(progress,
              (std::vector<std::pair<std::string, int>>{
                  {" 计算中...", 0}, {" 计算中...", 100}, {" 计算中...", 200}, {"", -1}}));
    EXPECT_EQ(points.back().dEh, 0);
    const std::vector<PreparedLuminaire> prepared = PrepareLuminaires(luminaires);
    const CalcPoint& last = points[248];
    double eh = 0;
    for (const PreparedLuminaire& luminaire : prepared) {
        eh += ComputeLuminaireStep(luminaire, last.position, FrameMatrix()).eh;
    }
    EXPECT_EQ(last.dEh, eh);
    EXPECT_EQ(luminaires.At(1).dLastContribution,
              ComputeLuminaireStep(prepared[1], last.position, FrameMatrix()).eh);
    // A second run gives the same results: nothing accumulates.
    const std::vector<CalcPoint> first = points;
    CalculatePoints(points, outline, luminaires);
    EXPECT_EQ(points[17].dEh, first[17].dEh);
    EXPECT_EQ(points[17].dEi, first[17].dEi);
    // Without an outline every point keeps zero results.
    CalculatePoints(points, {}, luminaires);
    EXPECT_EQ(points[17].dEh, 0);
}

} // namespace
} // namespace qv
