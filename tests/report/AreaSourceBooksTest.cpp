// The area-source books: the division of the rectangle by the region of P, the inclined
// configurations, the disc books, and results that repeat the record's values.
#include "report/BookReader.h"

#include "calc/indoor/AreaSource.h"
#include "report/books/AreaSourceBook.h"

#include <kelvorin/KvStr.h>

namespace qv {
namespace {

using test::BookDocument;
using test::WriteAndReadBook;

BookDocument Book(const AreaSourceRecord& record) {
    return WriteAndReadBook([&](CalcBookWriter& w) { WriteAreaSourceBook(w, record); });
}

TEST(RectSourceBook, FourRegionCasesWithTheirSigns) {
    const RectSource source; // 13 × 5 m centred at (6.5, 2.5), 5 m high
    struct Case {
        AreaPoint point;
        const char* region;
    };
    const Case cases[] = {{{6.5, 2.5, 0}, "p点投影在面光源里面"},
                          {{15, 2.5, 0}, "长度方向(x)的外侧"},
                          {{6.5, 8, 0}, "宽度方向(y)的外侧"},
                          {{15, 8, 0}, "对角方向的外侧"}};
    for (const Case& c : cases) {
        const AreaSourceRecord record = RectHorizontal(source, c.point);
        const BookDocument book = Book(record);
        EXPECT_EQ(book.paragraphs[0].text, "矩形等亮度面光源的点照度计算");
        EXPECT_EQ(book.paragraphs[0].size, 18);
        EXPECT_EQ(book.paragraphs[static_cast<size_t>(book.Find("参数介绍和计算公式"))].size, 16);
        EXPECT_GE(book.Find(c.region), 0) << c.region;
        EXPECT_GE(book.Find("当p点在面光源投影平面里面或外面时要把光源分为4部分计算"), 0);
        for (const char* part : {"A部分:", "B部分:", "C部分:", "D部分:"}) {
            EXPECT_EQ(book.Count(part), 1);
        }
        EXPECT_GE(book.Find(KvStr::Format("p点的照度为%0.2flx", record.result)), 0);
    }
}

TEST(RectSourceBook, PartWithoutAreaIsStatedAsZero) {
    // P's projection on the source's x edge: two parts have no area.
    const BookDocument book = Book(RectVertical(RectSource{}, {13, 2.5, 0}));
    EXPECT_EQ(book.paragraphs[0].text, "矩形等亮度面光源的点垂直照度计算");
    EXPECT_EQ(book.Count("面积为0，形状因数为0"), 2);
}

TEST(RectSourceBook, InclinedConfigurations) {
    const RectSource source;
    // The intersection line crosses the source and P lies within its width: case 4.
    const AreaSourceRecord crossing = RectInclined(source, {2, 2.5, 0}, 30);
    const BookDocument book = Book(crossing);
    EXPECT_EQ(book.paragraphs[0].text, "矩形等亮度面光源的倾斜面上点照度计算");
    EXPECT_GE(book.Find("c为p点到倾斜面与面光源所在面交线的距离"), 0);
    EXPECT_GE(book.Find("当p点在面光源投影平面里面或外面时要把光源分为几部分计算"), 0);
    EXPECT_GE(book.Find("p点投影在光源里且光源面不需延长便与斜面相交"), 0);
    EXPECT_EQ(book.Count("F(a1,"), static_cast<int>(crossing.terms.size()));
    EXPECT_GE(book.Find(KvStr::Format("p点的照度为%0.2flx", crossing.result)), 0);

    // The whole source before the line, P outside its width: four strips, no case-4 line.
    const AreaSourceRecord before = RectInclined(source, {12, 8, 0}, 30);
    ASSERT_EQ(before.terms.size(), 4u);
    const BookDocument other = Book(before);
    EXPECT_EQ(other.Find("p点投影在光源里且光源面不需延长便与斜面相交"), -1);
    EXPECT_EQ(other.Count("F(g,"), 2);

    // A plane that meets the source plane before the source lights nothing.
    const BookDocument dark = Book(RectInclined(source, {-20, 2.5, 0}, 170));
    EXPECT_GE(dark.Find("光源照不到倾斜面，照度为0"), 0);
}

TEST(RectSourceBook, NonUniformUsesL0AndSmallHeading) {
    const AreaSourceRecord record = NonUniformHorizontal(RectSource{}, {6.5, 2.5, 0});
    const BookDocument book = Book(record);
    EXPECT_EQ(book.paragraphs[0].text, "非等亮度矩形面光源水平照度计算");
    EXPECT_EQ(book.paragraphs[static_cast<size_t>(book.Find("参数介绍和计算公式"))].size, 12);
    EXPECT_EQ(book.paragraphs[static_cast<size_t>(book.Find("为面光源的亮度"))].text,
              "L0为面光源的亮度");
    EXPECT_TRUE(book.MathHas("arctgQ"));
}

TEST(DiscSourceBook, HorizontalAndVertical) {
    const DiscSource disc;
    const AreaSourceRecord horizontal = DiscHorizontal(disc, {3.5, 2.5, 0});
    const BookDocument h = Book(horizontal);
    EXPECT_EQ(h.paragraphs[0].text, "圆形等亮度面光源水平面照度计算");
    EXPECT_GE(h.Find("f为平行圆形光源的形状因数"), 0);
    EXPECT_TRUE(h.MathHas("=πLf"));
    EXPECT_GE(h.Find(KvStr::Format("p点的照度为%0.2flx", horizontal.result)), 0);
    EXPECT_EQ(h.Equations(), 3);

    const BookDocument v = Book(DiscVertical(disc, {3.5, 2.5, 0}));
    EXPECT_EQ(v.paragraphs[0].text, "等亮度圆形面光源垂直面照度计算");
    EXPECT_GE(v.Find("X为面光源的中心与被照面之间的垂直距离,m"), 0);
    EXPECT_TRUE(v.MathHas("-1"));
    EXPECT_TRUE(v.MathHas("=πLf"));
}

TEST(AreaSourceBook, NoCalculationWritesNothing) {
    CalcBookWriter writer;
    EXPECT_TRUE(WriteAreaSourceBook(writer, AreaSourceRecord{}).title.empty());
}

} // namespace
} // namespace qv
