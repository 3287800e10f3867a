#include "calc/indoor/AreaSourceFactors.h"

#include "model/Constants.h"

#include <cmath>

namespace qv {

double SourceEdge(double centre, double size, double p, bool far) {
    const double lo = centre - size / 2.0;
    const double hi = centre + size / 2.0;
    const double toHi = std::fabs(p - hi);
    const double toLo = std::fabs(p - lo);
    if (far) {
        return toHi > toLo ? hi : lo;
    }
    return toHi < toLo ? hi : lo;
}

double FormFactorHorizontal(double X, double Y) {
    const double rootX = std::sqrt(1.0 + X * X);
    const double rootY = std::sqrt(1.0 + Y * Y);
    return 0.5 * (X / rootX * std::atan(Y / rootX) + Y / rootY * std::atan(X / rootY));
}

double FormFactorVertical(double X, double Y) {
    if (std::fabs(Y) < kTolerance || X * X + Y * Y < kTolerance) {
        return 0.0;
    }
    const double root = std::sqrt(X * X + Y * Y);
    return 0.5 * (std::atan(1.0 / Y) - Y / root * std::atan(1.0 / root));
}

double FormFactorInclined(double X, double Y, double phi) {
    if (std::fabs(X * Y) < kTolerance) {
        return 0.0;
    }
    const double cosPhi = std::cos(phi);
    const double sinPhi = std::sin(phi);
    // X² + Y² - 2XY·cosφ written without cancellation, so that it stays positive for
    // the smallest angles.
    const double halfSin = std::sin(phi / 2.0);
    const double V = std::sqrt((X - Y) * (X - Y) + 4.0 * X * Y * halfSin * halfSin);
    const double W = std::sqrt(1.0 + Y * Y * sinPhi * sinPhi);
    return 0.5 * (std::atan(1.0 / Y) + (X * cosPhi - Y) / V * std::atan(1.0 / V) +
                  cosPhi / W * (std::atan((X - Y * cosPhi) / W) + std::atan(Y * cosPhi / W)));
}

double FormFactorNonUniform(double X, double Y) {
    if (std::fabs(X * Y) < kTolerance) {
        return 0.0;
    }
    const double Q = X * Y / std::sqrt(1.0 + X * X + Y * Y);
    return (std::atan(Q) + (1.0 / (1.0 + X * X) + 1.0 / (1.0 + Y * Y)) * Q) / 3.0;
}

namespace {

// S = 1 + H² + x̄² and R = S² - 4x̄² of the disc factors.
struct DiscTerms {
    double S;
    double R;
};

DiscTerms DiscTermsOf(double H, double xBar) {
    const double S = 1.0 + H * H + xBar * xBar;
    return {S, S * S - 4.0 * xBar * xBar};
}

} // namespace

double DiscFactorHorizontal(double H, double xBar) {
    const DiscTerms terms = DiscTermsOf(H, xBar);
    if (std::fabs(terms.R) < kTolerance) {
        return 0.0;
    }
    return 0.5 * (1.0 - (H * H + xBar * xBar - 1.0) / std::sqrt(terms.R));
}

double DiscFactorVertical(double H, double xBar) {
    const DiscTerms terms = DiscTermsOf(H, xBar);
    // A plane through the axis (x̄ below the tolerance) takes the formula's limit, 0.
    if (std::fabs(terms.R) < kTolerance || xBar < kTolerance) {
        return 0.0;
    }
    return H / xBar * 0.5 * (terms.S / std::sqrt(terms.R) - 1.0);
}

} // namespace qv
