#pragma once
// The calculation book of the room grid ("水平照度计算计算书" / "垂直照度计算计算书"):
// the density, the maximum, minimum and average, and for the horizontal grid the
// uniformity and the two power densities.
#include "calc/indoor/GridRecord.h"
#include "report/books/BookComposer.h"

namespace qv {

BookName WriteGridBook(CalcBookWriter& writer, const GridBookRecord& record);

} // namespace qv
