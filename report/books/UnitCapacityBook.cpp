#include "report/books/UnitCapacityBook.h"
#include "report/books/InputTables.h"

#include "report/books/VerdictSection.h"

#include "report/books/LumenMethodBook.h"

#include <kelvorin/KvStr.h>

namespace qv {
namespace {

void WriteGeneralFormula(BookComposer& book) {
    book.BoldLine("单位容量计算基本公式:", BookComposer::kHeadingSize);
    book.Equation("P = P " + Lo("0") + "AEC " + Lo("1") + "C " + Lo("2") + "C");
    book.Line("式中 P——在设计照度条件下房间需要安装的最低电功率，W");
    book.Symbol("     P", "0", "——照度为1lx时的单位容量, W/m");
    book.Superscript("2");
    book.LineSquared("     A——房间面积，m");
    book.Line("     E——设计照度，lx");
    book.Symbol("     C", "1", "——当房间内各部分的反射比不同时的修正系数");
    book.Symbol("     C", "2", "——当光源不是100W白炽灯或40W荧光灯时的调整系数");
    book.Line("     C——当灯具效率不是70%时的校正系数，η=60%时C");
    book.Append(" = 1.22;η=50%时C");
    book.Append(" = 1.47");
}

// The lamp a reference-lamp kind names: "40W荧光灯" for "40W荧光灯单位电功率"; a kind
// typed by the user stays as it is.
std::string ReferenceLamp(const std::string& kind) {
    const std::string suffix = "单位电功率";
    if (kind.size() > suffix.size() && kind.ends_with(suffix)) {
        return kind.substr(0, kind.size() - suffix.size());
    }
    return kind;
}

// Which reference lamp P0 and C2 belong to. C2 only corrects P0 when both compare with
// the same reference lamp; a designer is told when they do not.
void WriteReferenceLamps(BookComposer& book, const UnitCapacityEntryTrace& trace) {
    if (trace.kind == kIncandescentKind || trace.kind == kFluorescentKind) {
        book.Line(KvStr::Format("单位容量P0按%s取值,", trace.kind.c_str()));
    } else {
        book.Line(KvStr::Format("单位电功率类型为%s,单位容量P0按输入值,", trace.kind.c_str()));
    }
    if (trace.c2Type.empty()) {
        book.Append("C2参照无(取1.0)");
        return;
    }
    book.Append(KvStr::Format("C2参照%s %sW,相对于%s", trace.c2Type.c_str(),
                              KvStr::FormatDouble(trace.c2Power).c_str(),
                              ReferenceLamp(trace.c2Reference).c_str()));
    if ((trace.kind == kIncandescentKind || trace.kind == kFluorescentKind) &&
        trace.kind != trace.c2Reference) {
        book.Line(KvStr::Format("注意:C2相对于%s,而P0按%s取值,两者的参照光源不同",
                                ReferenceLamp(trace.c2Reference).c_str(),
                                ReferenceLamp(trace.kind).c_str()));
    }
}

} // namespace

BookName WriteUnitCapacityBook(CalcBookWriter& writer, const UnitCapacityBookRecord& record) {
    const BookName name{"单位容量计算书", "单位容量计算书"};
    const LuminaireList& entries = record.entries;
    const UnitCapacityResult& result = record.result;
    const auto traceOf = [&result](int i) {
        return static_cast<size_t>(i) < result.entries.size()
                   ? result.entries[static_cast<size_t>(i)]
                   : UnitCapacityEntryTrace{};
    };
    std::vector<std::vector<std::string>> rows;
    for (int i = 0; i < entries.Count(); ++i) {
        const Luminaire& l = entries.At(i);
        rows.push_back({l.sName, l.sModel, KvStr::Format("%0.4f", l.unitCapacity.dUnitCapacity),
                        Whole(l.unitCapacity.nCount), Whole(l.unitCapacity.nNeeded)});
    }
    BookComposer book(writer);
    OpenTableBook(book, name.title, BookComposer::kHeadingSize,
                  {"序号", "名称", "类型", "单位容量", "个数", "需要数"}, rows);
    OpenInputs(book);
    WriteRoomInputs(book, record.inputs, false);
    WriteLuminaireInputs(book, record.inputs.luminaires);
    const PowerDensityDisplay& densities = record.densities;
    book.Line(KvStr::Format("实际照度为%slx", record.illuminanceText.c_str()));
    book.Append(KvStr::Format("         灯具效率为%s%%", record.efficiencyText.c_str()));
    WriteDensities(book, densities.lpdText, densities.label, densities.secondText, "        ");
    WriteGeneralFormula(book);

    for (int i = 0; i < entries.Count(); ++i) {
        const Luminaire& l = entries.At(i);
        const UnitCapacityInputs& in = l.unitCapacity;
        const UnitCapacityEntryTrace trace = traceOf(i);
        book.Line(KvStr::Format("当选择%s,", l.sName.c_str()));
        book.Append(KvStr::Format("类型为%s,", in.sDistributionClass.c_str()));
        book.Append(KvStr::Format("型号为%s,", l.sModel.c_str()));
        WriteReferenceLamps(book, trace);
        book.Line(KvStr::Format("灯的名称为%s", l.sName.c_str()));
        book.Append(KvStr::Format("        型号为%s", l.sModel.c_str()));
        book.Append(KvStr::Format("        功率为%sW", KvStr::FormatDouble(trace.power).c_str()));
        book.Line(KvStr::Format("P = %s × %s × %s × %s × %s × %s = %sW", Fixed(trace.p0, 4).c_str(),
                                Fixed(trace.area, 2).c_str(), Fixed(result.standard, 2).c_str(),
                                Fixed(trace.c1, 3).c_str(), Fixed(trace.c2, 3).c_str(),
                                Fixed(trace.c, 3).c_str(), Fixed(trace.required, 2).c_str()));
        WriteNeededCount(book, {trace.needed, true, result.required, result.installed,
                                result.deficit, trace.power});
        book.Line(KvStr::Format("当前功率数为%0.2fW", result.installed));
        book.Append(KvStr::Format("              实际需要瓦数为%0.2fW", result.required));
    }
    const StandardBasis basis = record.basis.value_or(DesignRequirement(result.standard));
    WriteVerdict(book, basis,
                 {result.e, std::nullopt, record.densities.lpd, VerdictUgr(basis, record.inputs)},
                 VerdictSubject::kRoom);
    return name;
}

} // namespace qv
