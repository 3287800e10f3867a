#pragma once
// Coefficients of utilization by the zonal-cavity method: the flux of a luminaire in 10°
// zones, the share of the downward flux that reaches the work plane directly (zonal
// multipliers), and the inter-reflection between the ceiling cavity, the walls and the
// floor cavity of the room cavity. The luminaires are taken at the ceiling plane, so the
// ceiling key is the effective ceiling cavity reflectance and the floor key the effective
// floor cavity reflectance.
#include "model/CatalogueRecords.h"

#include <array>
#include <functional>

namespace qv {

// Flux of the 18 zones of 10° from the nadir (0-10° first) per 1000 lm of lamp flux.
struct ZonalLumens {
    std::array<double, 18> zones{};
    double Downward() const; // zones 0-90°
    double Upward() const;   // zones 90-180°
};

// The zonal flux of a distribution given as its intensity averaged around the vertical
// axis (cd per 1000 lm, as a function of the angle from the nadir in degrees): each zone
// integrated over its ten 1° rings by RingFlux, the rule of the luminaire's total flux,
// so that the zones add up to that total.
ZonalLumens ZonalLumensOf(const std::function<double(double)>& meanIntensity);

// The form factor between the floor cavity plane and the ceiling cavity plane of a room
// cavity (the share of the flux leaving one plane that reaches the other), by the fit of
// the zonal-cavity method for square rooms:
//   f = 0.026 + 0.503·e^(−0.270·RCR) + 0.470·e^(−0.119·RCR).
// In very shallow cavities (RCR below about 0.09) the fit would let the walls see more
// than half of each plane; there the walls see half of each (f = 1 − RCR/5), which joins
// the fit continuously and gives f = 1 at RCR 0 (no walls).
double CavityPlaneFormFactor(double roomCavityRatio);

// The share of the downward flux that falls on the work plane directly in a room of this
// cavity ratio: Σ K·Φ over the downward zones / Φ down, with the zonal multipliers
// K = exp(−A·RCR^B).
double DirectRatio(const ZonalLumens& lumens, double roomCavityRatio);

// The coefficient of utilization for a room cavity ratio (≥ 0; 0 is the limit of a room
// without walls, CU = (down + ρc·up)/(1 − ρc·ρf)) and the effective ceiling cavity, wall
// and effective floor cavity reflectances (fractions 0..1, not all of them 1): the flux
// on the floor cavity plane after inter-reflection, per lamp lumen. NaN for a ratio or a
// reflectance outside those ranges or not a number.
double CoefficientOfUtilization(const ZonalLumens& lumens, double roomCavityRatio, double ceiling,
                                double wall, double floor);

// The catalogue's CU table of a distribution: effective ceiling 80, 70, 50, 30, 10, 0 ×
// wall 70, 50, 30, 10, 0 × floor 20 × RCR 1 to 10 (per cent and whole ratios as keys),
// coefficients rounded to 0.01, in the catalogue's row order.
CuTable CuTableOf(const ZonalLumens& lumens);

} // namespace qv
