#pragma once
// Plan geometry of a room outline: whether a point lies in it, its area and its
// bounding box. Shared by the indoor and outdoor calculations.
#include "model/Vector.h"

#include <vector>

namespace qv {

// Every coordinate differs by less than the tolerance.
bool SamePoint(const Vector& a, const Vector& b);
// Distance in plan (x, y).
double PlanDistance(const Vector& a, const Vector& b);

enum OutlinePosition {
    kOutlineInvalid = -1, // fewer than 3 vertices
    kOutlineOutside = 0,
    kOutlineOnEdge = 1,
    kOutlineInside = 2
};

// Where the point lies against the polygon, in plan. On an edge: the point equals an
// end of the edge (all three coordinates within the tolerance) or its plan distances to
// the ends add up to the edge's length within the tolerance. Otherwise the distinct
// crossings of the segment from the point to a far point outside the polygon decide:
// odd inside, even outside.
int PointInOutline(const std::vector<Vector>& polygon, const Vector& point);

// Plan area by the shoelace formula, closing from the last vertex to the first; 0 for
// fewer than 3 vertices.
double OutlineArea(const std::vector<Vector>& polygon);

// Plan bounding box; all 0 for an empty polygon.
struct OutlineExtent {
    double minX = 0.0;
    double maxX = 0.0;
    double minY = 0.0;
    double maxY = 0.0;
};
OutlineExtent ExtentOf(const std::vector<Vector>& polygon);

} // namespace qv
