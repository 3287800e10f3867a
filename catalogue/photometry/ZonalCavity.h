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
// axis (cd per 1000 lm, as a function of the angle from the nadir in degrees): the
// intensity at each zone's middle angle times the zone's solid angle 2π(cos θ1 − cos θ2).
ZonalLumens ZonalLumensOf(const std::function<double(double)>& meanIntensity);

// The share of the downward flux that falls on the work plane directly in a room of this
// cavity ratio: Σ K·Φ over the downward zones / Φ down, with the zonal multipliers
// K = exp(−A·RCR^B).
double DirectRatio(const ZonalLumens& lumens, double roomCavityRatio);

// The coefficient of utilization for a room cavity ratio (> 0) and the effective ceiling
// cavity, wall and effective floor cavity reflectances (fractions 0..1): the flux on the
// floor cavity plane after inter-reflection, per lamp lumen.
double CoefficientOfUtilization(const ZonalLumens& lumens, double roomCavityRatio, double ceiling,
                                double wall, double floor);

// The catalogue's CU table of a distribution: effective ceiling 80, 70, 50, 30, 10, 0 ×
// wall 70, 50, 30, 10, 0 × floor 20 × RCR 1 to 10 (per cent and whole ratios as keys),
// coefficients rounded to 0.01, in the catalogue's row order.
CuTable CuTableOf(const ZonalLumens& lumens);

} // namespace qv
