#pragma once
// The per-luminaire step for a point whose receiving plane is level (zero rotation), as
// the room grid needs it: the same arithmetic in the same order as
// ComputeLuminaireStep, without recording the intermediate values, and with the
// inclined illuminance taken as Eh (a level plane has the tilt δ = 0, so
// Eh·(cos δ + (d/h)·sin δ) is Eh exactly).
#include "calc/indoor/PointIlluminance.h"
#include "model/CalcPoint.h"

namespace qv {

// Adds one luminaire's contribution to a point of zero rotation exactly as
// AddLuminaireContribution would; contributed is set when Eh became lastContribution.
void AddLevelContribution(const PreparedLuminaire& luminaire, CalcPoint& point,
                          double& lastContribution, bool& contributed);

} // namespace qv
