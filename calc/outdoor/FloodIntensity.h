#pragma once
// Intensity of a floodlight toward a direction given by its horizontal (longitudinal)
// and vertical angle from the aiming direction, read from the floodlight's intensity grid.
#include "model/CatalogueRecords.h"

namespace qv {

// The grid's value (cd per 1000 lm) at the horizontal angle a and the vertical angle b,
// both in degrees. The brackets of each angle are the nearest listed angles above and
// below it (an angle within the tolerance counts for both); outside the listed angles
// both brackets are the nearest end. A node missing from the grid counts 0. The value is
// interpolated in b at both horizontal brackets, then in a; a result below the tolerance
// gives 0, as does an empty grid.
double FloodIntensityAt(const FloodIntensityTable& table, double a, double b);

} // namespace qv
