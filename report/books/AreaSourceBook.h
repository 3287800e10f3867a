#pragma once
// The calculation books of the area sources: the rectangle of equal luminance on a
// horizontal, vertical or inclined plane, the rectangle of non-equal luminance, and the
// disc on a horizontal or vertical plane. Each states the parameters, the formulas, the
// division of the source into parts and the values of the last calculation's record.
#include "calc/indoor/AreaSourceRecord.h"
#include "report/books/BookComposer.h"

namespace qv {

BookName WriteRectSourceBook(CalcBookWriter& writer, const AreaSourceRecord& record);
BookName WriteDiscSourceBook(CalcBookWriter& writer, const AreaSourceRecord& record);

// The book of the record's calculation; nothing is written (empty title) for a record
// of no calculation.
BookName WriteAreaSourceBook(CalcBookWriter& writer, const AreaSourceRecord& record);

} // namespace qv
