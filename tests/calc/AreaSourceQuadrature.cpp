#include "calc/AreaSourceQuadrature.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace qv::test {

namespace {

using Integrand = std::function<double(double)>;

// Gauss–Kronrod (7, 15) on [-1, 1]: the positive Kronrod nodes (odd ones are Gauss
// nodes) and the weights; the centre node is the last.
constexpr double kNodes[] = {
    0.99145537112081264, 0.94910791234275852, 0.86486442335976907, 0.74153118559939444,
    0.58608723546769113, 0.40584515137739717, 0.20778495500789847, 0.0};
constexpr double kKronrod[] = {0.022935322010529225, 0.063092092629978553, 0.10479001032225018,
                               0.14065325971552592,  0.16900472663926790,  0.19035057806478541,
                               0.20443294007529889,  0.20948214108472783};
constexpr double kGauss[] = {0.12948496616886969, 0.27970539148927667, 0.38183005050511894,
                             0.41795918367346939};

// Bisects until the Kronrod and Gauss sums agree to relTol; the depth bounds the run time.
double Adaptive(const Integrand& f, double a, double b, double relTol, int depth) {
    const double centre = 0.5 * (a + b);
    const double half = 0.5 * (b - a);
    double kronrod = 0.0;
    double gauss = 0.0;
    for (int i = 0; i < 8; ++i) {
        const double x = half * kNodes[i];
        const double sum = i < 7 ? f(centre - x) + f(centre + x) : f(centre);
        kronrod += kKronrod[i] * sum;
        gauss += i % 2 == 1 ? kGauss[i / 2] * sum : 0.0;
    }
    const double error = half * std::fabs(kronrod - gauss);
    if (depth >= 30 || error <= relTol * half * std::fabs(kronrod) || error < 1e-300) {
        return half * kronrod;
    }
    return Adaptive(f, a, centre, relTol, depth + 1) + Adaptive(f, centre, b, relTol, depth + 1);
}

// ∫ f over [a, b], split where the integrand peaks.
double Integrate(const Integrand& f, double a, double b, std::vector<double> splits,
                 double relTol) {
    splits.insert(splits.end(), {a, b});
    std::sort(splits.begin(), splits.end());
    double sum = 0.0;
    for (size_t i = 0; i + 1 < splits.size(); ++i) {
        const double lo = std::clamp(splits[i], a, b);
        const double hi = std::clamp(splits[i + 1], a, b);
        sum += hi > lo ? Adaptive(f, lo, hi, relTol, 0) : 0.0;
    }
    return sum;
}

} // namespace

double RectIlluminance(const Rectangle& source, double h, double L, double px, double py, double pz,
                       double nx, double nz) {
    const double d = h - pz;
    double xmin = source.xmin;
    double xmax = source.xmax;
    if (nx != 0.0) { // in front: nx·(x - px) + nz·d > 0
        const double edge = px - nz * d / nx;
        nx < 0.0 ? xmax = std::min(xmax, edge) : xmin = std::max(xmin, edge);
    } else if (nz * d <= 0.0) {
        return 0.0;
    }
    auto atX = [&](double x) {
        const double facing = nx * (x - px) + nz * d; // r·cosθr; d is r·cosθs
        auto atY = [&](double y) {
            const double r2 = (x - px) * (x - px) + (y - py) * (y - py) + d * d;
            return d * facing / (r2 * r2);
        };
        return Integrate(atY, source.ymin, source.ymax, {py}, 1e-12);
    };
    return L * Integrate(atX, xmin, xmax, {px}, 1e-11);
}

double DiscHorizontalIlluminance(double a, double cx, double cy, double h, double L, double px,
                                 double py, double pz) {
    const double d = h - pz;
    const double X = std::hypot(px - cx, py - cy);
    // Polar coordinates about the centre, angles from the direction to P (symmetric).
    auto atRadius = [&](double rho) {
        auto atAngle = [&](double theta) {
            const double r2 = rho * rho + X * X - 2.0 * rho * X * std::cos(theta) + d * d;
            return d * d / (r2 * r2) * rho;
        };
        return 2.0 * Integrate(atAngle, 0.0, std::acos(-1.0), {}, 1e-12);
    };
    return L * Integrate(atRadius, 0.0, a, {X}, 1e-11);
}

} // namespace qv::test
