#pragma once
// The calculation book of the single-point calculation ("点照度计算计算书"): the
// horizontal illuminance of every point from every luminaire as a point or a linear
// source, then, when asked for, the inclined and the vertical illuminance.
#include "panels/SinglePointPanel.h"
#include "report/books/BookComposer.h"

namespace qv {

struct PointBookParts {
    bool inclined = true;
    bool vertical = true;
};

// Writes the book of the panel's last calculation; every value comes from the same
// per-luminaire step the calculation ran.
BookName WritePointBook(CalcBookWriter& writer, const SinglePointPanel& panel,
                        PointBookParts parts = {});

} // namespace qv
