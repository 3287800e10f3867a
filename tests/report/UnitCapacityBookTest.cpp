// The unit-capacity book over the built catalogue's tables: its table, the basic formula
// and, per entry, the substituted formula and the luminaires still needed.
#include "calc/IndoorRooms.h"
#include "report/BookReader.h"

#include "panels/UnitCapacityPanel.h"
#include "report/books/UnitCapacityBook.h"

#include <kelvorin/KvAccess.h>
#include <kelvorin/KvStr.h>

#include <filesystem>

namespace qv {
namespace {

using test::BookDocument;
using test::WriteAndReadBook;

class UnitCapacityBookTest : public ::testing::Test {
protected:
    UnitCapacityBookTest() {
        std::filesystem::create_directories(m_folder);
        std::filesystem::copy_file(QV_CATALOGUE_PATH, m_path,
                                   std::filesystem::copy_options::overwrite_existing);
    }
    ~UnitCapacityBookTest() override {
        m_access.CloseAll();
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

    BookDocument Write(double standard) {
        Room room = test::RectangleRoom(6, 4);
        room.dLxStandard = standard;
        LuminaireList entries;
        for (const char* lamp : {"T8荧光灯", "LED"}) {
            Luminaire l;
            l.sName = lamp;
            l.sModel = std::string("U-") + lamp;
            l.ptCenter = {3, 2, 3};
            l.lamp1.sName = lamp;
            l.lamp1.dPower = 36;
            l.lamp1.dBallastPower = 4;
            entries.Add(l);
        }
        panel.Open(room, entries);
        return WriteAndReadBook(
            [&](CalcBookWriter& w) { name = WriteUnitCapacityBook(w, panel.BookRecord()); });
    }

    std::filesystem::path m_folder =
        std::filesystem::path(testing::TempDir()) /
        (std::string("qv_unitcap_book_") +
         testing::UnitTest::GetInstance()->current_test_info()->name());
    std::string m_path = (m_folder / "Lamps.db").string();
    KvAccess m_access;
    CatalogueDatabase catalogue{m_access, m_path};
    UnitCapacityPanel panel{catalogue};
    BookName name;
};

TEST_F(UnitCapacityBookTest, TableFormulaAndNeededCounts) {
    const BookDocument book = Write(500);
    EXPECT_EQ(book.paragraphs[0].text, "单位容量计算书");
    EXPECT_EQ(name.saveName, "单位容量计算书");
    // The result table, then the room's and the luminaires' inputs and positions.
    ASSERT_EQ(book.tables.size(), 5u); // …, then the 结论
    const auto& cells = book.tables[0].cells;
    ASSERT_EQ(cells.size(), 3u);
    EXPECT_EQ(cells[0],
              (std::vector<std::string>{"序号", "名称", "类型", "单位容量", "个数", "需要数"}));
    const UnitCapacityResult& result = panel.Result();
    ASSERT_EQ(result.entries.size(), 2u);
    EXPECT_EQ(cells[1][3], KvStr::Format("%0.4f", result.entries[0].p0));
    EXPECT_GE(book.Find("实际照度为" + panel.IlluminanceText() + "lx"), 0);
    EXPECT_GE(book.Find("灯具效率为" + panel.EfficiencyText() + "%"), 0);
    EXPECT_GE(book.Find("P0——照度为1lx时的单位容量, W/m"), 0);
    EXPECT_GE(book.Find("E——设计照度，lx"), 0);
    EXPECT_EQ(book.paragraphs[static_cast<size_t>(book.Find("单位容量计算基本公式:"))].size, 14);
    EXPECT_EQ(book.Count("P = "), 2);
    for (const UnitCapacityEntryTrace& trace : result.entries) {
        ASSERT_GT(trace.needed, 0);
        EXPECT_GE(book.Find(KvStr::Format("= %0.2fW", trace.required)), 0);
        // N = ΔP/P_L worked out and rounded up to the count.
        EXPECT_TRUE(
            book.MathHas(KvStr::Format("N=ΔPPL=%0.2f%0.2fW=%0.2f，向上取整得N=%d盏", result.deficit,
                                       trace.power, result.deficit / trace.power, trace.needed)));
    }
    // The power still missing, from the two totals.
    EXPECT_TRUE(book.MathHas(KvStr::Format("ΔP=Preq−Pinst=%0.2f−%0.2f=%0.2fW", result.required,
                                           result.installed, result.deficit)));
    ASSERT_FALSE(result.entries[0].c2Type.empty());
    // Both lamps follow the 40 W fluorescent reference lamp; the T8 lamp's C2 is the
    // rated 36 W lamp's, relative to that lamp; each luminaire draws 36 W + 4 W.
    EXPECT_EQ(book.Count("单位容量P0按40W荧光灯单位电功率取值"), 2);
    EXPECT_GE(book.Find("C2参照" + result.entries[0].c2Type + " 36W,相对于40W荧光灯"), 0);
    EXPECT_GE(book.Find("C2参照无(取1.0)"), 0); // LED matches no C2 type
    EXPECT_EQ(book.Count("功率为40W"), 2);
    EXPECT_EQ(book.Find("注意"), -1);
    EXPECT_GE(book.Find(KvStr::Format("当前功率数为%0.2fW", result.installed)), 0);
}

TEST_F(UnitCapacityBookTest, AChosenReferenceAgainstTheC2OneIsPointedOut) {
    Write(500);
    UnitCapacityBookRecord record = panel.BookRecord();
    record.result.entries[0].kind = kIncandescentKind;
    const BookDocument book =
        WriteAndReadBook([&](CalcBookWriter& w) { WriteUnitCapacityBook(w, record); });
    EXPECT_GE(book.Find("单位容量P0按100W白炽灯单位电功率取值"), 0);
    EXPECT_EQ(book.Count("注意:C2相对于40W荧光灯,而P0按100W白炽灯取值"), 1);
}

TEST_F(UnitCapacityBookTest, NothingMissingGivesZero) {
    const BookDocument book = Write(1);
    EXPECT_EQ(book.Count("还需要这种灯数量是0盏"), 2);
}

} // namespace
} // namespace qv
