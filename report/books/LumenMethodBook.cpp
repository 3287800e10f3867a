#include "report/books/LumenMethodBook.h"
#include "report/books/InputTables.h"

#include "report/books/VerdictSection.h"

#include <kelvorin/KvStr.h>

namespace qv {

void WriteNeededCount(BookComposer& book, const NeededCount& count) {
    if (count.needed <= 0) {
        book.Line("还需要这种灯数量是0盏");
        return;
    }
    const char* unit = count.power ? "W" : "lx";
    const std::string difference = count.power ? "ΔP" : "ΔE";
    const std::string share = count.power ? "P " + Lo("L") : "e";
    book.Equation(
        difference + " = " +
        (count.power ? "P " + Lo("req") + " − P " + Lo("inst") : "E " + Lo("std") + " − E") +
        " = " + Fixed(count.target, 2) + " − " + Fixed(count.present, 2) + " = " +
        Fixed(count.deficit, 2) + unit);
    if (count.power) {
        book.Symbol("式中 P", "req", "——需要的总功率，W；P");
        book.Subscript("inst");
        book.Append("——已有的总功率，W；P");
        book.Subscript("L");
        book.Append("——每盏这种灯的功率，W");
    } else {
        book.Symbol("式中 E", "std",
                    "——要达到的标准照度，lx；E——当前实际照度，lx；e——每盏这种灯产生的照度，lx");
    }
    book.Line("还需要这种灯数量是");
    const double quotient = count.share > 0.0 ? count.deficit / count.share : 0.0;
    book.InlineEquation("N = " + Frac(difference, share) + " = " +
                        Frac(Fixed(count.deficit, 2), Fixed(count.share, 2) + unit) + " = " +
                        Fixed(quotient, 2) + "，向上取整得N = " + Whole(count.needed) + "盏");
}

namespace {

// The coefficient of utilization with at most 4 decimals, trailing zeros dropped
// (0.562500 reads 0.5625, 0.500000 reads 0.5).
std::string CuNumber(double u) {
    std::string text = KvStr::Format("%0.4f", u);
    text.erase(text.find_last_not_of('0') + 1);
    if (!text.empty() && text.back() == '.') {
        text.pop_back();
    }
    return text == "-0" ? "0" : text;
}

// The coefficient of utilization as the book states it; "无" for an entry without one.
std::string CuText(double u) {
    return u == kNoCu ? "无" : CuNumber(u);
}

void WriteGeneralFormulas(BookComposer& book) {
    book.Section("\n室空间比的计算公式:\n");
    book.Equation("RCR = " + Frac("5h " + Lo("r") + "(l + b)", "l × b"));
    book.Section("房间不是六面体时:\n");
    book.Equation("RCR = " + Frac("2.5墙面积", "地面积"));
    book.Line("式中:\n");
    book.Line(" l--室长，m");
    book.Line(" b--室宽，m\n");
    book.Symbol(" h", "r", "--室空间高,m");
    book.Section("利用系数法计算平均照度公式:\n");
    book.Equation("E " + Lo("av") + " = " + Frac("NφUK", "A"));
    book.Line("式中:\n");
    book.Symbol("E", "av", "--表示工作面上的平均照度,lx");
    book.Line("φ--光源光通量，lm");
    book.Line("N--光源数量");
    book.Line("U--利用系数");
    book.LineSquared("A--工作面面积，m");
    book.Line("K--灯具的维护系数");
}

} // namespace

BookName WriteLumenMethodBook(CalcBookWriter& writer, const LumenMethodRecord& record) {
    const BookName name{"利用系数法照度计算书", "利用系数法照度计算书"};
    const std::vector<LumenEntry>& entries = record.entries;
    std::vector<std::vector<std::string>> rows;
    for (const LumenEntry& entry : entries) {
        rows.push_back({entry.luminaire.sName, entry.luminaire.sModel, CuText(entry.u),
                        Whole(entry.count), Whole(entry.needed)});
    }
    BookComposer book(writer);
    OpenTableBook(book, name.title, BookComposer::kBodySize,
                  {"序号", "名称", "类型", "利用系数", "个数", "需要数"}, rows);
    OpenInputs(book);
    WriteRoomInputs(book, record.inputs, false, &record.result.cavity);
    WriteLuminaireInputs(book, record.inputs.luminaires);
    WriteGeneralFormulas(book);

    const LumenMethodResult& result = record.result;
    const CavityRatio& cavity = result.cavity;
    for (size_t i = 0; i < entries.size(); ++i) {
        const LumenEntry& entry = entries[i];
        const Luminaire& luminaire = entry.luminaire;
        const double share = i < result.entries.size() ? result.entries[i].share : 0.0;
        book.Line(KvStr::Format("当选择%s,", luminaire.sName.c_str()));
        book.Append(KvStr::Format("类型为%s,", luminaire.sModel.c_str()));
        book.Append(KvStr::Format("利用系数为%s时,", CuText(entry.u).c_str()));
        book.Blank();
        book.Line(KvStr::Format("灯的名称为%s", luminaire.sName.c_str()));
        book.Append(KvStr::Format("        型号为%s", luminaire.sModel.c_str()));
        book.Append(KvStr::Format("        功率为%sW",
                                  KvStr::FormatDouble(LuminairePower(luminaire)).c_str()));
        book.Equation("RCR = " +
                      Frac("5 × " + Fixed(cavity.h, 2) + " × (" + Fixed(cavity.l, 2) + " + " +
                               Fixed(cavity.b, 2) + ")",
                           Fixed(cavity.l, 2) + " × " + Fixed(cavity.b, 2)) +
                      " = " + Fixed(cavity.rcr, 2));
        if (entry.u == kNoCu) {
            book.Line("该灯具没有利用系数，不计入平均照度\n");
        } else {
            book.Equation("E " + Lo("av") + " = " +
                          Frac(Whole(entry.count) + " × " + Whole(luminaire.nLuminousFlux) + " × " +
                                   CuNumber(entry.u) + " × " + Fixed(luminaire.dVindicate, 2),
                               Fixed(result.area, 2)) +
                          " = " + Fixed(entry.count * share, 2) + "lx");
        }
        WriteNeededCount(book,
                         {entry.needed, false, record.standard, result.e, result.deficit, share});
        book.Line(KvStr::Format("当前实际照度为%0.2flx", result.e));
        book.Append(KvStr::Format("              要达到的标准照度为%0.2flx", record.standard));
        WriteDensities(book, Fixed(record.lpd, 2), record.lpd2Label, Fixed(record.lpd2, 2),
                       "                ");
    }
    const StandardBasis basis = record.basis.value_or(DesignRequirement(record.standard));
    WriteVerdict(book, basis,
                 {result.e, std::nullopt, record.lpd, VerdictUgr(basis, record.inputs)},
                 VerdictSubject::kRoom);
    return name;
}

} // namespace qv
