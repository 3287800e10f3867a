#pragma once
// Intensity of a floodlight toward a direction given by its horizontal (longitudinal)
// and vertical angle from the aiming direction, read from the floodlight's intensity grid,
// and the luminous flux the grid encloses.
//
// The grid holds thousands of candela (kcd) for the luminaire's lamps: the floodlight
// calculation multiplies its values by 1000 and scales them by nothing else.
#include "model/CatalogueRecords.h"

namespace qv {

// The grid's value (kcd) at the horizontal angle a and the vertical angle b,
// both in degrees. The brackets of each angle are the nearest listed angles above and
// below it (an angle within the tolerance counts for both); outside the listed angles
// both brackets are the nearest end. A node missing from the grid counts 0. The value is
// interpolated in b at both horizontal brackets, then in a; a result below the tolerance
// gives 0, as does an empty grid.
double FloodIntensityAt(const FloodIntensityTable& table, double a, double b);

// The luminous flux in lm that the grid sends out, ∫ I dΩ over the grid's angles, with I
// the intensity FloodIntensityAt gives (1000 × the grid's value, linear between nodes, a
// missing node 0). The horizontal angle a is the lateral one, so dΩ = cos a · da · db; each
// cell's integral is exact for the interpolated intensity. Only the directions of the
// sphere count: horizontal angles within ±90°, vertical ones within ±180°. A grid with
// fewer than two distinct angles of either kind encloses 0; a row with an angle that is not
// a finite number is left out, and a node that is negative or not a finite number counts
// 0 (as the lookup reads no light there).
double FloodGridFlux(const FloodIntensityTable& table);

} // namespace qv
