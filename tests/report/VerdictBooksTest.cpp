// The "结论" at the end of the books that can be checked, on the example projects: the
// table's rows are the verdict of the panel's own basis, and the closing line is the
// panel's message; a chosen place names the standard and brings its limits.
#include "report/BookReader.h"

#include "calc/glare/RoomUgr.h"
#include "model/ProjectFile.h"
#include "panels/FloodCapacityPanel.h"
#include "panels/GridPanel.h"
#include "panels/LumenMethodPanel.h"
#include "panels/RoadLightingPanel.h"
#include "report/books/FloodCapacityBook.h"
#include "report/books/GridBook.h"
#include "report/books/LumenMethodBook.h"
#include "report/books/RoadBook.h"
#include "report/books/VerdictSection.h"

#include <kelvorin/KvAccess.h>
#include <kelvorin/KvStr.h>

#include <cmath>

namespace qv {
namespace {

using test::BookDocument;
using test::BookTable;
using test::WriteAndReadBook;

Project Example(const char* name) {
    Project project;
    EXPECT_TRUE(LoadProject(std::string(QV_SOURCE_DIR) + "/data/examples/" + name, project,
                            LoadOptions{false}));
    return project;
}

// The last table of the book, which must be the "结论" table after its heading.
const BookTable& VerdictTable(const BookDocument& book) {
    EXPECT_GE(book.Find("结论"), 0);
    EXPECT_FALSE(book.tables.empty());
    return book.tables.back();
}

// The table holds exactly the rows of the basis and the values, and the book closes
// with the panel's message (before any note the panel adds after "；").
void ExpectVerdict(const BookDocument& book, const StandardBasis& basis,
                   const VerdictValues& values, const std::string& message) {
    const BookTable& table = VerdictTable(book);
    const std::vector<VerdictRow> rows = VerdictRows(basis, values);
    ASSERT_EQ(table.cells.size(), rows.size() + 1);
    EXPECT_EQ(table.cells[0], (std::vector<std::string>{"项目", "计算值", "标准值", "结论"}));
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(table.cells[i + 1],
                  (std::vector<std::string>{rows[i].item, rows[i].computed, rows[i].standard,
                                            rows[i].verdict}));
    }
    const std::string base = message.substr(0, message.find("；"));
    ASSERT_EQ(base.rfind("照度", 0), 0u) << message;
    EXPECT_GE(book.Find("结论:" + base), 0) << base;
}

class VerdictBooks : public ::testing::Test {
protected:
    KvAccess access;
    CatalogueDatabase catalogue{access, QV_CATALOGUE_PATH};
};

TEST_F(VerdictBooks, LumenMethodOfTheOfficeWithAndWithoutPlace) {
    Project office = Example("office.cil");
    LumenMethodPanel panel;
    panel.SetStandards(&catalogue);
    panel.Open(office.room, office.luminaires);
    BookDocument book = WriteAndReadBook(
        [&](CalcBookWriter& w) { WriteLumenMethodBook(w, panel.BookRecord(office.room)); });
    ExpectVerdict(book, DesignRequirement(500),
                  {panel.Illuminance(), std::nullopt, panel.Densities().lpd, std::nullopt},
                  panel.Message());
    EXPECT_LT(book.Find("依据"), 0); // a typed value names no standard

    office.room.standardPlace = {"办公建筑", "高档办公室"};
    panel.Calculate(office.room, office.luminaires);
    const StandardBasis& basis = panel.Basis();
    ASSERT_TRUE(basis.limits.targetLpd.has_value());
    const LumenMethodRecord record = panel.BookRecord(office.room);
    book = WriteAndReadBook([&](CalcBookWriter& w) { WriteLumenMethodBook(w, record); });
    const std::optional<double> ugr = VerdictUgr(basis, record.inputs);
    ASSERT_TRUE(ugr.has_value());
    ExpectVerdict(book, basis, {panel.Illuminance(), std::nullopt, panel.Densities().lpd, ugr},
                  panel.Message());
    EXPECT_GE(book.Find("依据《建筑照明设计标准》GB/T 50034-2024"), 0);
    EXPECT_GE(book.Find("−10%"), 0);
    const BookTable& table = VerdictTable(book);
    EXPECT_EQ(table.cells.back()[3], "(由灯具选型保证)"); // Ra
    // The UGR row states the room's highest value at the four wall observers, seated.
    const RoomUgr room = ComputeRoomUgr(office, {}, kSeatedEyeHeight);
    ASSERT_TRUE(room.max.has_value());
    const std::vector<std::string>& ugrRow = table.cells[table.cells.size() - 2];
    EXPECT_EQ(ugrRow[0], "统一眩光值UGR");
    EXPECT_EQ(ugrRow[1], KvStr::Format("%.1f", std::round(*room.max * 10.0) / 10.0));
    EXPECT_EQ(ugrRow[3], UgrMet(*room.max, *basis.limits.ugr) ? "满足" : "不满足");
}

// Without a limit, a room or a rateable room the UGR row keeps the luminaire-choice text.
TEST_F(VerdictBooks, UgrWithoutAComputedValue) {
    Project office = Example("office.cil");
    office.room.standardPlace = {"办公建筑", "高档办公室"};
    const StandardBasis basis =
        LookUpStandardBasis(&catalogue, office.room.standardPlace, 500, StandardScope::kBuilding);
    ASSERT_TRUE(basis.limits.ugr.has_value());
    BookInputs inputs{office.room, office.luminaires, std::nullopt};
    EXPECT_TRUE(VerdictUgr(basis, inputs).has_value());
    EXPECT_FALSE(VerdictUgr(DesignRequirement(500), inputs).has_value());
    EXPECT_FALSE(VerdictUgr(basis, {std::nullopt, office.luminaires, std::nullopt}).has_value());
    inputs.luminaires = LuminaireList();
    EXPECT_FALSE(VerdictUgr(basis, inputs).has_value());

    const BookDocument book = WriteAndReadBook([&](CalcBookWriter& w) {
        BookComposer composer(w);
        composer.Open("UGR");
        WriteVerdict(composer, basis, {500, std::nullopt, std::nullopt, VerdictUgr(basis, inputs)},
                     VerdictSubject::kRoom);
    });
    const BookTable& table = VerdictTable(book);
    ASSERT_GE(table.cells.size(), 3u);
    EXPECT_EQ(table.cells[table.cells.size() - 2],
              (std::vector<std::string>{"统一眩光值UGR", "—", "≤19", "(由灯具选型保证)"}));
}

TEST_F(VerdictBooks, HorizontalGridOfTheWorkshopJudgesU0) {
    Project workshop = Example("workshop.cil");
    workshop.room.standardPlace = {"工业建筑（机电工业）", "机械加工 一般加工公差≥0.1mm"};
    GridPanel panel;
    panel.SetStandards(&catalogue);
    panel.density = 10;
    ASSERT_TRUE(panel.CalculateHorizontal(workshop.room, workshop.luminaires));
    const GridBookRecord record = panel.Record();
    ASSERT_TRUE(record.basis.has_value());
    ASSERT_TRUE(record.basis->limits.u0.has_value());
    const BookDocument book =
        WriteAndReadBook([&](CalcBookWriter& w) { WriteGridBook(w, record); });
    const VerdictValues values{KvStr::Atof(record.avgText), record.u0, record.lpd,
                               VerdictUgr(*record.basis, record.inputs)};
    ExpectVerdict(
        book, *record.basis, values,
        IlluminanceMessage(VerdictSubject::kRoom, IlluminanceMet(*record.basis, values.e)));
}

TEST_F(VerdictBooks, VerticalGridAfterAHorizontalOneHasNoVerdict) {
    Project office = Example("office.cil");
    GridPanel panel;
    panel.density = 5;
    ASSERT_TRUE(panel.CalculateHorizontal(office.room, office.luminaires));
    ASSERT_TRUE(panel.Record().basis.has_value());
    panel.startX = 1;
    panel.startY = 3.6;
    panel.endX = 11;
    panel.endY = 3.6;
    ASSERT_TRUE(panel.CalculateVertical(office.room, office.luminaires));
    const BookDocument book =
        WriteAndReadBook([&](CalcBookWriter& w) { WriteGridBook(w, panel.Record()); });
    EXPECT_LT(book.Find("结论"), 0);
}

TEST_F(VerdictBooks, FloodlightsAndRoadOfTheSite) {
    Project site = Example("site_and_road.col");
    FloodCapacityPanel flood;
    flood.SetStandards(&catalogue);
    flood.SetMinimumIlluminance(site.room.dLxStandard);
    flood.Open(site);
    for (int row = 0; row < 4; ++row) {
        flood.EditCell(row, FloodCapacityPanel::kEfficiency, "0.6", site);
        flood.EditCell(row, FloodCapacityPanel::kUniformity, "0.7", site);
    }
    flood.Calculate(site);
    const FloodCapacityRecord floodRecord = flood.BookRecord();
    ASSERT_TRUE(floodRecord.basis.has_value());
    ExpectVerdict(
        WriteAndReadBook([&](CalcBookWriter& w) { WriteFloodCapacityBook(w, floodRecord); }),
        *floodRecord.basis,
        {floodRecord.result.e, std::nullopt, floodRecord.densities.lpd, std::nullopt},
        flood.Message());

    site.road.m_standardPlace = {"道路", "主干路"};
    RoadLightingPanel road;
    road.Open(site);
    road.EditCell(0, RoadLightingPanel::kSpacing, "30", site);
    road.EditCell(0, RoadLightingPanel::kUtilization, "0.4", site);
    road.Calculate(site);
    const RoadLightingRecord roadRecord = road.BookRecord();
    const BookDocument book =
        WriteAndReadBook([&](CalcBookWriter& w) { WriteRoadBook(w, roadRecord); });
    ExpectVerdict(book, *roadRecord.basis,
                  {roadRecord.result.e, std::nullopt, std::nullopt, std::nullopt}, road.Message());
    EXPECT_GE(book.Find("依据《城市道路照明设计标准》CJJ 45-2015"), 0);
}

} // namespace
} // namespace qv
