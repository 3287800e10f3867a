#include "report/books/UgrBook.h"

#include "calc/common/Verdict.h"
#include "calc/glare/GlareTransfer.h"
#include "report/books/InputTables.h"

#include <kelvorin/KvStr.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace qv {

UgrBookRecord MakeUgrBookRecord(const Project& project, const RoomUgr& result, double eyeHeight,
                                std::optional<double> limit) {
    UgrBookRecord record;
    record.result = result;
    record.eyeHeight = eyeHeight;
    record.reflectCeiling = project.room.dReflectTop;
    record.reflectWall = project.room.dReflectWall;
    record.reflectFloor = project.room.dReflectFloor;
    record.luminaires = static_cast<int>(project.luminaires.Items().size());
    record.place = project.room.standardPlace;
    record.limit = limit;
    return record;
}

std::string SignificantText(double value) {
    if (!std::isfinite(value)) {
        return "—";
    }
    const double size = std::fabs(value);
    const int decimals =
        size > 0.0 ? std::clamp(3 - static_cast<int>(std::floor(std::log10(size))), 0, 9) : 0;
    return Fixed(value, decimals);
}

namespace {

std::string Ugr1(double ugr) {
    return Fixed(std::round(ugr * 10.0) / 10.0, 1);
}

// 8lg(0.25/Lb · <sum>) with the sum as given.
std::string UgrFormula(const std::string& lb, const std::string& sum) {
    return "UGR = 8lg(" + Frac("0.25", lb) + sum + ")";
}

std::string TermNotation() {
    return Frac("L " + Up("2") + "ω", "p " + Up("2"));
}

void WriteInputs(BookComposer& book, const UgrBookRecord& record) {
    const RoomUgrBackground& b = record.result.background;
    OpenInputs(book);
    book.Table({"项目", "数值"},
               {{"房间尺寸X × Y(轮廓外接矩形)", Fixed(b.x, 2) + "m × " + Fixed(b.y, 2) + "m"},
                {"眼睛高度", Fixed(record.eyeHeight, 2) + "m"},
                {"灯具距眼睛的平均高度H", Fixed(b.h, 2) + "m"},
                {"顶棚/墙面/地面反射比",
                 KvStr::Format("%s%%/%s%%/%s%%", KvStr::FormatDouble(record.reflectCeiling).c_str(),
                               KvStr::FormatDouble(record.reflectWall).c_str(),
                               KvStr::FormatDouble(record.reflectFloor).c_str())},
                {"灯具数量N", Whole(record.luminaires)},
                {"灯具光源总光通量ΣΦ", Fixed(b.lampFlux, 0) + "lm"}});
}

void WriteFormula(BookComposer& book) {
    book.Section("\n统一眩光值的计算公式:\n");
    book.Equation(UgrFormula("L " + Lo("b"), "Σ" + TermNotation()));
    book.Line("式中:\n");
    book.Symbol("L", "b", "——背景亮度，cd/m²");
    book.Line("L——每个灯具发光部分在观察者眼睛方向的亮度，cd/m²");
    book.Line("ω——每个灯具发光部分对观察者眼睛所形成的立体角，sr");
    book.Line("p——每个灯具的位置指数");
    book.Line("R、T、H——灯具中心沿视线方向、垂直视线方向的水平距离及高出眼睛的高度，m");
}

// Lb = E_WID/π from the walls' mean indirect illuminance of the room's box.
void WriteBackground(BookComposer& book, const UgrBookRecord& record) {
    const RoomUgrBackground& b = record.result.background;
    book.Section("背景亮度的计算:\n");
    book.Equation("L " + Lo("b") + " = " + Frac("E " + Lo("WID"), "π"));
    book.Equation("E " + Lo("WID") + " = B · F " + Lo("UWID") + "，B = " + Frac("ΣΦ", "2H(X + Y)"));
    book.Equation("F " + Lo("UWID") + " = F " + Lo("DF") + "T " + Lo("FW") + " + F " + Lo("DW") +
                  "T " + Lo("WW") + " + F " + Lo("DC") + "T " + Lo("CW"));
    book.Line("式中:\n");
    book.Symbol("E", "WID", "——墙面平均间接照度，作为眼睛处的间接照度，lx");
    book.Symbol("F", "DF", "、F");
    book.Subscript("DW");
    book.Append("、F");
    book.Subscript("DC");
    book.Append("——每流明光源光通量直接射到地面、墙面、顶棚的光通量");
    book.Symbol("T", "FW", "、T");
    book.Subscript("WW");
    book.Append("、T");
    book.Subscript("CW");
    book.Append("——首次射到地面、墙面(首次入射不计)、顶棚的光通量经相互反射后到达墙面的比例");
    if (!(b.h > 0.0 && b.x > 0.0 && b.y > 0.0)) {
        return;
    }
    const RoomReflectances rho{record.reflectCeiling / 100.0, record.reflectWall / 100.0,
                               record.reflectFloor / 100.0};
    const WallTransferFactors t = WallTransfer(b.x, b.y, b.h, rho);
    const double uwid = b.direct.floor * t.fromFloor + b.direct.walls * t.fromWalls +
                        b.direct.ceiling * t.fromCeiling;
    const double bValue = b.lampFlux / (2.0 * b.h * (b.x + b.y));
    book.Equation("F " + Lo("DF") + " = " + Fixed(b.direct.floor, 4) + "，F " + Lo("DW") + " = " +
                  Fixed(b.direct.walls, 4) + "，F " + Lo("DC") + " = " +
                  Fixed(b.direct.ceiling, 4));
    book.Equation("T " + Lo("FW") + " = " + Fixed(t.fromFloor, 3) + "，T " + Lo("WW") + " = " +
                  Fixed(t.fromWalls, 3) + "，T " + Lo("CW") + " = " + Fixed(t.fromCeiling, 3));
    book.Equation("B = " +
                  Frac(Fixed(b.lampFlux, 0), "2 × " + Fixed(b.h, 2) + " × (" + Fixed(b.x, 2) +
                                                 " + " + Fixed(b.y, 2) + ")") +
                  " = " + Fixed(bValue, 2) + "lm/m²");
    book.Equation("F " + Lo("UWID") + " = " + Fixed(b.direct.floor, 4) + " × " +
                  Fixed(t.fromFloor, 3) + " + " + Fixed(b.direct.walls, 4) + " × " +
                  Fixed(t.fromWalls, 3) + " + " + Fixed(b.direct.ceiling, 4) + " × " +
                  Fixed(t.fromCeiling, 3) + " = " + Fixed(uwid, 4));
    book.Equation("E " + Lo("WID") + " = " + Fixed(bValue, 2) + " × " + Fixed(uwid, 4) + " = " +
                  Fixed(b.lb * std::numbers::pi, 2) + "lx");
    book.Equation("L " + Lo("b") + " = " + Frac(Fixed(b.lb * std::numbers::pi, 2), "π") + " = " +
                  Fixed(b.lb, 2) + "cd/m²");
}

void WriteObserver(BookComposer& book, int number, const ObserverUgr& o) {
    book.Section(KvStr::Format("\n观察点%d:", number));
    book.Line(KvStr::Format("眼睛位置(%s, %s, %s)，视线方向%s°(0°为+X方向，逆时针)",
                            Fixed(o.observer.x, 2).c_str(), Fixed(o.observer.y, 2).c_str(),
                            Fixed(o.observer.eyeHeight, 2).c_str(),
                            KvStr::FormatDouble(o.observer.direction).c_str()));
    double sum = 0.0;
    std::vector<std::vector<std::string>> rows;
    for (const UgrLuminaireTerm& t : o.terms) {
        rows.push_back({Whole(t.luminaire), Fixed(t.r, 2), Fixed(std::fabs(t.t), 2), Fixed(t.h, 2),
                        SignificantText(t.l), SignificantText(t.omega), Fixed(t.p, 2),
                        SignificantText(t.term)});
        sum += t.term;
    }
    if (!rows.empty()) {
        book.Table({"序号", "R(m)", "T(m)", "H(m)", "L(cd/m²)", "ω(sr)", "p", "L²ω/p²"}, rows);
    }
    book.Equation("Σ" + TermNotation() + " = " + SignificantText(sum));
    if (!o.ugr) {
        book.Line(o.reason);
        return;
    }
    book.Equation(UgrFormula(Fixed(o.lb, 2), " × " + SignificantText(sum)) + " = " + Ugr1(*o.ugr));
}

void WriteConclusion(BookComposer& book, const UgrBookRecord& record) {
    const RoomUgr& result = record.result;
    book.Blank();
    book.Heading("结论");
    if (!result.ok) {
        book.Line(result.reason);
        return;
    }
    if (!result.max) {
        book.Line("各观察点均无法计算UGR");
        return;
    }
    for (size_t i = 0; i < result.observers.size(); ++i) {
        const std::optional<double>& ugr = result.observers[i].ugr;
        if (ugr && *ugr == *result.max) {
            book.Line(KvStr::Format("各观察点的最大值在观察点%d:UGR = %s", static_cast<int>(i) + 1,
                                    Ugr1(*ugr).c_str()));
            break;
        }
    }
    if (!record.place.Empty()) {
        book.Line("场所:" + record.place.Text() +
                  (record.limit ? ",统一眩光值限值UGR ≤ " + KvStr::FormatDouble(*record.limit)
                                : ",标准未规定该场所的统一眩光值限值"));
    }
    book.Line("结论:" + UgrVerdictText(*result.max, record.limit));
}

} // namespace

BookName WriteUgrBook(CalcBookWriter& writer, const UgrBookRecord& record) {
    const BookName name{"统一眩光值(UGR)计算书", "统一眩光值(UGR)计算书"};
    BookComposer book(writer);
    book.Open(name.title);
    WriteInputs(book, record);
    WriteFormula(book);
    if (record.result.ok) {
        WriteBackground(book, record);
        for (size_t i = 0; i < record.result.observers.size(); ++i) {
            WriteObserver(book, static_cast<int>(i) + 1, record.result.observers[i]);
        }
    }
    WriteConclusion(book, record);
    if (record.twoPlaneEstimate) {
        book.Line(std::string("注:灯具只有A、B两个平面的配光曲线,朝向眼睛的光强") +
                  kTwoPlaneEstimate + ",发光面积取灯具发光部分的尺寸。");
    }
    return name;
}

} // namespace qv
