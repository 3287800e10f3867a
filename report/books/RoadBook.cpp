#include "report/books/RoadBook.h"
#include "report/books/InputTables.h"

#include "model/Constants.h"
#include "model/Luminaire.h"
#include "report/books/VerdictSection.h"

#include <kelvorin/KvStr.h>

namespace qv {
namespace {

// The book's name of an entry's arrangement; an index outside the list keeps the text as
// typed.
std::string ArrangementName(const RoadLightingRecord& record, size_t entry) {
    static const char* const kNames[] = {"单侧排列", "双侧交错排列", "双侧对称排列"};
    const int index = record.entries[entry].arrangement;
    if (index >= 0 && index < 3) {
        return kNames[index];
    }
    return entry < record.arrangementTexts.size() ? record.arrangementTexts[entry] : std::string();
}

void WriteGeneralFormulas(BookComposer& book) {
    book.Line("利用系数法道路平均照度计算公式:");
    book.Equation("E " + Lo("av") + " = " + Frac("φUKN", "SW"));
    book.Equation("S = " + Frac("φUKN", "E " + Lo("av") + "W"));
    book.Line("式中 φ——光源的总光通量，lm");
    book.Line("     U——利用系数");
    book.Line("     K——维护系数");
    book.Line("     W——道路宽度，m");
    book.Line("     S——路灯安装距离，m");
    book.Line("     N——与排列方式有关值，单侧N=1, 交错N=1, 相对矩形排列N=2");
}

} // namespace

BookName WriteRoadBook(CalcBookWriter& writer, const RoadLightingRecord& record) {
    const BookName name{"利用系数法道路照度计算书", ""};
    const std::vector<RoadEntry>& entries = record.entries;
    std::vector<std::vector<std::string>> rows;
    for (size_t i = 0; i < entries.size(); ++i) {
        const RoadEntry& e = entries[i];
        rows.push_back({e.luminaire.sName, e.luminaire.sModel, ArrangementName(record, i),
                        Fixed(e.spacing, 2), Fixed(e.poleHeight, 2), Fixed(e.elevation, 2),
                        Fixed(e.u, 2), Fixed(e.computedSpacing, 2)});
    }
    BookComposer book(writer);
    OpenTableBook(
        book, name.title, BookComposer::kHeadingSize,
        {"序号", "名称", "类型", "排列方式", "间距", "灯杆高度", "仰角", "利用系数", "计算距离"},
        rows);
    OpenInputs(book);
    if (record.inputs.road) {
        WriteRoadInputs(book, *record.inputs.road);
    }
    WriteLuminaireInputs(book, record.inputs.luminaires);
    WriteGeneralFormulas(book);

    const RoadLightingResult& result = record.result;
    for (size_t i = 0; i < entries.size(); ++i) {
        const RoadEntry& e = entries[i];
        const Luminaire& l = e.luminaire;
        book.Line(KvStr::Format("灯的名称为%s", l.sName.c_str()));
        book.Append(KvStr::Format("        型号为%s", l.sModel.c_str()));
        book.Append(
            KvStr::Format("        功率为%sW", KvStr::FormatDouble(LuminairePower(l)).c_str()));
        book.Line(KvStr::Format("类型为%s,", l.sModel.c_str()));
        book.Append(KvStr::Format("排列方式为%s,", ArrangementName(record, i).c_str()));
        book.Append(KvStr::Format("间距为%sm", Fixed(e.spacing, 2).c_str()));
        book.Line(KvStr::Format("灯杆高度为%sm,", Fixed(e.poleHeight, 2).c_str()));
        book.Append(KvStr::Format("仰角为%s°,", Fixed(e.elevation, 2).c_str()));
        book.Append(KvStr::Format("利用系数为%s,", Fixed(e.u, 2).c_str()));
        book.Line("达到标准照度的时候此灯的安装距离计算为：");
        if (result.deficit > kTolerance && result.width * result.standard >= kTolerance) {
            const double u = e.utilizationGiven ? e.u : 0.0; // the U the calculation used
            book.Equation(
                "S = " +
                Frac(KvStr::Format("%d × %s × %s × %d", l.nLuminousFlux, Fixed(u, 2).c_str(),
                                   Fixed(l.dVindicate, 2).c_str(), e.n),
                     Fixed(result.standard, 2) + " × " + Fixed(result.width, 2)) +
                " = " + Fixed(e.computedSpacing, 2) + "m");
        } else {
            book.Equation("S = " + Fixed(e.computedSpacing, 2) + "m");
        }
    }
    book.Line(KvStr::Format("在当前有多种灯的情况下道路的实际照度为：%0.2f(lx),", result.e));
    book.Append(KvStr::Format("标准照度为：%0.2f(lx)", result.standard));
    WriteVerdict(book, record.basis.value_or(DesignRequirement(result.standard)),
                 {result.e, std::nullopt, std::nullopt, std::nullopt}, VerdictSubject::kRoad);
    return name;
}

} // namespace qv
