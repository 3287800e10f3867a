#include "calc/indoor/PointIlluminance.h"

#include "calc/common/Outline.h"

#include <kelvorin/KvMessage.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace qv {
namespace {

// A luminaire shorter than this share of its height is a point source.
constexpr double kPointSourceShare = 0.25;
// Intensities are tabulated per 1000 lm.
constexpr double kTableFlux = 1000.0;
constexpr int kProgressStep = 100;
const char* const kProgressText = " 计算中...";

// The intensity of a curve at an angle in radians, truncated to whole degrees; false
// when the angle is out of range (only for non-numbers).
bool LookUp(const std::array<double, kMaxLookupDegrees + 1>& curve, double radians, int& degrees,
            double& intensity) {
    degrees = WholeDegrees(radians * kRadToDeg);
    if (degrees < 0) {
        return false;
    }
    intensity = curve[static_cast<size_t>(degrees)];
    return true;
}

// Curve B at β (or θ) and at 0°; false when the step ends here.
bool LookUpAcross(const PreparedLuminaire& luminaire, double radians, LuminaireStep& step) {
    if (!LookUp(luminaire.intensityB, radians, step.angleB, step.intensityB)) {
        step.outcome = StepOutcome::NotFinite;
        return false;
    }
    step.intensityB0 = luminaire.intensityB[0];
    if (step.intensityB0 < kTolerance) {
        step.outcome = StepOutcome::NoIntensityAtZero;
        return false;
    }
    return true;
}

bool PointSourceStep(const PreparedLuminaire& luminaire, LuminaireStep& step) {
    const double x = step.local.x;
    const double y = step.local.y;
    const double h = step.h;
    step.theta = std::atan(step.d / h);
    if (!LookUpAcross(luminaire, std::fabs(std::atan(y / h)), step)) {
        return false;
    }
    if (!LookUp(luminaire.intensityA, std::fabs(std::atan(x / std::sqrt(y * y + h * h))),
                step.angleA, step.intensityA)) {
        step.outcome = StepOutcome::NotFinite;
        return false;
    }
    step.intensity = step.intensityA * step.intensityB / step.intensityB0;
    step.setsIntensity = true;
    const double c = std::cos(step.theta);
    const double s = std::sin(step.theta);
    const double denominator = kTableFlux * h * h;
    step.eh = luminaire.fluxFactor * step.intensity * (c * c * c) / denominator;
    step.ev = luminaire.fluxFactor * step.intensity * (c * c) * s / denominator;
    return true;
}

// acos(R / Ri) when Ri exceeds the tolerance and the quotient lies within (-1, 1).
double EndAngle(double r, double ri) {
    if (ri > kTolerance && std::fabs(r / ri) < 1.0) {
        return std::acos(r / ri);
    }
    return 0.0;
}

double DistanceToEnd(const LuminaireStep& step, double endX) {
    const double dx = step.local.x - endX;
    const double dy = step.local.y;
    return std::sqrt(dx * dx + dy * dy + step.h * step.h);
}

bool LinearSourceStep(const PreparedLuminaire& luminaire, LuminaireStep& step) {
    const double h = step.h;
    const double length = luminaire.length;
    step.theta = std::fabs(std::atan(step.local.y / h));
    if (!LookUpAcross(luminaire, step.theta, step)) {
        return false;
    }
    step.intensity = step.intensityB / length;
    step.setsIntensity = true;

    const double half = length / 2.0;
    const Vector e1{-half, 0.0, 0.0};
    const Vector e2{half, 0.0, 0.0};
    const Vector foot{step.local.x, 0.0, 0.0};
    step.r = std::sqrt(step.local.y * step.local.y + h * h);
    step.r1 = DistanceToEnd(step, e1.x);
    step.r2 = DistanceToEnd(step, e2.x);
    step.alpha1 = EndAngle(step.r, step.r1);
    step.alpha2 = EndAngle(step.r, step.r2);
    step.footCase = FootCase(e1, e2, foot);
    step.linearType = luminaire.linearType;

    double first = step.alpha1;
    double second = step.alpha2;
    switch (step.footCase) {
    case kFootAtEnd:
        first = step.alpha1 + step.alpha2;
        step.termCount = 1;
        break;
    case kFootOnSource:
        step.termCount = 2;
        break;
    case kFootBeyondE1:
        std::swap(first, second);
        step.termCount = 2;
        step.termSign = -1;
        break;
    case kFootBeyondE2:
        step.termCount = 2;
        step.termSign = -1;
        break;
    default:
        step.outcome = StepOutcome::FootOff;
        return false;
    }
    const double c = std::cos(step.theta);
    const double fluxIntensity = luminaire.fluxFactor * step.intensity;
    const double denominator = kTableFlux * h;
    const double alphas[2] = {first, second};
    for (int i = 0; i < step.termCount; ++i) {
        AzimuthTerm& term = step.terms[i];
        term.alpha = alphas[i];
        term.factor = AzimuthFactors(luminaire.linearType, term.alpha);
        term.eh = fluxIntensity * (c * c) * term.factor.horizontal / denominator;
        term.ev = fluxIntensity * c * term.factor.vertical / denominator;
    }
    if (step.termCount == 1) {
        step.eh = step.terms[0].eh;
        step.ev = step.terms[0].ev;
    } else if (step.termSign > 0) {
        step.eh = step.terms[0].eh + step.terms[1].eh;
        step.ev = step.terms[0].ev + step.terms[1].ev;
    } else {
        step.eh = step.terms[0].eh - step.terms[1].eh;
        step.ev = step.terms[0].ev - step.terms[1].ev;
    }
    return true;
}

// Ei from Eh and the point's receiving plane. With n the plane's unit normal (the z row
// of the point's frame, which is normal to the frame's x-y plane even where the frame is
// not orthogonal) and u the unit vector from the point to the luminaire, the plane
// receives Eh·(n·u)/u_z = Eh·(n_z + (d/h)·(n_h·û_h)): a tilt δ toward the luminaire gives
// cos δ + (d/h)·sin δ, a tilt about the direction to the luminaire cos δ. The plan
// direction is taken between the positions, so it holds for a luminaire turned in plan;
// d and h are the step's. A luminaire behind the plane (n·u <= 0) adds 0.
void InclinedStep(const FrameMatrix& pointFrame, const Vector& fromLuminaire, LuminaireStep& step) {
    const double(&row)[3] = pointFrame.m[2];
    const double length = std::sqrt(row[0] * row[0] + row[1] * row[1] + row[2] * row[2]);
    if (!(length > kTolerance)) {
        step.ei = std::numeric_limits<double>::quiet_NaN(); // a frame of non-numbers
        return;
    }
    const double nx = row[0] / length;
    const double ny = row[1] / length;
    step.nz = row[2] / length;
    const double planX = -fromLuminaire.x;
    const double planY = -fromLuminaire.y;
    const double plan = std::sqrt(planX * planX + planY * planY);
    const double nh = std::sqrt(nx * nx + ny * ny);
    step.tilt = std::atan2(nh, step.nz);
    step.across = 0.0;
    step.azimuth = 0.0;
    if (step.d > kTolerance && plan > kTolerance) {
        step.across = (nx * planX + ny * planY) / plan;
        if (nh > kTolerance) {
            step.azimuth = std::acos(std::clamp(step.across / nh, -1.0, 1.0));
        }
    }
    const double factor = step.nz + (step.d / step.h) * step.across;
    step.behind = !(factor > 0.0);
    step.ei = step.behind ? 0.0 : step.eh * factor;
}

} // namespace

