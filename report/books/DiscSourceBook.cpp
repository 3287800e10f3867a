#include "report/books/AreaSourceBook.h"
#include "report/books/InputTables.h"

#include <kelvorin/KvStr.h>

namespace qv {
namespace {

const std::string kH2 = "h " + Up("2");
const std::string kX2 = "X " + Up("2");
const std::string kA2 = "a " + Up("2");

// √((h² + X² + a²)² - 4X²a²), in general form or with values (their products marked).
std::string Root(const std::string& h2, const std::string& x2, const std::string& a2,
                 const std::string& times = "") {
    return Sqrt("(" + h2 + " + " + x2 + " + " + a2 + ")" + Up("2") + " - 4" + times + x2 + times +
                a2);
}

std::string Squared(double value) {
    return Fixed(value, 2) + Up("2");
}

} // namespace

BookName WriteDiscSourceBook(CalcBookWriter& writer, const AreaSourceRecord& record) {
    const bool horizontal = record.calculation == AreaSourceCalculation::DiscHorizontal;
    const BookName name{
        horizontal ? "圆形等亮度面光源水平面照度计算" : "等亮度圆形面光源垂直面照度计算", ""};
    BookComposer book(writer);
    book.Open(name.title);
    OpenInputs(book);
    WriteAreaSourceInputs(book, record);
    book.Section("参数介绍和计算公式");
    if (horizontal) {
        book.LineSquared("L为面光源的亮度,cd/m");
        book.Line("X为被照点到光轴的水平距离,m");
        book.Line("a圆形光源半径,m");
        book.Line("h为面光源到水平面的高度,m");
        book.Line("f为平行圆形光源的形状因数");
        book.Equation("E = " + Frac("πL", "2") + "{1 - " +
                      Frac(kH2 + " + " + kX2 + " - " + kA2, Root(kH2, kX2, kA2)) + "} = πLf");
    } else {
        book.LineSquared("L为面光源的亮度,cd/m");
        book.Line("X为面光源的中心与被照面之间的垂直距离,m");
        book.Line("a圆形光源半径,m");
        book.Line("h为面光源与被照点间的垂直距离,m");
        book.Line("f为垂直圆形光源的形状因数");
        book.Equation("E = " + Frac("πLh", "2X") + "{" +
                      Frac(kH2 + " + " + kX2 + " + " + kA2, Root(kH2, kX2, kA2)) + " - 1} = πLf");
    }
    const DiscSource& s = record.disc;
    book.Line(KvStr::Format("L = %0.2fcd/m", s.luminance));
    book.Superscript("2");
    book.Append(
        KvStr::Format(", X = %0.3fm, a = %0.3fm, h = %0.3fm", record.distance, s.radius, record.d));
    const std::string h2 = Squared(record.d);
    const std::string x2 = Squared(record.distance);
    const std::string a2 = Squared(s.radius);
    if (horizontal) {
        book.Equation("f = " + Frac("1", "2") + "{1 - " +
                      Frac(h2 + " + " + x2 + " - " + a2, Root(h2, x2, a2, " × ")) +
                      "} = " + Fixed(record.shapeFactor, 4));
    } else {
        book.Equation("f = " + Frac(Fixed(record.d, 3), "2 × " + Fixed(record.distance, 3)) + "{" +
                      Frac(h2 + " + " + x2 + " + " + a2, Root(h2, x2, a2, " × ")) +
                      " - 1} = " + Fixed(record.shapeFactor, 4));
    }
    book.Equation("E = π × " + Fixed(s.luminance, 2) + " × " + Fixed(record.shapeFactor, 4) +
                  " = " + Fixed(record.result, 2) + "lx");
    book.Line(KvStr::Format("p点的照度为%0.2flx", record.result));
    return name;
}

} // namespace qv
