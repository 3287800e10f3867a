#include "report/books/FloodPointBook.h"
#include "report/books/InputTables.h"

#include "model/Constants.h"

#include <kelvorin/KvStr.h>

#include <cmath>

namespace qv {
namespace {

const std::string kXm2 = "x " + Lo("M") + Up("2");
const std::string kYm2 = "y " + Lo("M") + Up("2");
const std::string kX2 = "x " + Up("2");
const std::string kY2 = "y " + Up("2");
const std::string kZ2 = "z " + Up("2");

std::string Degrees(double radians) {
    return Fixed(radians * kRadToDeg, 2) + "°";
}

// Each heading with its formula in general form.
void WriteGeneralFormulas(BookComposer& book) {
    book.Line("点S为投光灯。\n");
    book.Line("点P为被照射点。\n");
    book.Line("点M为瞄准点。\n");
    book.Line("点Q为灯的投影点。\n");
    const std::pair<const char*, std::string> formulas[] = {
        {"方位角φ:\n", "φ = arcsin" + Frac("x " + Lo("M"), Sqrt(kXm2 + " + " + kYm2))},
        {"仰角θ:\n", "θ = arctg" + Frac(Sqrt(kXm2 + " + " + kYm2), "H")},
        {"角φ':\n", "φ' = arcsin" + Frac("x", Sqrt(kX2 + " + " + kY2))},
        {"角γ:\n", "γ = φ' - φ"},
        {"水平角度α:\n", "α = arcsin" + Frac("sinγ" + Sqrt(kX2 + " + " + kY2),
                                             Sqrt(kX2 + " + " + kY2 + " + " + kZ2))},
        {"角θ':\n", "θ' = arctg" + Frac("cosγ" + Sqrt(kX2 + " + " + kY2), "H")},
        {"垂直角度β:\n", "β = θ' - θ"},
        {"入射角δ:\n", "δ = arccos" + Frac("H", "R")},
        {"水平面照度E:\n", "E " + Lo("h") + " = " + Frac("Icosδ", "R " + Up("2"))},
        {"垂直照度:\n", "E " + Lo("v") + " = " + Frac("Isinδ", "R " + Up("2"))},
        {"纵向垂直照度:\n", "E " + Lo("vl") + " = |cosφ'|" + Frac("Isinδ", "R " + Up("2"))},
        {"横向垂直照度:\n", "E " + Lo("vt") + " = |sinφ'|" + Frac("Isinδ", "R " + Up("2"))},
    };
    for (const auto& [heading, formula] : formulas) {
        book.Line(heading);
        book.Equation(formula);
    }
    book.Line("式中 I——照射方向光强，cd，为投光灯等光强表中光强(kcd)的1000倍");
    book.Line("注意：在计算之前首先把坐标系平移，平移成以灯为圆心的坐标系。");
}

// The flux each floodlight's grid encloses against its lamps' flux: a grid of kcd for the
// lamps encloses at most the lamp flux.
void WriteGridChecks(BookComposer& book, const FloodPointRecord& record) {
    if (record.gridChecks.empty()) {
        return;
    }
    book.Section("等光强表光通量校核:");
    book.Equation("Φ " + Lo("I") + " = ∫IdΩ ≤ " + Fixed(kFloodGridFluxAllowance, 2) + "Φ");
    book.Symbol("式中 Φ", "I", "——等光强表光强(kcd)在表中角度范围内积分所得光通量，lm");
    book.Line("     Φ——光源光通量，lm");
    for (const FloodGridFluxCheck& check : record.gridChecks) {
        if (check.index < 0 || check.index >= record.floodlights.Count()) {
            continue;
        }
        const Luminaire& floodlight = record.floodlights.At(check.index);
        book.Line(KvStr::Format("投光灯%d(%s %s)：", check.index + 1, floodlight.sName.c_str(),
                                floodlight.sModel.c_str()));
        book.Equation("Φ " + Lo("I") + " = " + Fixed(check.gridFlux, 0) +
                      "lm, Φ = " + Fixed(check.lampFlux, 0) + "lm");
        if (check.exceeds) {
            book.Line("等光强表所含光通量超过光源光通量的" + Fixed(kFloodGridFluxAllowance, 2) +
                      "倍，其光强不是该光源的光强(kcd)，以下照度偏大，请检查。");
        }
    }
}

void WriteStep(BookComposer& book, const FloodlightStep& step, const Luminaire& floodlight) {
    if (step.outcome != FloodStepOutcome::Contributes) {
        book.Line(step.outcome == FloodStepOutcome::AtFloodlight ? "计算点与投光灯重合，照度为0。"
                                                                 : "计算点不在场地内，照度为0。");
        return;
    }
    const Vector& p = step.local;
    const double xm = floodlight.ptAim.x;
    const double ym = floodlight.ptAim.y;
    book.Equation(
        KvStr::Format("x = %0.3f, y = %0.3f, z = %0.3f, H = %0.3f, ", p.x, p.y, p.z, step.h) +
        "x " + Lo("M") + KvStr::Format(" = %0.3f, ", xm) + "y " + Lo("M") +
        KvStr::Format(" = %0.3f", ym));
    // Each angle under its heading, in general form, with the values, and its value.
    const std::string aimPlan = Sqrt(Fixed(xm, 3) + Up("2") + " + " + Fixed(ym, 3) + Up("2"));
    const std::string plan = Sqrt(Fixed(p.x, 3) + Up("2") + " + " + Fixed(p.y, 3) + Up("2"));
    const bool aimAbove = std::fabs(xm) < 1e-6 && std::fabs(ym) < 1e-6;
    const bool level = std::fabs(step.h) < 1e-6;
    book.Line("方位角φ:");
    book.Equation(aimAbove
                      ? "φ = " + Degrees(step.phi)
                      : "φ = arcsin" + Frac(Fixed(xm, 3), aimPlan) + " = " + Degrees(step.phi));
    book.Line("仰角θ:");
    book.Equation(level ? "θ = " + Degrees(step.theta)
                        : "θ = arctg" + Frac(aimPlan, Fixed(step.h, 3)) + " = " +
                              Degrees(step.theta));
    book.Line("角φ':");
    book.Equation(std::fabs(p.x) < 1e-6 && std::fabs(p.y) < 1e-6
                      ? "φ' = " + Degrees(step.phiP)
                      : "φ' = arcsin" + Frac(Fixed(p.x, 3), plan) + " = " + Degrees(step.phiP));
    book.Line("角γ:");
    book.Equation("γ = φ' - φ = " + Degrees(step.phiP) + " - " + Degrees(step.phi) + " = " +
                  Degrees(step.gamma));
    book.Line("水平角度α:");
    book.Equation("α = arcsin" +
                  Frac("sin" + Degrees(step.gamma) + " × " + Fixed(step.rho, 3), Fixed(step.r, 3)) +
                  " = " + Degrees(step.alpha));
    book.Line("角θ':");
    book.Equation(level ? "θ' = " + Degrees(step.thetaP)
                        : "θ' = arctg" +
                              Frac("cos" + Degrees(step.gamma) + " × " + Fixed(step.rho, 3),
                                   Fixed(step.h, 3)) +
                              " = " + Degrees(step.thetaP));
    book.Line("垂直角度β:");
    book.Equation("β = θ' - θ = " + Degrees(step.thetaP) + " - " + Degrees(step.theta) + " = " +
                  Degrees(step.beta));
    book.Line("入射角δ:");
    book.Equation("δ = arccos" + Frac(Fixed(step.h, 3), Fixed(step.r, 3)) + " = " +
                  Degrees(step.delta));
    const std::string r2 = Fixed(step.r, 3) + Up("2");
    const std::string intensity = Fixed(step.intensity, 0);
    book.Equation("E " + Lo("h") + " = " + Frac(intensity + " × cos" + Degrees(step.delta), r2) +
                  " = " + Fixed(step.eh, 3) + "lx");
    book.Equation("E " + Lo("v") + " = " + Frac(intensity + " × sin" + Degrees(step.delta), r2) +
                  " = " + Fixed(step.ev, 3) + "lx");
    book.Equation("E " + Lo("vl") + " = |cos" + Degrees(step.phiP) + "| × " + Fixed(step.ev, 3) +
                  " = " + Fixed(step.longitudinal, 3) + "lx");
    book.Equation("E " + Lo("vt") + " = |sin" + Degrees(step.phiP) + "| × " + Fixed(step.ev, 3) +
                  " = " + Fixed(step.transverse, 3) + "lx");
}

// A step that adds nothing: no intensity and no illuminance.
bool IsAllZero(const FloodlightStep& step) {
    return step.outcome == FloodStepOutcome::Contributes && step.intensity == 0.0 &&
           step.eh == 0.0 && step.ev == 0.0 && step.transverse == 0.0 && step.longitudinal == 0.0;
}

void WriteTotals(BookComposer& book, const FloodlightResultRow& total, int point) {
    const std::pair<const char*, double> lines[] = {{"点水平照度为：", total.eh},
                                                    {"点垂直照度为：", total.ev},
                                                    {"点横向垂直照度为：", total.transverse},
                                                    {"点纵向垂直照度为：", total.longitudinal}};
    for (const auto& [text, value] : lines) {
        book.Line("所有灯具对P");
        book.Append(Whole(point) + text + Fixed(value, 3) + " lx ");
    }
}

} // namespace

BookName WriteFloodPointBook(CalcBookWriter& writer, const FloodPointRecord& record) {
    const std::vector<FloodlightResultRow>& rows = record.rows;
    const std::vector<FloodlightStep>& steps = record.steps;
    const LuminaireList& floodlights = record.floodlights;
    const BookName name{"投光灯单点照度计算计算书", ""};
    BookComposer book(writer);
    book.Open(name.title);
    OpenInputs(book);
    WriteFloodlightInputs(book, floodlights);
    WritePointInputs(book, TotalRowPoints(rows));
    WriteGeneralFormulas(book);
    WriteGridChecks(book, record);
    int point = 0;
    bool pointOpen = false;
    std::string withoutGrid; // the luminaires of this point left out: no intensity grid
    for (size_t i = 0; i < rows.size(); ++i) {
        const FloodlightResultRow& row = rows[i];
        if (!pointOpen) {
            ++point;
            book.Section(KvStr::Format("P%d点投光灯的点照度计算:", point));
            pointOpen = true;
        }
        if (row.IsTotal()) {
            if (!withoutGrid.empty()) {
                book.Line("灯" + withoutGrid + "没有投光灯等光强表(不是投光灯)，对P" +
                          Whole(point) + "点的照度为0，不列出计算过程。");
                withoutGrid.clear();
            }
            WriteTotals(book, row, point);
            pointOpen = false;
            continue;
        }
        const int index = FloodlightIndexOf(row);
        if (index >= 0 && index < floodlights.Count() &&
            floodlights.At(index).floodTable.Count() == 0 && i < steps.size() &&
            IsAllZero(steps[i])) {
            withoutGrid += (withoutGrid.empty() ? "" : "、") + Whole(index + 1);
            continue;
        }
        book.Section(KvStr::Format("投光灯%d对P%d点照度计算:", index + 1, point));
        if (i < steps.size() && index >= 0 && index < floodlights.Count()) {
            WriteStep(book, steps[i], floodlights.At(index));
        } else {
            book.Line("没有这个投光灯，照度为0。");
        }
    }
    return name;
}

} // namespace qv
