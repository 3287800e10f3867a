#pragma once
// What the calculation book of the single-point calculation states: every point's
// illuminance with the step of every luminaire at it, and the luminaire values the
// steps are written out with.
#include "calc/common/BookInputs.h"
#include "calc/indoor/PointIlluminance.h"
#include "model/CalcPoint.h"
#include "model/Luminaire.h"
#include "model/Vector.h"

#include <vector>

namespace qv {

// The values of a luminaire that the book writes into its steps.
struct PointRecordLuminaire {
    int flux = 0;             // Φ, lm
    double maintenance = 0.0; // K
    double length = 0.0;      // L of a linear source, m
    bool operator==(const PointRecordLuminaire&) const = default;
};

struct PointRecordPoint {
    double eh = 0.0; // the point's horizontal, vertical and inclined illuminance, lx
    double ev = 0.0;
    double ei = 0.0;
    // One per luminaire in list order; none when the point is outside the outline.
    std::vector<LuminaireStep> steps;
    bool operator==(const PointRecordPoint&) const = default;
};

struct PointIlluminanceRecord {
    std::vector<PointRecordLuminaire> luminaires;
    std::vector<PointRecordPoint> points;
    // The inputs as the run read them: the luminaires and the points with their positions.
    BookInputs inputs;
    std::vector<CalcPoint> calcPoints;
    bool operator==(const PointIlluminanceRecord&) const = default;
};

// The record of a run of CalculatePoints: the points with their results, the outline,
// the luminaires as the run left them and the linear types it returned (kLinearA for a
// luminaire without one). Each step is the per-luminaire step the run took at the point.
PointIlluminanceRecord RecordPointCalculation(const std::vector<CalcPoint>& points,
                                              const std::vector<Vector>& outline,
                                              const LuminaireList& luminaires,
                                              const std::vector<int>& linearTypes);

} // namespace qv
