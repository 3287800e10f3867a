#pragma once
// The whole degrees of an arctangent, WholeDegrees(|atan(t)|·180/π), as the point step
// looks intensities up, without computing the arctangent where t lies clearly between
// the tangents of two whole degrees. Close to such a tangent (and for large, infinite or
// no-number t) the arctangent is computed as the step writes it, so the result is that
// of the step to the bit.
#include "calc/common/Photometry.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace qv {

class AtanDegrees {
public:
    // The one table, built on first use (constant afterwards; safe to share between
    // threads).
    static const AtanDegrees& Table();

    int WholeDegreesOf(double t) const {
        const double a = std::fabs(t);
        if (!(a < kTableEnd)) {
            return Exact(t);
        }
        int degrees = m_degreesAtBucket[static_cast<size_t>(a * kBucketsPerUnit)];
        if (a >= m_tangent[static_cast<size_t>(degrees) + 1]) {
            ++degrees; // a bucket holds at most one whole-degree tangent
        }
        const double below = m_tangent[static_cast<size_t>(degrees)];
        const double above = m_tangent[static_cast<size_t>(degrees) + 1];
        if (a - below < kMargin * below || above - a < kMargin * above) {
            return Exact(t);
        }
        return degrees;
    }

    static int Exact(double t) { return WholeDegrees(std::fabs(std::atan(t)) * kRadToDeg); }

private:
    AtanDegrees();

    // Buckets of 1/128: narrower than the smallest gap between the tangents of two whole
    // degrees (tan 1° ≈ 0.0175), so a bucket holds at most one of them.
    static constexpr double kBucketsPerUnit = 128.0;
    // Beyond tan 89° ≈ 57.3 the table ends; such steep angles take the arctangent.
    static constexpr double kTableEnd = 64.0;
    // Relative distance from a whole-degree tangent within which the arctangent is
    // computed: far above the few units in the last place by which the computed
    // arctangent, its product with 180/π and the tabulated tangent can be off.
    static constexpr double kMargin = 1e-11;

    std::array<double, kMaxLookupDegrees + 2> m_tangent{}; // tan k°; the last one +inf
    std::array<uint8_t, static_cast<size_t>(kTableEnd* kBucketsPerUnit)> m_degreesAtBucket{};
};

} // namespace qv
