#pragma once
// The room grid: the calculation points laid over the working plane or over a vertical
// plane between two plan points, and the illuminance at all of them computed in
// parallel over the machine's cores.
#include "calc/indoor/PointIlluminance.h"
#include "model/CalcPoint.h"
#include "model/Luminaire.h"
#include "model/Room.h"

#include <atomic>
#include <vector>

namespace qv {

// A stop request for a long grid run, set from another thread (the user's cancel): the
// searches and the calculation look at it every 100 points and end early; what they
// leave is then incomplete and is to be thrown away. A null request never stops.
using GridCancel = std::atomic<bool>;
inline bool Cancelled(const GridCancel* cancel) {
    return cancel != nullptr && cancel->load(std::memory_order_relaxed);
}

// Which end of a vertical plane comes first: "左上" the one with the smaller x (smaller
// y when the x agree), "右下" the one with the larger.
enum GridSide { kSideUpperLeft = 0, kSideLowerRight = 1 };

// The divisions of a grid: the longer side gets n, the shorter trunc(n·short/long).
struct GridDivisions {
    int along = 0; // outer loop (x of the horizontal grid, length of the vertical plane)
    int up = 0;    // inner loop (y, height)
};

// The divisions the searches make of an extent along × up for the density n.
GridDivisions DivideGrid(int n, double along, double up);

// Fills points (cleared first) with the grid points of the working plane inside the
// room's outline, x outer and y inner, from the bounding box's minimum corner; the far
// edges are not visited. Shows "搜索计算点" as the candidates are visited. The outline
// tests are spread over threads; the points come out in the same order for any count.
void HorizontalGridSearch(std::vector<CalcPoint>& points, const Room& room, int n, int threads = 1,
                          const GridCancel* cancel = nullptr);

// Fills points (cleared first) with the grid points of the vertical plane from the
// working plane up to topHeight between the plan points a and b, ordered by side.
void VerticalGridSearch(std::vector<CalcPoint>& points, const Room& room, int n, double topHeight,
                        const Vector& a, const Vector& b, int side, int threads = 1,
                        const GridCancel* cancel = nullptr);

// The greatest z of the luminaires' positions; 0 without luminaires.
double TopHeight(const LuminaireList& luminaires);

// The threads a grid calculation uses by default: the machine's cores.
int DefaultThreadCount();

// CalculatePoints over points known to lie inside the outline (the searches' points;
// points of zero rotation take the level-plane step):
// every luminaire prepared once, the points spread over threads in equal runs, each
// point's sums taken in luminaire order, so the results are the same for any thread
// count. Shows " 计算中..." as the points are done; updates each luminaire's
// dLastContribution as the list-order run would. Returns the linear types.
std::vector<int> CalculateGridPoints(std::vector<CalcPoint>& points, LuminaireList& luminaires,
                                     int threads = DefaultThreadCount(),
                                     const GridCancel* cancel = nullptr);

} // namespace qv
