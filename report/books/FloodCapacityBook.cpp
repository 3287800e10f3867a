#include "report/books/FloodCapacityBook.h"
#include "report/books/InputTables.h"

#include "report/books/LumenMethodBook.h"
#include "report/books/VerdictSection.h"

#include <kelvorin/KvStr.h>

namespace qv {
namespace {

std::string Text(double value) {
    return KvStr::FormatDouble(value);
}

void WriteGeneralFormulas(BookComposer& book) {
    book.Section("基本计算公式");
    const std::string es = "η " + Lo("s");
    book.Equation("P = " + Frac("P " + Lo("Σ"), "A") + " = " +
                  Frac("E " + Lo("min"), es + "ηUU " + Lo("1") + "K"));
    book.Equation("P " + Lo("Σ") + " = PA");
    book.Equation("N = " + Frac("P " + Lo("Σ"), "P " + Lo("L")));
    book.LineSquared("式中 P——单位面积功率，W/m");
    book.Symbol("     P", "Σ", "——投光灯总功率，W");
    book.Symbol("     P", "L", "——每台投光灯的功率，W");
    book.LineSquared("     A——被照面积，m");
    book.Symbol("     E", "min", "——被照水平面最低照度，lx");
    book.Symbol("     η", "s", "——光源光效率，lm/W");
    book.Line("    η——灯具效率");
    book.Line("     U——利用系数");
    book.Symbol("     U", "1", "——照度均匀度");
    book.Line("     K——维护系数");
    book.Line("     N——投光灯盏数");

    book.Line("求光源光效率，按照η=0.6 U=0.7 U");
    book.Subscript("1");
    book.Append("=0.75 K=0.7 计算");
    for (size_t i = 0; i + 1 < kFloodLampTypes.size(); ++i) {
        const std::string& lamp = kFloodLampTypes[i];
        book.Line(lamp + ":");
        book.Equation("η " + Lo("s") + " = " +
                      Frac("1", "0.6 × 0.7 × 0.75 × 0.7 × " + Text(LampTypeUnitPower(lamp))) +
                      " = " + Fixed(LampTypeEfficacy(lamp), 2) + "lm/W");
    }
}

} // namespace

BookName WriteFloodCapacityBook(CalcBookWriter& writer, const FloodCapacityRecord& record) {
    const BookName name{"投光灯单位容量法照度计算书", "投光灯单位容量法照度计算计算书"};
    const std::vector<FloodCapacityEntry>& entries = record.entries;
    std::vector<std::vector<std::string>> rows;
    for (const FloodCapacityEntry& entry : entries) {
        const Luminaire& l = entry.luminaire;
        const UnitCapacityInputs& in = l.unitCapacity;
        rows.push_back({l.sName, l.sModel, in.sShareClass, Text(in.dEfficiency),
                        Text(in.dUniformity), in.sLampType, Whole(in.nCount),
                        Whole(entry.additional)});
    }
    BookComposer book(writer);
    OpenTableBook(book, name.title, BookComposer::kHeadingSize,
                  {"序号", "名称", "类型", "全部照射灯比例", "灯具效率", "照度均匀度", "光源类型",
                   "个数", "需要数"},
                  rows);
    OpenInputs(book);
    WriteRoomInputs(book, record.inputs, true);
    WriteLuminaireInputs(book, record.inputs.luminaires);
    const FloodCapacityResult& result = record.result;
    const PowerDensityDisplay& densities = record.densities;
    book.Line(KvStr::Format("平面上最低照度为%slx", Text(record.eMin).c_str()));
    book.Append(KvStr::Format("         实际照度为%slx", record.eText.c_str()));
    WriteDensities(book, densities.lpdText, densities.label, densities.secondText,
                   "              ");
    WriteGeneralFormulas(book);

    for (const FloodCapacityEntry& entry : entries) {
        const Luminaire& l = entry.luminaire;
        const UnitCapacityInputs& in = l.unitCapacity;
        book.Line(KvStr::Format("类型为%s,", l.sModel.c_str()));
        book.Append(KvStr::Format("全部照射比例为%s,", in.sShareClass.c_str()));
        book.Append(KvStr::Format("灯具效率为%s", Text(in.dEfficiency).c_str()));
        book.Line(KvStr::Format("照度均匀度为%s,", Text(in.dUniformity).c_str()));
        book.Append(KvStr::Format("光源类型为%s,", in.sLampType.c_str()));
        book.Line(KvStr::Format("灯的名称为%s", l.sName.c_str()));
        book.Append(KvStr::Format("        型号为%s", l.sModel.c_str()));
        if (entry.counted) {
            book.Equation("P = " +
                          Frac(Text(record.eMin), Fixed(entry.efficacy, 2) + " × " +
                                                      Text(in.dEfficiency) + " × " + Text(entry.u) +
                                                      " × " + Text(in.dUniformity) + " × " +
                                                      Text(l.dVindicate)) +
                          " = " + Fixed(record.eMin / entry.x, 4) + "W/m" + Up("2"));
            book.Equation("P " + Lo("L") + " = " + Text(entry.pL) + "W");
        } else {
            book.Line("灯具效率、照度均匀度或光源光效率为0，此灯不参加计算");
        }
        WriteNeededCount(
            book, {entry.additional, true, result.pReq, result.pInst, result.deficit, entry.pL});
        book.Line(KvStr::Format("当前已有功率数为%sW", Text(result.pInst).c_str()));
        book.Append(
            KvStr::Format("              实际总共需要瓦数为%sW", Text(result.pReq).c_str()));
    }
    WriteVerdict(book, record.basis.value_or(DesignRequirement(record.eMin)),
                 {result.e, std::nullopt, record.densities.lpd, std::nullopt},
                 VerdictSubject::kSite);
    return name;
}

} // namespace qv
