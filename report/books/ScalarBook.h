#pragma once
// The calculation books of the average spherical ("平均球面照度计算计算书") and the
// average cylindrical illuminance ("平均柱面照度计算计算书").
#include "panels/ScalarIlluminancePanel.h"
#include "report/books/BookComposer.h"

namespace qv {

BookName WriteScalarBook(CalcBookWriter& writer, const ScalarIlluminancePanel& panel);

} // namespace qv
