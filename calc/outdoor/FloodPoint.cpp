#include "calc/outdoor/FloodPoint.h"

#include "calc/common/Outline.h"
#include "calc/common/Photometry.h"
#include "calc/outdoor/FloodIntensity.h"
#include "model/Constants.h"

#include <kelvorin/KvStr.h>

#include <algorithm>
#include <cmath>

namespace qv {
namespace {

constexpr double kHalfPi = 1.5707963267948966;

double Finite(double value) {
    return std::isfinite(value) ? value : 0.0;
}

// arcsin of a quotient that can only leave [-1, 1] by rounding.
double Asin(double value) {
    return std::asin(std::clamp(value, -1.0, 1.0));
}

// Azimuth from the y axis toward x: arcsin(x / √(x² + y²)), 0 at the origin.
double Azimuth(double x, double y) {
    if (std::fabs(x) < kTolerance && std::fabs(y) < kTolerance) {
        return 0.0;
    }
    return Finite(Asin(x / std::sqrt(x * x + y * y)));
}

void ClearResults(FloodlightResultRow& row) {
    row.eh = row.ev = row.transverse = row.longitudinal = 0.0;
    row.alpha = row.beta = row.delta = 0.0;
}

} // namespace

FloodlightStep ComputeFloodlightStep(const Luminaire& floodlight, const Vector& point,
                                     double intensity) {
    FloodlightStep step;
    step.intensity = intensity;
    const Vector relative{point.x - floodlight.ptCenter.x, point.y - floodlight.ptCenter.y,
                          point.z - floodlight.ptCenter.z};
    step.local = RotateIntoFrame(relative, floodlight.Rotate);
    const double x = step.local.x;
    const double y = step.local.y;
    const double z = step.local.z;
    step.h = -z;
    const double h = step.h;
    const double xM = floodlight.ptAim.x;
    const double yM = floodlight.ptAim.y;
    step.phi = Azimuth(xM, yM);
    step.theta =
        std::fabs(h) < kTolerance ? kHalfPi : Finite(std::atan(std::sqrt(xM * xM + yM * yM) / h));
    step.phiP = Azimuth(x, y);
    step.gamma = step.phiP - step.phi;
    if (std::fabs(x) < kTolerance && std::fabs(y) < kTolerance && std::fabs(z) < kTolerance) {
        step.outcome = FloodStepOutcome::AtFloodlight;
        return step;
    }
    step.outcome = FloodStepOutcome::Contributes;
    step.rho = std::sqrt(x * x + y * y);
    step.r = std::sqrt(x * x + y * y + z * z);
    step.alpha = Finite(Asin(std::sin(step.gamma) * step.rho / step.r));
    step.thetaP = std::fabs(h) <= kTolerance
                      ? kHalfPi
                      : Finite(std::atan(std::cos(step.gamma) * step.rho / h));
    step.beta = step.thetaP - step.theta;
    const double cosine = h / step.r;
    step.delta = cosine < 1.0 ? Finite(std::acos(std::max(cosine, -1.0))) : 0.0;
    const double r2 = step.r * step.r;
    step.eh = Finite(intensity * std::cos(step.delta) / r2);
    step.ev = Finite(intensity * std::sin(step.delta) / r2);
    step.transverse = std::fabs(std::sin(step.phiP)) * step.ev;
    step.longitudinal = std::fabs(std::cos(step.phiP)) * step.ev;
    return step;
}

std::vector<FloodlightResultRow> BuildFloodlightRows(const std::vector<CalcPoint>& points,
                                                     const LuminaireList& floodlights) {
    std::vector<FloodlightResultRow> rows;
    rows.reserve(points.size() * static_cast<size_t>(floodlights.Count() + 1));
    for (const CalcPoint& point : points) {
        FloodlightResultRow row;
        row.point = point;
        row.intensity = point.dIntensity;
        for (int i = 0; i < floodlights.Count(); ++i) {
            row.label = KvStr::Format("%d.%s", i, floodlights.At(i).sName.c_str());
            rows.push_back(row);
        }
        row.label = kAllFloodlightsLabel;
        rows.push_back(row);
    }
    return rows;
}

int FloodlightIndexOf(const FloodlightResultRow& row) {
    return KvStr::Atoi(row.label);
}

std::vector<FloodlightStep> ComputeFloodlightRows(std::vector<FloodlightResultRow>& rows,
                                                  const std::vector<Vector>& siteOutline,
                                                  const LuminaireList& floodlights,
                                                  FloodMode mode) {
    std::vector<FloodlightStep> steps(rows.size());
    double sumEh = 0.0;
    double sumEv = 0.0;
    double sumTransverse = 0.0;
    double sumLongitudinal = 0.0;
    for (size_t i = 0; i < rows.size(); ++i) {
        FloodlightResultRow& row = rows[i];
        ClearResults(row);
        if (row.IsTotal()) {
            row.eh = sumEh;
            row.ev = sumEv;
            row.transverse = sumTransverse;
            row.longitudinal = sumLongitudinal;
            sumEh = sumEv = sumTransverse = sumLongitudinal = 0.0;
            continue;
        }
        const int index = FloodlightIndexOf(row);
        if (index < 0 || index >= floodlights.Count()) {
            steps[i].outcome = FloodStepOutcome::NoFloodlight;
            continue;
        }
        if (PointInOutline(siteOutline, row.point.position) < kOutlineOnEdge) {
            continue;
        }
        const Luminaire& floodlight = floodlights.At(index);
        FloodlightStep& step = steps[i];
        step = ComputeFloodlightStep(floodlight, row.point.position, row.intensity);
        if (step.outcome != FloodStepOutcome::Contributes) {
            continue;
        }
        row.eh = step.eh;
        row.ev = step.ev;
        row.transverse = step.transverse;
        row.longitudinal = step.longitudinal;
        row.alpha = step.alpha;
        row.beta = step.beta;
        row.delta = step.delta;
        sumEh += row.eh;
        sumEv += row.ev;
        sumTransverse += row.transverse;
        sumLongitudinal += row.longitudinal;
        if (mode == FloodMode::kLookUp) {
            row.intensity = 1000.0 * FloodIntensityAt(floodlight.floodTable, row.alpha * kRadToDeg,
                                                      row.beta * kRadToDeg);
        }
    }
    return steps;
}

std::vector<FloodGridFluxCheck> CheckFloodGrids(const LuminaireList& floodlights) {
    std::vector<FloodGridFluxCheck> checks;
    for (int i = 0; i < floodlights.Count(); ++i) {
        const Luminaire& floodlight = floodlights.At(i);
        if (floodlight.floodTable.Count() == 0) {
            continue;
        }
        FloodGridFluxCheck check;
        check.index = i;
        check.gridFlux = FloodGridFlux(floodlight.floodTable);
        check.lampFlux = floodlight.nLuminousFlux;
        check.exceeds = check.gridFlux > kFloodGridFluxAllowance * check.lampFlux;
        checks.push_back(check);
    }
    return checks;
}

void ComputeFloodPointRecord(FloodPointRecord& record, const std::vector<Vector>& siteOutline,
                             FloodMode mode) {
    record.steps = ComputeFloodlightRows(record.rows, siteOutline, record.floodlights, mode);
    record.gridChecks = CheckFloodGrids(record.floodlights);
}

bool AssignAimingPoints(LuminaireList& floodlights, const std::vector<Vector>& aimingPoints) {
    for (int i = 0; i < floodlights.Count(); ++i) {
        const size_t row = static_cast<size_t>(i);
        floodlights.At(i).ptAim = row < aimingPoints.size() ? aimingPoints[row] : Vector{};
    }
    return static_cast<int>(aimingPoints.size()) == floodlights.Count();
}

} // namespace qv
