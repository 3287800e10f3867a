#include "report/books/AreaSourceBook.h"
#include "report/books/InputTables.h"

#include "model/Constants.h"

#include <kelvorin/KvStr.h>

#include <cmath>

namespace qv {
namespace {

using Calc = AreaSourceCalculation;

// The parameters, each followed by a blank line.
void Parameter(BookComposer& book, const std::string& letter, const std::string& index,
               const std::string& rest) {
    book.Symbol(letter, index, rest);
    book.Blank();
}

// f with its index in the formulas of one book.
std::string FactorSymbol(Calc calculation) {
    switch (calculation) {
    case Calc::RectHorizontal:
        return "f " + Lo("h");
    case Calc::RectVertical:
        return "f " + Lo("v");
    default:
        return "f";
    }
}

void WriteParameters(BookComposer& book, Calc calculation) {
    if (calculation == Calc::NonUniformHorizontal) {
        Parameter(book, "L", "0", "为面光源的亮度");
    } else {
        Parameter(book, "L", "", "为面光源的亮度");
    }
    Parameter(book, "a", "", "为面光源的长度");
    Parameter(book, "b", "", "为面光源的宽度");
    if (calculation == Calc::RectInclined) {
        Parameter(book, "c", "", "为p点到倾斜面与面光源所在面交线的距离");
        Parameter(book, "h", "", "为面光源到p点水平面的高度");
        Parameter(book, "φ", "", "为光源与被照面的夹角");
    } else {
        Parameter(book, "h", "", "为面光源到水平面的高度");
    }
    if (calculation == Calc::RectHorizontal) {
        Parameter(book, "f", "h", "为形状因数");
    } else if (calculation == Calc::RectVertical) {
        Parameter(book, "f", "v", "为形状因数");
    } else {
        Parameter(book, "f", "", "为形状因数");
    }
}

const std::string kX2 = "X " + Up("2");
const std::string kY2 = "Y " + Up("2");

void WriteFormulas(BookComposer& book, Calc calculation) {
    const std::string f = FactorSymbol(calculation);
    const std::string luminance = calculation == Calc::NonUniformHorizontal ? "L " + Lo("0") : "L";
    book.Equation("E = " + luminance + "·" + f);
    switch (calculation) {
    case Calc::RectHorizontal:
        book.Equation(f + " = " + Frac("1", "2") + "[" + Frac("X", Sqrt("1 + " + kX2)) + "arctg" +
                      Frac("Y", Sqrt("1 + " + kX2)) + " + " + Frac("Y", Sqrt("1 + " + kY2)) +
                      "arctg" + Frac("X", Sqrt("1 + " + kY2)) + "]");
        book.Equation("X = " + Frac("x", "h") + ", Y = " + Frac("y", "h"));
        break;
    case Calc::RectVertical:
        book.Equation(f + " = " + Frac("1", "2") + "[arctg" + Frac("1", "Y") + " - " +
                      Frac("Y", Sqrt(kX2 + " + " + kY2)) + "arctg" +
                      Frac("1", Sqrt(kX2 + " + " + kY2)) + "]");
        book.Equation("X = " + Frac("x", "y") + ", Y = " + Frac("h", "y"));
        break;
    case Calc::NonUniformHorizontal:
        book.Equation(f + " = " + Frac("1", "3") + "[arctgQ + (" + Frac("1", "1 + " + kX2) + " + " +
                      Frac("1", "1 + " + kY2) + ")Q]");
        book.Equation("Q = " + Frac("XY", Sqrt("1 + " + kX2 + " + " + kY2)));
        book.Equation("X = " + Frac("x", "h") + ", Y = " + Frac("y", "h"));
        break;
    default: // inclined
        book.Equation(f + " = " + Frac("1", "2") + "[arctg" + Frac("1", "Y") + " + " +
                      Frac("Xcosφ - Y", "V") + "arctg" + Frac("1", "V") + " + " +
                      Frac("cosφ", "W") + "(arctg" + Frac("X - Ycosφ", "W") + " + arctg" +
                      Frac("Ycosφ", "W") + ")]");
        book.Equation("V = " + Sqrt(kX2 + " + " + kY2 + " - 2XYcosφ") +
                      ", W = " + Sqrt("1 + " + kY2 + "sin " + Up("2") + "φ"));
        book.Equation("X = " + Frac("x", "y") + ", Y = " + Frac("c", "y"));
        break;
    }
}

const char* const kRegionTexts[] = {
    "p点投影在面光源里面，光源分为A、B、C、D四部分相加",
    "p点投影在面光源长度方向(x)的外侧，光源延长后分为A、B、C、D四部分求代数和",
    "p点投影在面光源宽度方向(y)的外侧，光源延长后分为A、B、C、D四部分求代数和",
    "p点投影在面光源对角方向的外侧，光源延长后分为A、B、C、D四部分求代数和"};

std::string SignedSum(const std::vector<AreaSourceTerm>& terms, bool values) {
    std::string sum;
    for (size_t i = 0; i < terms.size(); ++i) {
        const AreaSourceTerm& term = terms[i];
        if (i > 0 || term.sign < 0) {
            sum += term.sign < 0 ? " - " : " + ";
        }
        sum += values ? Fixed(term.f, 4) : "f " + Lo(term.part);
    }
    return sum;
}

void WriteParts(BookComposer& book, const AreaSourceRecord& record) {
    const bool overHeight = record.calculation != Calc::RectVertical;
    const std::string f = FactorSymbol(record.calculation);
    for (const AreaSourceTerm& term : record.terms) {
        book.Line(term.part + "部分:");
        if (std::fabs(term.across * term.along) < kTolerance) {
            book.Append("面积为0，形状因数为0");
            continue;
        }
        const std::string d = Fixed(record.d, 3);
        const std::string x = Fixed(term.across, 3);
        const std::string y = Fixed(term.along, 3);
        book.Equation(overHeight ? "X = " + Frac(x, d) + " = " + Fixed(term.x, 4) +
                                       ", Y = " + Frac(y, d) + " = " + Fixed(term.y, 4)
                                 : "X = " + Frac(x, y) + " = " + Fixed(term.x, 4) +
                                       ", Y = " + Frac(d, y) + " = " + Fixed(term.y, 4));
        book.Equation(f + " " + Lo(term.part) + " = " + Fixed(term.f, 4));
    }
}

void WriteInclinedParts(BookComposer& book, const AreaSourceRecord& record) {
    const InclinedGeometry& g = record.inclined;
    book.Equation("t = " + Frac("h", "tgφ") + " = " +
                  Frac(Fixed(record.d, 3), "tg" + Fixed(record.angle, 2) + "°") + " = " +
                  Fixed(g.t, 3) + "m");
    book.Equation("c = " + Frac("h", "sinφ") + " = " +
                  Frac(Fixed(record.d, 3), "sin" + Fixed(record.angle, 2) + "°") + " = " +
                  Fixed(g.c, 3) + "m");
    book.Equation("a " + Lo("1") + " = " + Fixed(g.a1, 3) + "m, g = " + Fixed(g.g, 3) +
                  "m, e = " + Fixed(g.e, 3) + "m, w' = " + Fixed(g.wPrime, 3) + "m");
    if (record.caseNumber == 4) {
        book.Line("p点投影在光源里且光源面不需延长便与斜面相交");
    }
    if (record.terms.empty()) {
        book.Line("斜面与面光源所在面的交线不经过光源，光源照不到倾斜面，照度为0");
        return;
    }
    for (const AreaSourceTerm& term : record.terms) {
        book.Line(term.part + ":");
        book.Equation("X = " + Frac(Fixed(term.across, 3), Fixed(term.along, 3)) + " = " +
                      Fixed(term.x, 4) +
                      ", Y = " + Frac(Fixed(record.inclined.c, 3), Fixed(term.along, 3)) + " = " +
                      Fixed(term.y, 4) + ", f = " + Fixed(term.f, 4));
    }
}

} // namespace

BookName WriteRectSourceBook(CalcBookWriter& writer, const AreaSourceRecord& record) {
    const Calc calculation = record.calculation;
    BookName name;
    switch (calculation) {
    case Calc::RectVertical:
        name.title = "矩形等亮度面光源的点垂直照度计算";
        break;
    case Calc::RectInclined:
        name.title = "矩形等亮度面光源的倾斜面上点照度计算";
        break;
    case Calc::NonUniformHorizontal:
        name.title = "非等亮度矩形面光源水平照度计算";
        break;
    default:
        name.title = "矩形等亮度面光源的点照度计算";
        break;
    }
    BookComposer book(writer);
    book.Open(name.title, BookComposer::kLargeTitleSize);
    OpenInputs(book);
    WriteAreaSourceInputs(book, record);
    book.BoldLine("参数介绍和计算公式", calculation == Calc::NonUniformHorizontal ? 12.0f : 16.0f);
    WriteParameters(book, calculation);
    WriteFormulas(book, calculation);
    book.Line(calculation == Calc::RectInclined
                  ? "当p点在面光源投影平面里面或外面时要把光源分为几部分计算"
                  : "当p点在面光源投影平面里面或外面时要把光源分为4部分计算");
    const RectSource& s = record.rect;
    book.Line(KvStr::Format("L = %0.2fcd/m", s.luminance));
    book.Superscript("2");
    book.Append(KvStr::Format(", a = %0.2fm, b = %0.2fm, h = %0.2fm", s.length, s.width, record.d));
    if (calculation == Calc::RectInclined) {
        book.Append(KvStr::Format(", φ = %0.2f°", record.angle));
        WriteInclinedParts(book, record);
    } else if (record.terms.empty()) {
        book.Line("面光源不高于p点，照度为0");
    } else {
        book.Line(kRegionTexts[(record.caseNumber - 1) & 3]);
        WriteParts(book, record);
    }
    const std::string luminance = calculation == Calc::NonUniformHorizontal ? "L " + Lo("0") : "L";
    if (!record.terms.empty()) {
        book.Equation("E = " + luminance + "(" + SignedSum(record.terms, false) +
                      ") = " + Fixed(s.luminance, 2) + " × (" + SignedSum(record.terms, true) +
                      ") = " + Fixed(record.result, 2) + "lx");
    }
    book.Line(KvStr::Format("p点的照度为%0.2flx", record.result));
    return name;
}

BookName WriteAreaSourceBook(CalcBookWriter& writer, const AreaSourceRecord& record) {
    switch (record.calculation) {
    case Calc::None:
        return {};
    case Calc::DiscHorizontal:
    case Calc::DiscVertical:
        return WriteDiscSourceBook(writer, record);
    default:
        return WriteRectSourceBook(writer, record);
    }
}

} // namespace qv
