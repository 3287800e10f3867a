#include "catalogue/PhotometryDerivation.h"

#include "model/Constants.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

constexpr double kPi = 3.14159265358979323846;

// ∫ (p + q·θ) sin θ dθ from t0 to t1 (radians).
double LinearTimesSine(double p, double q, double t0, double t1) {
    const auto primitive = [&](double t) {
        return -p * std::cos(t) + q * (std::sin(t) - t * std::cos(t));
    };
    return primitive(t1) - primitive(t0);
}

} // namespace

double CurveValueAt(const PrintedCurve& curve, double angle) {
    if (curve.empty()) {
        return 0.0;
    }
    if (angle <= curve.front().angle) {
        return curve.front().value;
    }
    for (size_t i = 1; i < curve.size(); ++i) {
        const CurveSample& lo = curve[i - 1];
        const CurveSample& hi = curve[i];
        if (angle <= hi.angle) {
            const double span = hi.angle - lo.angle;
            return span <= 0.0 ? hi.value
                               : lo.value + (hi.value - lo.value) * (angle - lo.angle) / span;
        }
    }
    return angle - curve.back().angle < kTolerance ? curve.back().value : 0.0;
}

double RotationalFlux(const PrintedCurve& curve, double from, double to) {
    if (curve.empty() || to <= from) {
        return 0.0;
    }
    // Pieces on which the intensity is linear: before the first row (constant), between
    // rows, and nothing after the last row.
    std::vector<CurveSample> knots;
    knots.push_back({std::min(from, curve.front().angle), curve.front().value});
    knots.insert(knots.end(), curve.begin(), curve.end());
    double total = 0.0;
    for (size_t i = 1; i < knots.size(); ++i) {
        const double a0 = std::max(knots[i - 1].angle, from);
        const double a1 = std::min(knots[i].angle, to);
        const double span = knots[i].angle - knots[i - 1].angle;
        if (a1 <= a0 || span <= 0.0) {
            continue;
        }
        const double slope = (knots[i].value - knots[i - 1].value) / span; // per degree
        // I(θ°) = v0 + slope·(θ° − θ0°); in radians t: I = p + q·t.
        const double q = slope * kRadToDeg;
        const double p = knots[i - 1].value - slope * knots[i - 1].angle;
        total += LinearTimesSine(p, q, a0 * kDegToRad, a1 * kDegToRad);
    }
    return 2.0 * kPi * total;
}

double TwoPlaneFlux(const PrintedCurve& a, const PrintedCurve& b, double from, double to) {
    return 0.5 * (RotationalFlux(a, from, to) + RotationalFlux(b, from, to));
}

std::vector<GridNode> RotationalGrid(const PrintedCurve& curve, const std::vector<double>& angles,
                                     double scale) {
    std::vector<GridNode> nodes;
    nodes.reserve(angles.size() * angles.size());
    for (const double u : angles) {
        for (const double v : angles) {
            const double cosine =
                std::clamp(std::cos(u * kDegToRad) * std::cos(v * kDegToRad), -1.0, 1.0);
            const double psi = std::acos(cosine) * kRadToDeg;
            nodes.push_back({u, v, CurveValueAt(curve, psi) * scale});
        }
    }
    return nodes;
}

} // namespace qv
