// Intensity lookup, frames of rotations, outline tests, linear distribution types and
// azimuth factors.
#include "calc/common/Photometry.h"
#include "calc/common/Outline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace qv {
namespace {

IntensityCurve Curve(std::initializer_list<IntensityRow> rows) {
    IntensityCurve curve;
    for (const IntensityRow& row : rows) {
        curve.Append(row);
    }
    return curve;
}

TEST(IntensityAt, NeighbourRuleAndInterpolation) {
    const IntensityCurve curve = Curve({{5, 300}, {10, 200}, {20, 100}, {40, 50}});
    EXPECT_DOUBLE_EQ(IntensityAt(curve, 10), 200);
    EXPECT_DOUBLE_EQ(IntensityAt(curve, 14), 160);
    EXPECT_DOUBLE_EQ(IntensityAt(curve, 30), 75);
    EXPECT_DOUBLE_EQ(IntensityAt(curve, 0), 300); // below the first angle
    EXPECT_DOUBLE_EQ(IntensityAt(curve, 90), 50); // beyond the last angle
    EXPECT_DOUBLE_EQ(IntensityAt(IntensityCurve(), 0), 0);
    // An angle within the tolerance of an entry takes that entry.
    EXPECT_DOUBLE_EQ(IntensityAt(Curve({{0, 10}, {7.0000005, 70}, {8, 80}}), 7), 70);
    // 37.9° is looked up as 37°.
    ASSERT_EQ(WholeDegrees(37.9), 37);
    EXPECT_DOUBLE_EQ(IntensityAt(Curve({{30, 100}, {40, 0}}), WholeDegrees(37.9)), 30);
    EXPECT_EQ(WholeDegrees(std::nan("")), -1);
    EXPECT_EQ(WholeDegrees(90.00000000000001), 90);
}

TEST(RotateIntoFrame, IdentityCutOfSmallXAndNegatedAngles) {
    const Vector v = RotateIntoFrame({1.5, -2.0, 3.0}, Rotation());
    EXPECT_EQ(v.x, 1.5);
    EXPECT_EQ(v.y, -2.0);
    EXPECT_EQ(v.z, 3.0);
    EXPECT_EQ(RotateIntoFrame({5e-7, 1.0, 0.0}, Rotation()).x, 0.0);
    EXPECT_EQ(RotateIntoFrame({-2e-6, 1.0, 0.0}, Rotation()).x, -2e-6);
    // 30° about X: the frame's y axis turns toward +z.
    const Vector u = RotateIntoFrame({0.0, 1.0, 0.0}, {30.0, 0.0, 0.0});
    EXPECT_NEAR(u.y, std::cos(std::numbers::pi / 6), 1e-15);
    EXPECT_NEAR(u.z, 0.5, 1e-15);
    const Vector w = RotateIntoFrame({0.0, 0.0, 1.0}, {30.0, 0.0, 0.0});
    EXPECT_NEAR(w.y, -0.5, 1e-15);
}

TEST(RotateIntoFrame, RightAnglesAreNudgedAndStayFinite) {
    const Vector v = RotateIntoFrame({1.0, 0.0, 0.0}, {0.0, 0.0, 90.0});
    EXPECT_NEAR(v.x, 2e-6, 1e-12); // cos of the nudged angle
    EXPECT_NEAR(v.y, 1.0, 1e-11);
    for (const Rotation& r : {Rotation{90, 90, 90}, Rotation{-90, 270, 450}, Rotation{0, 90, 0}}) {
        const Vector w = RotateIntoFrame({0.3, -0.7, 1.1}, r);
        EXPECT_TRUE(std::isfinite(w.x) && std::isfinite(w.y) && std::isfinite(w.z));
    }
}

TEST(PointInOutline, InsideOutsideEdgeAndInvalid) {
    const std::vector<Vector> square = {{0, 0, 0}, {4, 0, 0}, {4, 4, 0}, {0, 4, 0}};
    EXPECT_EQ(PointInOutline(square, {2, 3, 0.75}), kOutlineInside);
    EXPECT_EQ(PointInOutline(square, {5, 3, 0}), kOutlineOutside);
    EXPECT_EQ(PointInOutline(square, {4, 2, 0.75}), kOutlineOnEdge);
    EXPECT_EQ(PointInOutline(square, {0, 0, 0}), kOutlineOnEdge);
    EXPECT_EQ(PointInOutline({{0, 0, 0}, {4, 0, 0}}, {1, 0, 0}), kOutlineInvalid);
    // The segment toward the far point passes through the corner (4, 4): one crossing.
    EXPECT_EQ(PointInOutline(square, {1, 1, 0}), kOutlineInside);
    const std::vector<Vector> lShape = {{0, 0, 0}, {6, 0, 0}, {6, 2, 0},
                                        {2, 2, 0}, {2, 5, 0}, {0, 5, 0}};
    EXPECT_EQ(PointInOutline(lShape, {4, 4, 0}), kOutlineOutside);
    EXPECT_EQ(PointInOutline(lShape, {1, 4, 0}), kOutlineInside);
    EXPECT_EQ(PointInOutline(lShape, {5, 1, 0}), kOutlineInside);
    EXPECT_DOUBLE_EQ(OutlineArea(lShape), 18);
    EXPECT_DOUBLE_EQ(OutlineArea({{6, 4, 0}, {6, 0, 0}, {0, 0, 0}, {0, 4, 0}}), 24);
    EXPECT_EQ(OutlineArea({{0, 0, 0}, {1, 1, 0}}), 0);
}

TEST(ClassifyLinearDistribution, BestFittingFallOff) {
    for (int power = 1; power <= 4; ++power) {
        IntensityCurve curve;
        for (int a = 0; a <= 90; a += 10) {
            curve.Append({double(a), 500 * std::pow(std::cos(a * kDegToRad), power)});
        }
        const int expected[] = {0, kLinearA, kLinearC, kLinearD, kLinearE};
        EXPECT_EQ(ClassifyLinearDistribution(curve, kLinearB), expected[power]) << power;
    }
    // No 0° entry, or nothing at 0°: the type stays.
    EXPECT_EQ(ClassifyLinearDistribution(Curve({{5, 100}, {30, 80}}), kLinearD), kLinearD);
    EXPECT_EQ(ClassifyLinearDistribution(Curve({{0, 0}, {30, 80}}), kLinearC), kLinearC);
    // Only the 0° entry: every sum is 0 and the tie goes to A.
    EXPECT_EQ(ClassifyLinearDistribution(Curve({{0, 100}}), kLinearE), kLinearA);
}

// AF = ∫₀^α f(φ)·cosφ dφ and af = ∫₀^α f(φ)·sinφ dφ for the fall-off f of each type.
TEST(AzimuthFactors, AreTheIntegralsOfTheFallOff) {
    auto fallOff = [](int type, double c) {
        switch (type) {
        case kLinearA:
            return c;
        case kLinearB:
            return (c + c * c) / 2;
        default:
            return std::pow(c, type);
        }
    };
    for (int type = kLinearA; type <= kLinearE; ++type) {
        for (const double alpha : {0.3, 1.0, std::numbers::pi / 2}) {
            const int n = 20000;
            double horizontal = 0;
            double vertical = 0;
            for (int i = 0; i < n; ++i) {
                const double phi = (i + 0.5) * alpha / n;
                horizontal += fallOff(type, std::cos(phi)) * std::cos(phi) * alpha / n;
                vertical += fallOff(type, std::cos(phi)) * std::sin(phi) * alpha / n;
            }
            const AzimuthFactor f = AzimuthFactors(type, alpha);
            EXPECT_NEAR(f.horizontal, horizontal, 1e-8) << type << " " << alpha;
            EXPECT_NEAR(f.vertical, vertical, 1e-8) << type << " " << alpha;
        }
    }
    EXPECT_EQ(AzimuthFactors(5, 1.0).horizontal, 0.0);
    EXPECT_EQ(AzimuthFactors(-1, 1.0).vertical, 0.0);
}

} // namespace
} // namespace qv
