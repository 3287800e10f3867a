#pragma once
// The calculation book of the coefficient-of-utilization method ("利用系数法照度计算书",
// saved under the same name): the entries' table, the room cavity ratio and the average
// illuminance in general form, then per entry the values and the luminaires still needed.
#include "calc/indoor/LumenMethodRecord.h"
#include "model/Luminaire.h"
#include "report/books/BookComposer.h"

namespace qv {

// The still-needed line: "还需要这种灯数量是0盏" when nothing is missing, else the
// quotient of the deficit by one luminaire's share with the count the calculation gave.
void WriteNeededCount(BookComposer& book, int needed, double deficit, double share,
                      const char* unit);

BookName WriteLumenMethodBook(CalcBookWriter& writer, const LumenMethodRecord& record);

} // namespace qv
