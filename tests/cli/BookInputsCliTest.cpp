// Every book states its inputs in tables before the calculation, from the same run the
// runner reports: the example office's eight identical luminaires in one row, the
// points, the area source, the floodlights with their aiming points and the road.
#include "cli/CalcRunner.h"
#include "model/ProjectTestSupport.h"
#include "report/BookReader.h"

#include <fstream>

namespace qv {
namespace {

using test::BookDocument;
using test::BookTable;
using test::ReadBook;
using test::RunCalcJson;
using test::TempDir;

const std::string kExamples = std::string(QV_SOURCE_DIR) + "/data/examples/";

BookDocument Book(const TempDir& folder, const std::string& arguments) {
    const std::string path = folder.File("book.docx");
    RunCalcJson(arguments + " --book " + path);
    return ReadBook(path);
}

// The table whose header row starts with the cell, or nullptr.
const BookTable* TableStarting(const BookDocument& book, const std::vector<std::string>& head) {
    for (const BookTable& table : book.tables) {
        if (!table.cells.empty() && table.cells[0].size() >= head.size() &&
            std::equal(head.begin(), head.end(), table.cells[0].begin())) {
            return &table;
        }
    }
    return nullptr;
}

// The value of the 项目 / 数值 row named item in any such table; empty when none.
std::string Item(const BookDocument& book, const std::string& item) {
    for (const BookTable& table : book.tables) {
        for (const auto& row : table.cells) {
            if (row.size() == 2 && row[0] == item) {
                return row[1];
            }
        }
    }
    return {};
}

// The inputs come before the first calculation line of the book.
void ExpectInputsBefore(const BookDocument& book, const std::string& firstCalculation) {
    const int inputs = book.Find("计算参数");
    ASSERT_GE(inputs, 0);
    EXPECT_LT(inputs, book.Find(firstCalculation));
}

void ExpectOfficeRoomAndLuminaires(const BookDocument& book) {
    EXPECT_EQ(Item(book, "总长"), "12.00m");
    EXPECT_EQ(Item(book, "工作面高度"), "0.75m");
    EXPECT_EQ(Item(book, "墙窗比"), "30%");
    EXPECT_EQ(Item(book, "照度标准"), "500lx");
    const BookTable* luminaires = TableStarting(book, {"序号", "名称", "型号", "光源"});
    ASSERT_NE(luminaires, nullptr);
    ASSERT_EQ(luminaires->cells.size(), 2u); // header and the one group
    const auto& row = luminaires->cells[1];
    EXPECT_EQ(row[1], "格栅荧光灯盘");
    EXPECT_EQ(row[3], "3×28WT5荧光灯");
    EXPECT_EQ(row[5], "7980");
    EXPECT_EQ(row[7], "8");
    EXPECT_EQ(row[8], "3.00");
    const BookTable* positions = TableStarting(book, {"序号", "位置(x, y)m"});
    ASSERT_NE(positions, nullptr);
    ASSERT_EQ(positions->cells.size(), 2u);
    EXPECT_EQ(positions->cells[1][1].rfind("(1.50, 1.80)、(4.50, 1.80)", 0), 0u);
}

TEST(BookInputs, IndoorBooksStateTheRoomAndGroupedLuminaires) {
    const TempDir folder;
    std::ofstream(folder.File("points.csv")) << "name,x,y,z,rx\nA,2,2,0.75,0\nB,3,1.5,0.75,30\n";
    BookDocument book =
        Book(folder, "point " + kExamples + "office.cil --points " + folder.File("points.csv"));
    ExpectOfficeRoomAndLuminaires(book);
    ExpectInputsBefore(book, "水平照度的计算公式");
    const BookTable* points = TableStarting(book, {"序号", "名称", "X(m)"});
    ASSERT_NE(points, nullptr);
    ASSERT_EQ(points->cells.size(), 3u);
    EXPECT_EQ(points->cells[2],
              (std::vector<std::string>{"2", "B", "3.00", "1.50", "0.75", "(30, 0, 0)°"}));

    book = Book(folder, "cu " + kExamples + "office.cil");
    ExpectOfficeRoomAndLuminaires(book);
    ExpectInputsBefore(book, "室空间比的计算公式");
    EXPECT_FALSE(Item(book, "顶棚有效反射比").empty());

    book = Book(folder, "unitcap " + kExamples + "office.cil");
    ExpectOfficeRoomAndLuminaires(book);
    ExpectInputsBefore(book, "实际照度为");

    book = Book(folder,
                "cylindrical " + kExamples + "office.cil --ks 0.6,0.6,0.6,0.6,0.6,0.6,0.6,0.6");
    ExpectOfficeRoomAndLuminaires(book);
    ExpectInputsBefore(book, "平均柱面照度的计算公式");
}

TEST(BookInputs, GridBookStatesItsGrid) {
    const TempDir folder;
    const BookDocument book = Book(folder, "grid " + kExamples + "office.cil --density 20");
    ExpectOfficeRoomAndLuminaires(book);
    ExpectInputsBefore(book, "计算结果");
    EXPECT_EQ(Item(book, "计算面高度"), "0.75m");
    EXPECT_EQ(Item(book, "计算密度"), "20等分");
    EXPECT_EQ(Item(book, "网格间距"), "0.60m × 0.60m"); // 20 along 12 m, 12 across 7.2 m
}

TEST(BookInputs, AreaSourceBooksStateSourceAndPoint) {
    const TempDir folder;
    BookDocument book = Book(folder, "rect --plane i --px 2");
    ExpectInputsBefore(book, "参数介绍和计算公式");
    EXPECT_EQ(Item(book, "光源形状"), "矩形");
    EXPECT_EQ(Item(book, "计算点P").rfind("(2.00,", 0), 0u);
    EXPECT_EQ(Item(book, "受照面").rfind("倾斜面", 0), 0u);
    book = Book(folder, "disc --plane v");
    EXPECT_EQ(Item(book, "光源形状"), "圆形");
    EXPECT_EQ(Item(book, "受照面"), "垂直面");
}

TEST(BookInputs, OutdoorBooksStateFloodlightsSiteAndRoad) {
    const TempDir folder;
    std::ofstream(folder.File("points.csv")) << "name,x,y,z\nA,10,10,0\n";
    BookDocument book = Book(folder, "flood " + kExamples + "site_and_road.col --points " +
                                         folder.File("points.csv"));
    const BookTable* floodlights =
        TableStarting(book, {"序号", "名称", "型号", "位置", "旋转角", "瞄准点"});
    ASSERT_NE(floodlights, nullptr);
    EXPECT_GE(floodlights->cells.size(), 2u);
    EXPECT_EQ(floodlights->cells[1][3], "(-2.00, -2.00, 15.00)");
    const BookTable* points = TableStarting(book, {"序号", "名称", "X(m)"});
    ASSERT_NE(points, nullptr);
    EXPECT_EQ(points->cells.at(1).at(2), "10.00");

    book = Book(folder, "floodcap " + kExamples + "site_and_road.col --emin 30");
    EXPECT_GE(book.Find("场地参数"), 0);
    EXPECT_EQ(Item(book, "墙面反射比"), "");
    EXPECT_NE(TableStarting(book, {"序号", "名称", "型号", "光源"}), nullptr);

    book = Book(folder, "road " + kExamples + "site_and_road.col");
    EXPECT_EQ(Item(book, "道路总宽"), "23.00m");
    const BookTable* section = TableStarting(book, {"序号", "类型", "车道数", "宽度m"});
    ASSERT_NE(section, nullptr);
    ASSERT_EQ(section->cells.size(), 6u);
    EXPECT_EQ(section->cells[1][1], "人行道");
    EXPECT_EQ(section->cells[3][1], "分隔带");
    EXPECT_EQ(section->cells[3][3], "2.00");
}

} // namespace
} // namespace qv
