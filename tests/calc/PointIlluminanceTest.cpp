// Point illuminance from point and linear sources: the worked example, the choice of
// source kind, the linear source against a numerical integration along its length, the
// inclined plane, and the run over a list of points.
#include "calc/indoor/PointIlluminance.h"

#include <kelvorin/KvMessage.h>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

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

TEST(PointIlluminance, InclinedPlaneTiltedTowardTheLuminaire) {
    const Luminaire lamp = MakeLuminaire({0, 1, 2}, 0.1, 1000, 1);
    const LuminaireStep level = Step(lamp, {0, 0, 0});
    EXPECT_EQ(level.ei, level.eh);
    // Tilted 30° toward the luminaire: the cosine of incidence grows from 2/√5 to
    // (sin 30° + 2 cos 30°)/√5.
    const LuminaireStep tilted = Step(lamp, {0, 0, 0}, {30, 0, 0});
    EXPECT_NEAR(tilted.delta, std::numbers::pi / 6, 1e-15);
    EXPECT_EQ(tilted.sideSign, 1);
    EXPECT_NEAR(tilted.ei / tilted.eh, (0.5 + 2 * std::cos(std::numbers::pi / 6)) / 2, 1e-15);
    EXPECT_EQ(Step(lamp, {0, 0, 0}, {-30, 0, 0}).sideSign, -1);
    // A frame that is not orthogonal can ask for the sine of more than a right angle; the
    // tilt is held at 90°.
    const LuminaireStep steep =
        Step(MakeLuminaire({-1, 1, 2}, 0.1, 1000, 1), {0, 0, 0}, {90, 45, 0});
    EXPECT_GT(steep.zp, steep.d);
    EXPECT_DOUBLE_EQ(steep.delta, std::numbers::pi / 2);
    EXPECT_NEAR(steep.ei, steep.eh * steep.d / steep.h, 1e-12);
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
