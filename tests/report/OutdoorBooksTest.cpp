// The outdoor books: the floodlight rows of each point with its totals, the floodlight
// unit-capacity book (saved under its own name) and the road lighting book.
#include "report/BookReader.h"

#include "calc/outdoor/FloodPoint.h"
#include "model/Constants.h"
#include "panels/FloodCapacityPanel.h"
#include "panels/RoadLightingPanel.h"
#include "report/books/FloodCapacityBook.h"
#include "report/books/FloodPointBook.h"
#include "report/books/RoadBook.h"

#include <kelvorin/KvStr.h>

namespace qv {
namespace {

using test::BookDocument;
using test::WriteAndReadBook;

Luminaire Floodlight(const std::string& name, Vector position) {
    Luminaire l;
    l.sName = name;
    l.sModel = "TG-" + name;
    l.ptCenter = position;
    l.nLuminousFlux = 20000;
    l.lamp1.dPower = 400;
    l.lamp1.dBallastPower = 40;
    return l;
}

Project Site() {
    Project project;
    project.kind = kOutdoorProject;
    project.room.outline = {{0, 0, 0}, {40, 0, 0}, {40, 20, 0}, {0, 20, 0}};
    project.room.dLxStandard = 50;
    project.room.nStartNum = 1;
    project.room.nEndNum = 2;
    project.luminaires.Add(Floodlight("甲", {0, 0, 12}));
    project.luminaires.Add(Floodlight("乙", {40, 20, 12}));
    return project;
}

TEST(FloodPointBook, RowsOfEveryPointWithTotals) {
    LuminaireList floodlights = Site().luminaires;
    AssignAimingPoints(floodlights, {{10, 5, 0}, {-10, -5, 0}});
    std::vector<CalcPoint> points(3);
    points[0].position = {10, 5, 0};
    points[1].position = {30, 15, 0};
    points[2].position = {60, 5, 0}; // outside the site
    for (CalcPoint& p : points) {
        p.dIntensity = 50000;
    }
    FloodPointRecord record;
    record.rows = BuildFloodlightRows(points, floodlights);
    record.floodlights = floodlights;
    ComputeFloodPointRecord(record, Site().room.outline, FloodMode::kKeepIntensity);
    const BookDocument book =
        WriteAndReadBook([&](CalcBookWriter& w) { WriteFloodPointBook(w, record); });
    EXPECT_EQ(book.paragraphs[0].text, "投光灯单点照度计算计算书");
    EXPECT_GE(book.Find("注意：在计算之前首先把坐标系平移，平移成以灯为圆心的坐标系。"), 0);
    EXPECT_TRUE(book.MathHas("θ'=arctg"));
    for (int p = 1; p <= 3; ++p) {
        EXPECT_EQ(book.Count(KvStr::Format("P%d点投光灯的点照度计算:", p)), 1);
        for (int f = 1; f <= 2; ++f) {
            EXPECT_EQ(book.Count(KvStr::Format("投光灯%d对P%d点照度计算:", f, p)), 1);
        }
    }
    EXPECT_EQ(book.Count("计算点不在场地内，照度为0。"), 2);
    EXPECT_EQ(book.Count("所有灯具对P"), 4 * 3);
    // Every computed step has its angles under their headings, in the order of the steps.
    int computed = 0;
    for (const FloodlightStep& step : record.steps) {
        computed += step.outcome == FloodStepOutcome::Contributes ? 1 : 0;
    }
    ASSERT_GT(computed, 0);
    const char* headings[] = {
        "方位角φ:", "仰角θ:", "角φ':", "角γ:", "水平角度α:", "角θ':", "垂直角度β:", "入射角δ:"};
    int at = book.Find("投光灯1对P1点照度计算:");
    for (const char* heading : headings) {
        EXPECT_EQ(book.Count(heading), 1 + computed) << heading;
        at = book.Find(heading, at + 1);
        EXPECT_GT(at, 0) << heading;
    }
    const FloodlightStep& first = record.steps[0];
    ASSERT_EQ(first.outcome, FloodStepOutcome::Contributes);
    EXPECT_TRUE(book.MathHas("γ=φ'-φ=" + Fixed(first.phiP * kRadToDeg, 2) + "°"));
    EXPECT_TRUE(book.MathHas("θ'=arctg"));
    EXPECT_FALSE(book.MathHas("srctg"));
    EXPECT_GE(book.Find("垂直照度:"), 0); // E_v is defined before it is used
    const FloodlightResultRow& total = record.rows[2];
    ASSERT_TRUE(total.IsTotal());
    EXPECT_GE(book.Find(KvStr::Format("所有灯具对P1点水平照度为：%0.3f lx ", total.eh)), 0);
    EXPECT_GE(
        book.Find(KvStr::Format("所有灯具对P1点纵向垂直照度为：%0.3f lx ", total.longitudinal)), 0);
}

// A luminaire without an intensity grid (a road light in the list) gives nothing; its
// sections are left out and named in one line per point.
TEST(FloodPointBook, LuminairesWithoutAGridAreNamedOnce) {
    FloodPointRecord record;
    record.floodlights = Site().luminaires;
    AssignAimingPoints(record.floodlights, {{10, 5, 0}, {-10, -5, 0}});
    std::vector<CalcPoint> points(2);
    points[0].position = {10, 5, 0};
    points[1].position = {30, 15, 0};
    record.rows = BuildFloodlightRows(points, record.floodlights);
    ComputeFloodPointRecord(record, Site().room.outline, FloodMode::kLookUp);
    const BookDocument book =
        WriteAndReadBook([&](CalcBookWriter& w) { WriteFloodPointBook(w, record); });
    EXPECT_EQ(book.Find("投光灯1对P1点照度计算:"), -1);
    EXPECT_EQ(book.Find("投光灯2对P2点照度计算:"), -1);
    EXPECT_GE(book.Find("灯1、2没有投光灯等光强表(不是投光灯)，对P1点的照度为0，不列出计算过程。"),
              0);
    EXPECT_GE(book.Find("灯1、2没有投光灯等光强表(不是投光灯)，对P2点的照度为0，不列出计算过程。"),
              0);
    EXPECT_EQ(book.Count("方位角φ:"), 1); // the general formula only
    EXPECT_EQ(book.Count("P2点投光灯的点照度计算:"), 1);
}

// Rows added after the computation have no step, and a row may name a floodlight the
// record no longer holds (the result panel's rows edited without calculating again).
TEST(FloodPointBook, RowsWithoutStepOrFloodlightHaveNoFloodlight) {
    FloodPointRecord record;
    record.floodlights = Site().luminaires;
    AssignAimingPoints(record.floodlights, {{10, 5, 0}, {-10, -5, 0}});
    std::vector<CalcPoint> points(1);
    points[0].position = {10, 5, 0};
    points[0].dIntensity = 50000;
    record.rows = BuildFloodlightRows(points, record.floodlights);
    ComputeFloodPointRecord(record, Site().room.outline, FloodMode::kKeepIntensity);
    ASSERT_EQ(record.steps.size(), 3u);
    record.rows.push_back(record.rows[0]);
    record.floodlights.RemoveAt(1);
    const BookDocument book =
        WriteAndReadBook([&](CalcBookWriter& w) { WriteFloodPointBook(w, record); });
    EXPECT_EQ(book.Count("没有这个投光灯，照度为0。"), 2);
    EXPECT_EQ(book.Count("投光灯1对P1点照度计算:"), 1);
    EXPECT_EQ(book.Count("投光灯1对P2点照度计算:"), 1);
    EXPECT_GE(book.Find(KvStr::Format("所有灯具对P1点水平照度为：%0.3f lx ", record.rows[2].eh)),
              0);
}

// The book names the unit of the grids (kcd for the lamps) and checks each grid's flux
// against its lamps, flagging a grid that gives more light than its lamp.
TEST(FloodPointBook, GridUnitAndFluxCheck) {
    FloodPointRecord record;
    record.floodlights = Site().luminaires; // 20000 lm each
    for (int i = 0; i < 2; ++i) {
        for (const double a : {-30.0, 30.0}) {
            for (const double b : {-30.0, 30.0}) {
                // ≈ 10,472 lm, and 31 times that for the second (a grid of cd per 1000 lm).
                record.floodlights.At(i).floodTable.Append({a, b, i == 0 ? 10.0 : 312.5});
            }
        }
    }
    std::vector<CalcPoint> points(1);
    points[0].position = {10, 5, 0};
    record.rows = BuildFloodlightRows(points, record.floodlights);
    ComputeFloodPointRecord(record, Site().room.outline, FloodMode::kLookUp);
    const BookDocument book =
        WriteAndReadBook([&](CalcBookWriter& w) { WriteFloodPointBook(w, record); });
    EXPECT_GE(book.Find("式中 I——照射方向光强，cd，为投光灯等光强表中光强(kcd)的1000倍"), 0);
    EXPECT_EQ(book.Count("等光强表光通量校核:"), 1);
    EXPECT_GE(book.Find("投光灯1(甲 TG-甲)："), 0);
    EXPECT_TRUE(book.MathHas("Φ I=10472lm, Φ=20000lm") || book.MathHas("ΦI=10472lm,Φ=20000lm"));
    EXPECT_EQ(book.Count("等光强表所含光通量超过光源光通量的1.05倍，其光强不是该光源的光强(kcd)，"
                         "以下照度偏大，请检查。"),
              1);
}

class FloodCapacityBookTest : public ::testing::Test {
protected:
    BookDocument Write(double eMin) {
        project = Site();
        for (int i = 0; i < 2; ++i) {
            UnitCapacityInputs& in = project.luminaires.At(i).unitCapacity;
            in.sShareClass = "40%及其以上";
            in.sLampType = "高压钠灯";
            in.dEfficiency = 0.6;
            in.dUniformity = i == 0 ? 0.75 : 0.0; // the second entry is not counted
        }
        panel.SetMinimumIlluminance(eMin);
        panel.Open(project);
        return WriteAndReadBook(
            [&](CalcBookWriter& w) { name = WriteFloodCapacityBook(w, panel.BookRecord()); });
    }
    Project project;
    FloodCapacityPanel panel;
    BookName name;
};

TEST_F(FloodCapacityBookTest, TableAndNeededFloodlights) {
    const BookDocument book = Write(200);
    EXPECT_EQ(book.paragraphs[0].text, "投光灯单位容量法照度计算书");
    EXPECT_EQ(name.saveName, "投光灯单位容量法照度计算计算书");
    EXPECT_EQ(name.FileStem(), name.saveName);
    const int result = book.Find("计算结果");
    EXPECT_EQ(book.paragraphs[static_cast<size_t>(result)].size, 14);
    // The result table, then the site's and the floodlights' inputs and positions.
    ASSERT_EQ(book.tables.size(), 5u); // …, then the 结论
    EXPECT_EQ(book.tables[0].cells.size(), 3u);
    EXPECT_EQ(book.tables[0].Columns(), 9u);
    EXPECT_EQ(book.tables[0].cells[1][3], "40%及其以上");
    EXPECT_EQ(book.tables[0].cells[1][8], std::to_string(panel.Entries()[0].additional));
    ASSERT_GT(panel.Entries()[0].additional, 0);
    EXPECT_TRUE(book.MathHas("=" + std::to_string(panel.Entries()[0].additional) + "盏"));
    EXPECT_EQ(book.Count("此灯不参加计算"), 1);
    EXPECT_GE(book.Find("平面上最低照度为200lx"), 0);
    EXPECT_GE(book.Find("实际照度为" + panel.IlluminanceText() + "lx"), 0);
    // Five lamp types' efficacies.
    EXPECT_EQ(book.Count("光源光效率，lm/W"), 1);
    EXPECT_TRUE(book.MathHas("0.6×0.7×0.75×0.7×0.049"));
}

TEST_F(FloodCapacityBookTest, EnoughPowerNeedsNone) {
    const BookDocument book = Write(0);
    EXPECT_EQ(book.Count("还需要这种灯数量是0盏"), 2);
}

TEST(RoadBook, EntriesWithArrangementAndSpacing) {
    Project project = Site();
    project.road.m_dLxStandard = 30;
    project.road.m_nStartNum = 1;
    project.road.m_nEndNum = 2;
    project.road.AppendComponent({RoadComponent::kCarriageway, 2, 10});
    RoadLightingPanel panel;
    panel.Open(project);
    panel.EditCell(0, RoadLightingPanel::kArrangement, "双侧对称", project);
    panel.EditCell(1, RoadLightingPanel::kArrangement, "其他", project);
    for (int row = 0; row < 2; ++row) {
        panel.EditCell(row, RoadLightingPanel::kSpacing, "30", project);
        panel.EditCell(row, RoadLightingPanel::kUtilization, "0.3", project);
    }
    const BookDocument book =
        WriteAndReadBook([&](CalcBookWriter& w) { WriteRoadBook(w, panel.BookRecord()); });
    EXPECT_EQ(book.paragraphs[0].text, "利用系数法道路照度计算书");
    // The result table, then the road, its cross-section, its lights and their positions.
    ASSERT_EQ(book.tables.size(), 6u); // …, then the 结论
    EXPECT_EQ(book.tables[0].Columns(), 9u);
    EXPECT_EQ(book.tables[0].cells[1][3], "双侧对称排列");
    EXPECT_EQ(book.tables[0].cells[2][3], "其他");
    EXPECT_EQ(book.tables[0].cells[1][8],
              KvStr::Format("%0.2f", panel.Entries()[0].computedSpacing));
    EXPECT_EQ(book.Count("达到标准照度的时候此灯的安装距离计算为："), 2);
    EXPECT_GE(book.Find(KvStr::Format("在当前有多种灯的情况下道路的实际照度为：%0.2f(lx),",
                                      panel.Illuminance())),
              0);
    // The legend gives the N the calculation uses.
    EXPECT_GE(book.Find("N——与排列方式有关值，单侧N=1, 交错N=1, 相对矩形排列N=2"), 0);
    EXPECT_EQ(panel.Entries()[0].n, 2);
    EXPECT_EQ(panel.Entries()[1].n, 3);
}

// An arrangement in the list is named by the book whatever was typed; any other is named
// by the text typed, and by nothing when the record holds no text for it.
TEST(RoadBook, ArrangementNamesFromTheRecord) {
    RoadLightingRecord record;
    for (const int arrangement : {1, 3, 3}) {
        RoadEntry entry;
        entry.luminaire = Floodlight("路", {0, 0, 10});
        entry.arrangement = arrangement;
        entry.computedSpacing = 25;
        record.entries.push_back(entry);
    }
    record.arrangementTexts = {"单侧", "中央"};
    const BookDocument book =
        WriteAndReadBook([&](CalcBookWriter& w) { WriteRoadBook(w, record); });
    ASSERT_EQ(book.tables.size(), 2u); // the entries, then the 结论
    ASSERT_EQ(book.tables[0].cells.size(), 4u);
    EXPECT_EQ(book.tables[0].cells[1][3], "双侧交错排列");
    EXPECT_EQ(book.tables[0].cells[2][3], "中央");
    EXPECT_EQ(book.tables[0].cells[3][3], "");
    EXPECT_EQ(book.Count("排列方式为中央,"), 1);
    // The standard is reached (no deficit): each spacing stands on its own.
    EXPECT_TRUE(book.MathHas("S=25.00m"));
    EXPECT_FALSE(book.MathHas("×"));
}

} // namespace
} // namespace qv
