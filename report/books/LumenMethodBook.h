#pragma once
// The calculation book of the coefficient-of-utilization method ("利用系数法照度计算书",
// saved under the same name): the entries' table, the room cavity ratio and the average
// illuminance in general form, then per entry the values and the luminaires still needed.
#include "calc/indoor/LumenMethodRecord.h"
#include "model/Luminaire.h"
#include "report/books/BookComposer.h"

namespace qv {

// What the still-needed line states: the difference between the target and what is
// there (illuminance ΔE = E_std − E in lx, or power ΔP = P_req − P_inst in W), one
// luminaire's share of it and the count the calculation gave.
struct NeededCount {
    int needed = 0;
    bool power = false; // a power difference (W) rather than an illuminance one (lx)
    double target = 0.0;
    double present = 0.0;
    double deficit = 0.0; // the calculation's difference
    double share = 0.0;   // one luminaire's illuminance or power
};

// The still-needed line: "还需要这种灯数量是0盏" when nothing is missing, else the
// difference worked out and N = ΔE/e (or ΔP/P_L) rounded up to the count.
void WriteNeededCount(BookComposer& book, const NeededCount& count);

BookName WriteLumenMethodBook(CalcBookWriter& writer, const LumenMethodRecord& record);

} // namespace qv
