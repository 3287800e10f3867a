#pragma once
// The calculation books of the average spherical ("平均球面照度计算计算书") and the
// average cylindrical illuminance ("平均柱面照度计算计算书").
#include "calc/indoor/ScalarIlluminanceRecord.h"
#include "report/books/BookComposer.h"

namespace qv {

BookName WriteScalarBook(CalcBookWriter& writer, const ScalarIlluminanceRecord& record);

} // namespace qv
