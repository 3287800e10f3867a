#pragma once
// The calculation book of the floodlight point illuminance ("投光灯单点照度计算计算书"):
// the aiming geometry in general form, then per point and floodlight the angles and
// illuminances of the last computation of the rows, and the totals of each point.
#include "calc/outdoor/FloodPoint.h"
#include "report/books/BookComposer.h"

namespace qv {

BookName WriteFloodPointBook(CalcBookWriter& writer, const FloodPointRecord& record);

} // namespace qv
