#pragma once
// The calculation book of the unit-capacity method ("单位容量计算书", saved under the
// same name): the entries' table, the basic formula with its corrections, then per entry
// the substituted formula and the luminaires still needed.
#include "calc/indoor/UnitCapacityRecord.h"
#include "report/books/BookComposer.h"

namespace qv {

BookName WriteUnitCapacityBook(CalcBookWriter& writer, const UnitCapacityBookRecord& record);

} // namespace qv
