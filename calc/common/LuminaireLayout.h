#pragma once
// Array layout of luminaires ("灯具阵列布置"): rows × columns of luminaire centres over the
// room's rectangle (the bounding box of its outline), either at given distances from the
// walls or spread evenly; and the rows × columns nearest to a luminaire count, used when
// the calculation panels place their adjusted counts in the room.
#include "model/Luminaire.h"
#include "model/Room.h"

#include <string>
#include <vector>

namespace qv {

// At most this many luminaires in one array.
inline constexpr long long kMaxLayoutLuminaires = 100000;
// A mounting height beyond ±100 km is no height of a luminaire.
inline constexpr double kMaxLayoutHeight = 100000.0;
// Rotations are taken within one turn either way.
inline constexpr double kMaxLayoutRotation = 360.0;
// The mounting height used when nothing better is known: this far above the working
// plane.
inline constexpr double kHeightAboveWorkPlane = 2.2;

// The rectangle the array covers: the bounding box of the room's outline.
struct LayoutArea {
    double xmin = 0.0;
    double ymin = 0.0;
    double length = 0.0; // L, along X
    double width = 0.0;  // W, along Y
};

struct ArrayLayout {
    int rows = 1;          // R, along Y
    int columns = 1;       // C, along X
    double height = 0.0;   // z of the luminaire centres, m
    double rotation = 0.0; // degrees about z (Rotate.z of every luminaire)
    // "均匀布置": each luminaire in the middle of its cell of L/C × W/R. Otherwise the
    // outer rows and columns stand marginX and marginY from the walls.
    bool even = true;
    double marginX = 0.0; // M, the distance of the first and last column from the walls
    double marginY = 0.0; // N, the same for the rows
};

// The room's rectangle; false with the message when the room has fewer than three
// corners or its outline has no length or no width.
bool LayoutAreaOf(const Room& room, LayoutArea& area, std::string& refusal);

// Empty when the array can be laid out in the room, else the message naming the first
// field that is wrong: rows and columns at least 1 and R·C at most kMaxLayoutLuminaires;
// margins finite and 0 or more, with 2M < L (2M ≤ L for a single column, whose centre
// does not depend on M) and the same in Y; the height finite within ±kMaxLayoutHeight;
// the rotation finite within ±kMaxLayoutRotation; and a room with an area.
std::string CheckArrayLayout(const Room& room, const ArrayLayout& layout);

// The R·C centres, row by row: the first row (lowest y) from the lowest x up, then the
// next row up. With margins x_j = xmin + M + j·(L − 2M)/(C − 1) (a single column stands
// at xmin + L/2), the same in y with the rows and N; evenly x_j = xmin + (j + ½)·L/C and
// y_i = ymin + (i + ½)·W/R. z is the height. Empty, with the message in refusal, when
// CheckArrayLayout refuses.
std::vector<Vector> ArrayPositions(const Room& room, const ArrayLayout& layout,
                                   std::string& refusal);

// Copies of the template at the positions, each turned by rotation about z (its other
// rotations kept).
LuminaireList ArrayOf(const Luminaire& model, const std::vector<Vector>& positions,
                      double rotation);

// The height of a luminaire that is laid out again: its own z while it hangs above the
// working plane, else kHeightAboveWorkPlane over the working plane (never the floor).
double MountingHeightFor(const Room& room, const Luminaire& luminaire);

struct GridShape {
    int rows = 0;
    int columns = 0;
};

// The rows × columns for count luminaires in a room of aspect L/W (aspect ≤ 0 or not
// finite counts as a square room). Every row count R from 1 to count is tried with the
// fewest columns that hold the count, C = ⌈count/R⌉; the shape kept has the lowest
//   |ln(C/R ÷ aspect)| + (R·C − count)/count,
// i.e. its cells are closest to square while few places stay empty; on a tie the fewer
// rows win. 0 × 0 for a count below 1.
GridShape NearestGrid(long long count, double aspect);

} // namespace qv
