#include "report/books/VerdictSection.h"

#include "calc/glare/RoomUgr.h"

#include <vector>

namespace qv {

std::optional<double> VerdictUgr(const StandardBasis& basis, const BookInputs& inputs) {
    if (!basis.limits.ugr || !inputs.room) {
        return std::nullopt;
    }
    return SeatedRoomUgr(*inputs.room, inputs.luminaires);
}

void WriteVerdict(BookComposer& book, const StandardBasis& basis, const VerdictValues& values,
                  VerdictSubject subject) {
    std::vector<std::vector<std::string>> cells;
    for (const VerdictRow& row : VerdictRows(basis, values)) {
        cells.push_back({row.item, row.computed, row.standard, row.verdict});
    }
    book.Blank();
    book.Heading("结论");
    book.Table({"项目", "计算值", "标准值", "结论"}, cells);
    book.Line(VerdictBasisText(basis));
    book.Line("结论:" + IlluminanceMessage(subject, IlluminanceMet(basis, values.e)));
}

} // namespace qv