PreparedLuminaire PrepareLuminaire(const Luminaire& luminaire, int previousType) {
    PreparedLuminaire prepared;
    prepared.position = luminaire.ptCenter;
    prepared.frame = FrameOf(luminaire.Rotate);
    prepared.length = luminaire.geometricShape.dLength;
    prepared.fluxFactor = static_cast<double>(luminaire.nLuminousFlux) * luminaire.dVindicate;
    prepared.linearType = ClassifyLinearDistribution(luminaire.curveA, previousType);
    for (int degrees = 0; degrees <= kMaxLookupDegrees; ++degrees) {
        prepared.intensityA[static_cast<size_t>(degrees)] = IntensityAt(luminaire.curveA, degrees);
        prepared.intensityB[static_cast<size_t>(degrees)] = IntensityAt(luminaire.curveB, degrees);
    }
    return prepared;
}

std::vector<PreparedLuminaire> PrepareLuminaires(const LuminaireList& luminaires) {
    std::vector<PreparedLuminaire> prepared;
    prepared.reserve(luminaires.Items().size());
    for (const Luminaire& luminaire : luminaires.Items()) {
        prepared.push_back(PrepareLuminaire(luminaire));
    }
    return prepared;
}

int FootCase(const Vector& e1, const Vector& e2, const Vector& f) {
    if (SamePoint(f, e1) || SamePoint(f, e2)) {
        return kFootAtEnd;
    }
    const double dA = PlanDistance(f, e1);
    const double dB = PlanDistance(f, e2);
    const double dAB = PlanDistance(e1, e2);
    if (std::fabs(dA + dB - dAB) < kTolerance) {
        return kFootOnSource;
    }
    if (std::fabs(dA - dB - dAB) < kTolerance) {
        return kFootBeyondE2;
    }
    if (std::fabs(dB - dA - dAB) < kTolerance) {
        return kFootBeyondE1;
    }
    return kFootOff;
}

