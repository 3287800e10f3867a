#pragma once
// The closing "结论" of the books whose calculation can be checked: the table 项目 /
// 计算值 / 标准值 / 结论 (VerdictRows), the standard it answers to, and the same message
// the panel shows.
#include "calc/common/BookInputs.h"
#include "calc/common/Verdict.h"
#include "report/books/BookComposer.h"

#include <string>

namespace qv {

// The room's UGR the verdict states: when the place sets a UGR limit, the highest value at
// the four standard observers (seated eye) of the inputs' room and luminaires; nothing
// without a limit, a room or a value.
std::optional<double> VerdictUgr(const StandardBasis& basis, const BookInputs& inputs);

void WriteVerdict(BookComposer& book, const StandardBasis& basis, const VerdictValues& values,
                  VerdictSubject subject);

} // namespace qv
