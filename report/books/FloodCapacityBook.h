#pragma once
// The calculation book of the floodlight unit-capacity method ("投光灯单位容量法照度计算书",
// saved as "投光灯单位容量法照度计算计算书").
#include "calc/outdoor/FloodCapacity.h"
#include "report/books/BookComposer.h"

namespace qv {

BookName WriteFloodCapacityBook(CalcBookWriter& writer, const FloodCapacityRecord& record);

} // namespace qv
