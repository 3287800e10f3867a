#include "calc/glare/GlareIntensity.h"

#include <algorithm>
#include <cmath>

namespace qv {
namespace {

// Fritsch–Carlson slopes of a monotone cubic through (x, y): the weighted harmonic mean of
// the neighbouring secants where they agree in sign, 0 at a turning point, and a
// shape-keeping three-point slope at the ends.
std::vector<double> MonotoneSlopes(const std::vector<double>& x, const std::vector<double>& y) {
    const size_t n = x.size();
    std::vector<double> d(n, 0.0);
    if (n < 2) {
        return d;
    }
    std::vector<double> h(n - 1);
    std::vector<double> delta(n - 1);
    for (size_t k = 0; k + 1 < n; ++k) {
        h[k] = x[k + 1] - x[k];
        delta[k] = (y[k + 1] - y[k]) / h[k];
    }
    if (n == 2) {
        d[0] = d[1] = delta[0];
        return d;
    }
    for (size_t k = 1; k + 1 < n; ++k) {
        if (delta[k - 1] * delta[k] <= 0.0) {
            continue;
        }
        const double w1 = 2.0 * h[k] + h[k - 1];
        const double w2 = h[k] + 2.0 * h[k - 1];
        d[k] = (w1 + w2) / (w1 / delta[k - 1] + w2 / delta[k]);
    }
    const auto end = [](double h0, double h1, double m0, double m1) {
        const double slope = ((2.0 * h0 + h1) * m0 - h0 * m1) / (h0 + h1);
        if (slope * m0 <= 0.0) {
            return 0.0;
        }
        if (m0 * m1 < 0.0 && std::fabs(slope) > 3.0 * std::fabs(m0)) {
            return 3.0 * m0;
        }
        return slope;
    };
    d[0] = end(h[0], h[1], delta[0], delta[1]);
    d[n - 1] = end(h[n - 2], h[n - 3], delta[n - 2], delta[n - 3]);
    return d;
}

// Cubic Hermite between (0, y0, slope d0) and (span, y1, slope d1) at share t.
double Hermite(double y0, double y1, double d0, double d1, double span, double t) {
    const double t2 = t * t;
    const double t3 = t2 * t;
    return (2 * t3 - 3 * t2 + 1) * y0 + (t3 - 2 * t2 + t) * span * d0 + (-2 * t3 + 3 * t2) * y1 +
           (t3 - t2) * span * d1;
}

// Slope at the middle of three points (monotone: 0 at a turning point).
double MiddleSlope(double h0, double h1, double m0, double m1) {
    if (m0 * m1 <= 0.0) {
        return 0.0;
    }
    const double w1 = 2.0 * h1 + h0;
    const double w2 = h1 + 2.0 * h0;
    return (w1 + w2) / (w1 / m0 + w2 / m1);
}

// Every plane angle in [0, 360) that the stored planes stand for under the coverage.
std::vector<double> UnfoldedPlanes(const PhotometricData& data) {
    std::vector<double> planes;
    for (const double p : data.planes) {
        switch (data.coverage) {
        case PlaneCoverage::kQuadrant:
            planes.insert(planes.end(), {p, 180.0 - p, 180.0 + p, 360.0 - p});
            break;
        case PlaneCoverage::kHalf0To180:
            planes.insert(planes.end(), {p, 360.0 - p});
            break;
        case PlaneCoverage::kHalf90To270:
            planes.insert(planes.end(), {p, 180.0 - p});
            break;
        default:
            planes.push_back(p);
        }
    }
    for (double& p : planes) {
        p = std::fmod(p, 360.0);
        if (p < 0.0) {
            p += 360.0;
        }
        if (p > 360.0 - 1e-9) {
            p = 0.0;
        }
    }
    std::sort(planes.begin(), planes.end());
    planes.erase(std::unique(planes.begin(), planes.end(),
                             [](double a, double b) { return std::fabs(a - b) < 1e-9; }),
                 planes.end());
    return planes;
}

} // namespace

IntensitySampler::IntensitySampler(const PhotometricData& data,
                                   IntensityInterpolation interpolation)
    : m_data(data), m_interpolation(interpolation) {
    if (interpolation != IntensityInterpolation::kMonotoneCubic || data.planes.empty() ||
        data.candela.size() != data.planes.size()) {
        m_interpolation = IntensityInterpolation::kBilinear;
        return;
    }
    const bool single = data.coverage == PlaneCoverage::kRotational || data.planes.size() == 1;
    const std::vector<double> angles = single ? std::vector<double>{0.0} : UnfoldedPlanes(data);
    for (const double angle : angles) {
        Plane plane;
        plane.angle = angle;
        plane.values.reserve(data.angles.size());
        for (const double gamma : data.angles) {
            plane.values.push_back(CandelaAt(data, angle, gamma));
        }
        plane.slopes = MonotoneSlopes(data.angles, plane.values);
        m_planes.push_back(std::move(plane));
    }
}

double IntensitySampler::AlongPlane(const Plane& plane, double gamma) const {
    const std::vector<double>& g = m_data.angles;
    if (g.size() == 1) {
        return std::fabs(gamma - g[0]) < 1e-6 ? plane.values[0] : 0.0;
    }
    if (gamma < g.front() - 1e-6 || gamma > g.back() + 1e-6) {
        return 0.0;
    }
    const auto upper = std::upper_bound(g.begin(), g.end(), gamma);
    size_t i = upper == g.begin() ? 0 : static_cast<size_t>(upper - g.begin()) - 1;
    i = std::min(i, g.size() - 2);
    const double span = g[i + 1] - g[i];
    const double t = std::clamp((gamma - g[i]) / span, 0.0, 1.0);
    return Hermite(plane.values[i], plane.values[i + 1], plane.slopes[i], plane.slopes[i + 1], span,
                   t);
}

double IntensitySampler::operator()(double c, double gamma) const {
    if (m_interpolation == IntensityInterpolation::kBilinear) {
        return CandelaAt(m_data, c, gamma);
    }
    const size_t n = m_planes.size();
    if (n == 1) {
        return AlongPlane(m_planes[0], gamma);
    }
    c = std::fmod(c, 360.0);
    if (c < 0.0) {
        c += 360.0;
    }
    // The planes around c, taken round the circle: k-1, k, k+1, k+2.
    const auto angleOf = [&](long k) {
        const long wrapped =
            ((k % static_cast<long>(n)) + static_cast<long>(n)) % static_cast<long>(n);
        const double turns = std::floor(static_cast<double>(k) / static_cast<double>(n));
        return m_planes[static_cast<size_t>(wrapped)].angle + 360.0 * turns;
    };
    const auto valueOf = [&](long k) {
        const long wrapped =
            ((k % static_cast<long>(n)) + static_cast<long>(n)) % static_cast<long>(n);
        return AlongPlane(m_planes[static_cast<size_t>(wrapped)], gamma);
    };
    long k = static_cast<long>(n) - 1;
    for (size_t i = 0; i + 1 < n; ++i) {
        if (c >= m_planes[i].angle && c < m_planes[i + 1].angle) {
            k = static_cast<long>(i);
            break;
        }
    }
    if (c < m_planes[0].angle) {
        k = -1;
    }
    const double c0 = angleOf(k - 1), c1 = angleOf(k), c2 = angleOf(k + 1), c3 = angleOf(k + 2);
    const double y0 = valueOf(k - 1), y1 = valueOf(k), y2 = valueOf(k + 1), y3 = valueOf(k + 2);
    const double span = c2 - c1;
    if (span <= 0.0) {
        return y1;
    }
    const double m0 = (y1 - y0) / (c1 - c0);
    const double m1 = (y2 - y1) / span;
    const double m2 = (y3 - y2) / (c3 - c2);
    const double d1 = MiddleSlope(c1 - c0, span, m0, m1);
    const double d2 = MiddleSlope(span, c3 - c2, m1, m2);
    return Hermite(y1, y2, d1, d2, span, std::clamp((c - c1) / span, 0.0, 1.0));
}

} // namespace qv
