#include "calc/indoor/LevelPointStep.h"

#include "calc/indoor/AtanDegrees.h"

#include <cmath>

namespace qv {
namespace {

constexpr double kPointSourceShare = 0.25;
constexpr double kTableFlux = 1000.0;

// The table value at |angle| (radians) in whole degrees; false for no number.
inline bool LookUp(const std::array<double, kMaxLookupDegrees + 1>& curve, double radians,
                   double& intensity) {
    const int degrees = WholeDegrees(radians * kRadToDeg);
    if (degrees < 0) {
        return false;
    }
    intensity = curve[static_cast<size_t>(degrees)];
    return true;
}

inline double EndAngle(double r, double ri) {
    return ri > kTolerance && std::fabs(r / ri) < 1.0 ? std::acos(r / ri) : 0.0;
}

// What one step gives: whether it sets the point's intensity and whether it adds.
struct LevelStep {
    bool setsIntensity = false;
    bool contributes = false;
    double intensity = 0.0;
    double eh = 0.0;
    double ev = 0.0;
};

// The table value at the whole degrees of |atan(t)|; false for no number.
inline bool LookUpAtan(const std::array<double, kMaxLookupDegrees + 1>& curve,
                       const AtanDegrees& atanDegrees, double t, double& intensity) {
    const int degrees = atanDegrees.WholeDegreesOf(t);
    if (degrees < 0) {
        return false;
    }
    intensity = curve[static_cast<size_t>(degrees)];
    return true;
}

inline void PointSource(const PreparedLuminaire& luminaire, double x, double y, double h, double d,
                        LevelStep& step) {
    const AtanDegrees& atanDegrees = AtanDegrees::Table();
    const double theta = std::atan(d / h);
    double intensityB = 0.0;
    double intensityA = 0.0;
    if (!LookUpAtan(luminaire.intensityB, atanDegrees, y / h, intensityB)) {
        return;
    }
    const double intensityB0 = luminaire.intensityB[0];
    if (intensityB0 < kTolerance ||
        !LookUpAtan(luminaire.intensityA, atanDegrees, x / std::sqrt(y * y + h * h), intensityA)) {
        return;
    }
    step.intensity = intensityA * intensityB / intensityB0;
    step.setsIntensity = true;
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    const double denominator = kTableFlux * h * h;
    step.eh = luminaire.fluxFactor * step.intensity * (c * c * c) / denominator;
    step.ev = luminaire.fluxFactor * step.intensity * (c * c) * s / denominator;
    step.contributes = true;
}

inline void LinearSource(const PreparedLuminaire& luminaire, double x, double y, double h,
                         LevelStep& step) {
    const double length = luminaire.length;
    const double theta = std::fabs(std::atan(y / h));
    double intensityB = 0.0;
    if (!LookUp(luminaire.intensityB, theta, intensityB) || luminaire.intensityB[0] < kTolerance) {
        return;
    }
    step.intensity = intensityB / length;
    step.setsIntensity = true;
    const double half = length / 2.0;
    const Vector e1{-half, 0.0, 0.0};
    const Vector e2{half, 0.0, 0.0};
    const double r = std::sqrt(y * y + h * h);
    const double dx1 = x - e1.x;
    const double dx2 = x - e2.x;
    const double alpha1 = EndAngle(r, std::sqrt(dx1 * dx1 + y * y + h * h));
    const double alpha2 = EndAngle(r, std::sqrt(dx2 * dx2 + y * y + h * h));
    const int footCase = FootCase(e1, e2, {x, 0.0, 0.0});
    if (footCase == kFootOff) {
        return;
    }
    const double c = std::cos(theta);
    const double fluxIntensity = luminaire.fluxFactor * step.intensity;
    const double denominator = kTableFlux * h;
    const auto eh = [&](const AzimuthFactor& f) {
        return fluxIntensity * (c * c) * f.horizontal / denominator;
    };
    const auto ev = [&](const AzimuthFactor& f) {
        return fluxIntensity * c * f.vertical / denominator;
    };
    if (footCase == kFootAtEnd) {
        const AzimuthFactor f = AzimuthFactors(luminaire.linearType, alpha1 + alpha2);
        step.eh = eh(f);
        step.ev = ev(f);
    } else {
        const bool swapped = footCase == kFootBeyondE1;
        const AzimuthFactor f1 = AzimuthFactors(luminaire.linearType, swapped ? alpha2 : alpha1);
        const AzimuthFactor f2 = AzimuthFactors(luminaire.linearType, swapped ? alpha1 : alpha2);
        if (footCase == kFootOnSource) {
            step.eh = eh(f1) + eh(f2);
            step.ev = ev(f1) + ev(f2);
        } else {
            step.eh = eh(f1) - eh(f2);
            step.ev = ev(f1) - ev(f2);
        }
    }
    step.contributes = true;
}

} // namespace

void AddLevelContribution(const PreparedLuminaire& luminaire, CalcPoint& point,
                          double& lastContribution, bool& contributed) {
    const Vector& p = point.position;
    const Vector local =
        ApplyFrame(luminaire.frame, {p.x - luminaire.position.x, p.y - luminaire.position.y,
                                     p.z - luminaire.position.z});
    const double h = -local.z;
    if (!(h >= kTolerance)) {
        return;
    }
    const double d = std::sqrt(local.x * local.x + local.y * local.y);
    LevelStep step;
    if (luminaire.length < kPointSourceShare * h) {
        PointSource(luminaire, local.x, local.y, h, d, step);
    } else {
        LinearSource(luminaire, local.x, local.y, h, step);
    }
    // A value that is no number (or overflowed) leaves the point as it was.
    // Ei = Eh·(1 + (d/h)·0) is no number when d/h overflows.
    if ((step.setsIntensity && !std::isfinite(step.intensity)) ||
        (step.contributes && !(std::isfinite(step.eh) && std::isfinite(step.ev) &&
                               (d <= kTolerance || std::isfinite(d / h))))) {
        return;
    }
    if (step.setsIntensity) {
        point.dIntensity = step.intensity;
    }
    if (step.contributes) {
        point.dEh += step.eh;
        lastContribution = step.eh;
        point.dEv += step.ev;
        point.dEi += step.eh;
        contributed = true;
    }
}

} // namespace qv