LuminaireStep ComputeLuminaireStep(const PreparedLuminaire& luminaire, const Vector& position,
                                   const FrameMatrix& pointFrame) {
    LuminaireStep step;
    const Vector v{position.x - luminaire.position.x, position.y - luminaire.position.y,
                   position.z - luminaire.position.z};
    step.local = ApplyFrame(luminaire.frame, v);
    step.h = -step.local.z;
    if (!(step.h >= kTolerance)) {
        step.outcome = std::isnan(step.h) ? StepOutcome::NotFinite : StepOutcome::LevelOrBelow;
        return step;
    }
    step.d = std::sqrt(step.local.x * step.local.x + step.local.y * step.local.y);
    step.sourceKind = luminaire.length < kPointSourceShare * step.h ? kPointSource : kLinearSource;
    const bool contributes = step.sourceKind == kPointSource ? PointSourceStep(luminaire, step)
                                                             : LinearSourceStep(luminaire, step);
    if (contributes) {
        InclinedStep(pointFrame, v, step);
        step.outcome = StepOutcome::Contributes;
    }
    if ((step.setsIntensity && !std::isfinite(step.intensity)) ||
        (contributes &&
         !(std::isfinite(step.eh) && std::isfinite(step.ev) && std::isfinite(step.ei)))) {
        step.outcome = StepOutcome::NotFinite;
        step.setsIntensity = false;
    }
    return step;
}

void ApplyStep(const LuminaireStep& step, CalcPoint& point, double& lastContribution) {
    if (step.setsIntensity) {
        point.dIntensity = step.intensity;
    }
    if (step.outcome != StepOutcome::Contributes) {
        return;
    }
    point.dEh += step.eh;
    lastContribution = step.eh;
    point.dEv += step.ev;
    point.dEi += step.ei;
}

LuminaireStep AddLuminaireContribution(CalcPoint& point, const FrameMatrix& pointFrame,
                                       const PreparedLuminaire& luminaire,
                                       double& lastContribution) {
    const LuminaireStep step = ComputeLuminaireStep(luminaire, point.position, pointFrame);
    ApplyStep(step, point, lastContribution);
    return step;
}

void CalculatePoint(CalcPoint& point, const std::vector<Vector>& outline,
                    const std::vector<PreparedLuminaire>& luminaires,
                    std::vector<double>& lastContributions) {
    point.dIntensity = 0.0;
    point.dEh = 0.0;
    point.dEv = 0.0;
    point.dEi = 0.0;
    if (PointInOutline(outline, point.position) < kOutlineOnEdge) {
        return;
    }
    if (lastContributions.size() < luminaires.size()) {
        lastContributions.resize(luminaires.size(), 0.0);
    }
    const FrameMatrix pointFrame = FrameOf(point.rotation);
    for (size_t i = 0; i < luminaires.size(); ++i) {
        AddLuminaireContribution(point, pointFrame, luminaires[i], lastContributions[i]);
    }
}

std::vector<int> CalculatePoints(std::vector<CalcPoint>& points, const std::vector<Vector>& outline,
                                 LuminaireList& luminaires) {
    const std::vector<PreparedLuminaire> prepared = PrepareLuminaires(luminaires);
    std::vector<double> last;
    std::vector<int> types;
    for (const Luminaire& luminaire : luminaires.Items()) {
        last.push_back(luminaire.dLastContribution);
    }
    for (const PreparedLuminaire& luminaire : prepared) {
        types.push_back(luminaire.linearType);
    }
    const int count = static_cast<int>(points.size());
    for (int i = 0; i < count; ++i) {
        if (i % kProgressStep == 0) {
            KvProgressSink::Report(kProgressText, i, count);
        }
        CalculatePoint(points[static_cast<size_t>(i)], outline, prepared, last);
    }
    KvProgressSink::Close();
    for (int i = 0; i < luminaires.Count(); ++i) {
        luminaires.At(i).dLastContribution = last[static_cast<size_t>(i)];
    }
    return types;
}

} // namespace qv
