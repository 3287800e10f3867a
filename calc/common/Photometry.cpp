#include "calc/common/Photometry.h"

#include <numbers>

namespace qv {
namespace {

constexpr double kHalfPi = std::numbers::pi / 2.0;
// An angle on an odd multiple of π/2 is moved by this much before its tangent is taken.
constexpr double kTangentNudge = 2e-6;

double NudgedTangent(double angle) {
    const double quotient = angle / kHalfPi;
    const double whole = std::trunc(quotient);
    if (std::fmod(whole, 2.0) != 0.0 && std::fabs(quotient - whole) < kTolerance) {
        angle += kTangentNudge;
    }
    return std::tan(angle);
}

// The two tangents of one column of a frame matrix and the column's length.
struct ColumnTangents {
    double t1;
    double t2;
    double length;
};

ColumnTangents Tangents(double u, double w) {
    const double t1 = -NudgedTangent(u);
    const double t2 = std::sqrt(t1 * t1 + 1.0) * NudgedTangent(w);
    return {t1, t2, std::sqrt(1.0 + t1 * t1 + t2 * t2)};
}

} // namespace

double IntensityAt(const IntensityCurve& curve, int angleDegrees) {
    const std::vector<IntensityRow>& rows = curve.Rows();
    const double x = angleDegrees;
    const Neighbours found = FindNeighbours(static_cast<int>(rows.size()), x, [&rows](int i) {
        return rows[static_cast<size_t>(i)].dAngle;
    });
    if (found.lower < 0) {
        return 0.0;
    }
    const IntensityRow& lower = rows[static_cast<size_t>(found.lower)];
    const IntensityRow& upper = rows[static_cast<size_t>(found.upper)];
    if (x == lower.dAngle || found.lower == found.upper) {
        return lower.dLightStrong;
    }
    const double r = (upper.dAngle - x) / (x - lower.dAngle);
    return upper.dLightStrong + (lower.dLightStrong - upper.dLightStrong) * r / (r + 1.0);
}

FrameMatrix FrameOf(const Rotation& rotation) {
    const double p = -rotation.x * kDegToRad;
    const double q = -rotation.y * kDegToRad;
    const double s = -rotation.z * kDegToRad;
    FrameMatrix frame;
    double(&m)[3][3] = frame.m;
    const ColumnTangents c0 = Tangents(s, q);
    m[0][0] = 1.0 / c0.length;
    m[1][0] = c0.t1 / c0.length;
    m[2][0] = c0.t2 / c0.length;
    const ColumnTangents c1 = Tangents(p, s);
    m[0][1] = c1.t2 / c1.length;
    m[1][1] = 1.0 / c1.length;
    m[2][1] = c1.t1 / c1.length;
    const ColumnTangents c2 = Tangents(q, p);
    m[0][2] = c2.t1 / c2.length;
    m[1][2] = c2.t2 / c2.length;
    m[2][2] = 1.0 / c2.length;
    return frame;
}

Vector RotateIntoFrame(const Vector& v, const Rotation& rotation) {
    return ApplyFrame(FrameOf(rotation), v);
}

int ClassifyLinearDistribution(const IntensityCurve& curveA, int currentType) {
    const IntensityRow* zero = nullptr;
    for (const IntensityRow& row : curveA.Rows()) {
        if (std::fabs(row.dAngle) < kTolerance) {
            zero = &row;
            break;
        }
    }
    if (zero == nullptr || zero->dLightStrong < kTolerance) {
        return currentType;
    }
    const double i0 = zero->dLightStrong;
    double sums[5] = {0.0, 0.0, 0.0, 0.0, 0.0};
    for (const IntensityRow& row : curveA.Rows()) {
        const double c = std::cos(row.dAngle * kDegToRad);
        const double r = row.dLightStrong / i0;
        sums[kLinearA] += std::fabs(c - r);
        sums[kLinearB] += std::fabs((c * c + c) / 2.0 - r);
        sums[kLinearC] += std::fabs(c * c - r);
        sums[kLinearD] += std::fabs(c * c * c - r);
        sums[kLinearE] += std::fabs(c * c * c * c - r);
    }
    int best = kLinearA;
    for (int type = kLinearB; type <= kLinearE; ++type) {
        if (sums[type] < sums[best]) {
            best = type;
        }
    }
    return best;
}

AzimuthFactor AzimuthFactors(int linearType, double alpha) {
    const double s = std::sin(alpha);
    const double c = std::cos(alpha);
    switch (linearType) {
    case kLinearA:
        return {0.5 * (s * c + alpha), 0.5 * (1.0 - c * c)};
    case kLinearB:
        return {0.25 * (c * s + alpha) + (c * c + 2.0) * s / 6.0,
                (1.0 - c * c * c) / 6.0 + 0.25 * (1.0 - c * c)};
    case kLinearC:
        return {(c * c + 2.0) * s / 3.0, (1.0 - c * c * c) / 3.0};
    case kLinearD:
        return {0.25 * c * c * c * s + 0.375 * (c * s + alpha), 0.25 * (1.0 - c * c * c * c)};
    case kLinearE:
        return {(4.0 / 15.0) * (c * c + 2.0) * s + 0.2 * c * c * c * c * s,
                0.2 * (1.0 - c * c * c * c * c)};
    default:
        return {};
    }
}

} // namespace qv
