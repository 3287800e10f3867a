#pragma once
// The calculation book of the single-point calculation ("点照度计算计算书"): the
// horizontal illuminance of every point from every luminaire as a point or a linear
// source, then, when asked for, the inclined and the vertical illuminance.
#include "calc/indoor/PointIlluminanceRecord.h"
#include "report/books/BookComposer.h"

namespace qv {

struct PointBookParts {
    bool inclined = true;
    bool vertical = true;
};

// Writes the book of a point calculation; every value comes from the same per-luminaire
// step the calculation ran.
BookName WritePointBook(CalcBookWriter& writer, const PointIlluminanceRecord& record,
                        PointBookParts parts = {});

} // namespace qv
