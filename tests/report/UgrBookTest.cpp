// The UGR book of the office example: its inputs, the background worked out to the same
// Lb, each observer's terms adding up to the sum its formula substitutes, the highest value
// and the verdict against the place; a room that cannot be rated says why.
#include "report/BookReader.h"

#include "model/ProjectFile.h"
#include "report/books/UgrBook.h"

#include <kelvorin/KvStr.h>

#include <cmath>

namespace qv {
namespace {

using test::BookDocument;
using test::WriteAndReadBook;

Project Office() {
    Project project;
    EXPECT_TRUE(LoadProject(std::string(QV_SOURCE_DIR) + "/data/examples/office.cil", project,
                            LoadOptions{false}));
    return project;
}

TEST(UgrBookNumbers, SignificantTextKeepsFourDigitsWithoutExponent) {
    EXPECT_EQ(SignificantText(0.0045123), "0.004512");
    EXPECT_EQ(SignificantText(12.3456), "12.35");
    EXPECT_EQ(SignificantText(23456.7), "23457");
    EXPECT_EQ(SignificantText(0.0), "0");
    EXPECT_EQ(SignificantText(-0.5), "-0.5000");
    EXPECT_EQ(SignificantText(1e-12), "0.000000000"); // at most 9 decimals
    EXPECT_EQ(SignificantText(std::nan("")), "—");
}

TEST(UgrBook, OfficeAtTheWallObservers) {
    const Project office = Office();
    const RoomUgr result = ComputeRoomUgr(office, {}, kSeatedEyeHeight);
    ASSERT_TRUE(result.ok && result.max) << result.reason;
    const UgrBookRecord record = MakeUgrBookRecord(office, result, kSeatedEyeHeight, 19.0);
    EXPECT_EQ(record.luminaires, static_cast<int>(office.luminaires.Items().size()));
    BookName name;
    const BookDocument book =
        WriteAndReadBook([&](CalcBookWriter& w) { name = WriteUgrBook(w, record); });
    EXPECT_EQ(name.FileStem(), "统一眩光值(UGR)计算书");
    EXPECT_GE(book.Find("统一眩光值(UGR)计算书"), 0);

    // The inputs, then one table per observer with terms.
    ASSERT_FALSE(book.tables.empty());
    const auto& inputs = book.tables[0].cells;
    ASSERT_EQ(inputs.size(), 7u);
    const RoomUgrBackground& b = result.background;
    EXPECT_EQ(inputs[1][1], Fixed(b.x, 2) + "m × " + Fixed(b.y, 2) + "m");
    EXPECT_EQ(inputs[3][1], Fixed(b.h, 2) + "m");
    EXPECT_EQ(inputs[5][1], Whole(record.luminaires));
    EXPECT_EQ(inputs[6][1], Fixed(b.lampFlux, 0) + "lm");

    EXPECT_TRUE(book.MathHas("8lg"));
    // E_WID = B·F_UWID worked out in the book equals the model's Lb·π.
    EXPECT_TRUE(book.MathHas("=" + Fixed(b.lb * std::acos(-1.0), 2) + "lx"));
    EXPECT_TRUE(book.MathHas("=" + Fixed(b.lb, 2) + "cd/m²"));

    size_t table = 1;
    for (size_t i = 0; i < result.observers.size(); ++i) {
        const ObserverUgr& o = result.observers[i];
        SCOPED_TRACE(i);
        EXPECT_GE(book.Find(KvStr::Format("观察点%d:", static_cast<int>(i) + 1)), 0);
        if (o.terms.empty()) {
            EXPECT_GE(book.Find(o.reason), 0);
            continue;
        }
        ASSERT_LT(table, book.tables.size());
        const auto& cells = book.tables[table++].cells;
        ASSERT_EQ(cells.size(), o.terms.size() + 1);
        EXPECT_EQ(cells[0].size(), 8u);
        double sum = 0.0;
        for (size_t r = 0; r < o.terms.size(); ++r) {
            EXPECT_EQ(cells[r + 1][0], Whole(o.terms[r].luminaire));
            EXPECT_EQ(cells[r + 1][3], Fixed(o.terms[r].h, 2));
            sum += o.terms[r].term;
        }
        ASSERT_TRUE(o.ugr.has_value());
        // The sum and the value of the substituted formula.
        EXPECT_TRUE(book.MathHas(SignificantText(sum)));
        EXPECT_TRUE(book.MathHas(Fixed(std::round(*o.ugr * 10.0) / 10.0, 1)));
        EXPECT_NEAR(8.0 * std::log10(0.25 / o.lb * sum), *o.ugr, 1e-9);
    }
    EXPECT_EQ(table, book.tables.size());

    EXPECT_GE(book.Find("结论"), 0);
    EXPECT_GE(book.Find("结论:" + UgrVerdictText(*result.max, 19.0)), 0);
    EXPECT_GE(book.Find(kTwoPlaneEstimate), 0);
}

TEST(UgrBook, PlaceWithoutLimitAndRoomThatCannotBeRated) {
    Project office = Office();
    office.room.standardPlace = {"办公建筑", "普通办公室"};
    RoomUgr result = ComputeRoomUgr(office, {}, kSeatedEyeHeight);
    ASSERT_TRUE(result.max.has_value());
    BookDocument book = WriteAndReadBook([&](CalcBookWriter& w) {
        WriteUgrBook(w, MakeUgrBookRecord(office, result, kSeatedEyeHeight, std::nullopt));
    });
    EXPECT_GE(book.Find("场所:办公建筑/普通办公室,标准未规定该场所的统一眩光值限值"), 0);
    const int verdict = book.Find("结论:UGR = ");
    ASSERT_GE(verdict, 0);
    EXPECT_EQ(book.paragraphs[verdict].text.find("满足"), std::string::npos);

    office.luminaires = LuminaireList();
    result = ComputeRoomUgr(office, {}, kSeatedEyeHeight);
    ASSERT_FALSE(result.ok);
    book = WriteAndReadBook([&](CalcBookWriter& w) {
        WriteUgrBook(w, MakeUgrBookRecord(office, result, kSeatedEyeHeight, 19.0));
    });
    EXPECT_GE(book.Find(result.reason), 0);
    EXPECT_LT(book.Find("观察点1"), 0);
    EXPECT_EQ(book.tables.size(), 1u); // the inputs only
}

} // namespace
} // namespace qv
