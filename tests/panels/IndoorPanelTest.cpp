// The single-point and lumen-method panel models: buttons, messages, the naming rule,
// cells read back before actions, what the panels show, and the records of their books.
#include "calc/common/Photometry.h"
#include "panels/LumenMethodPanel.h"
#include "panels/SinglePointPanel.h"

#include "calc/IndoorRooms.h"

#include <kelvorin/KvStr.h>

#include <gtest/gtest.h>

#include <climits>

namespace qv {
namespace {

std::vector<std::string> Names(const CalcPointGrid& grid) {
    std::vector<std::string> names;
    for (const CalcPoint& point : grid.Points()) {
        names.push_back(point.name);
    }
    return names;
}

TEST(CalcPointGrid, AddCopiesTheSelectedPointUnderAFreeName) {
    CalcPointGrid grid;
    EXPECT_EQ(grid.Add(), 0); // a new point: "P1", then selected
    EXPECT_EQ(grid.Add(), 1); // a copy of P1: "P2"
    grid.EditCell(1, CalcPointGrid::kX, "2.5");
    grid.Select({0});
    grid.Add(); // a copy of P1 again: P2 is taken, so "P3"
    EXPECT_EQ(Names(grid), (std::vector<std::string>{"P1", "P2", "P3"}));
    EXPECT_EQ(grid.Points()[1].position.x, 2.5); // read back before the action
    EXPECT_EQ(grid.Selection(), std::vector<int>{2});
    grid.EditCell(2, CalcPointGrid::kName, "");
    grid.Add(); // an unnamed point becomes "P%d" with the new count, unchecked
    EXPECT_EQ(grid.Points()[3].name, "P4");
    EXPECT_EQ(grid.Points()[2].name, "");
}

TEST(CalcPointGrid, ModifyAndRemoveNeedASelection) {
    CalcPointGrid grid;
    grid.Append(CalcPoint{"A1", {1, 2, 0.75}, {}});
    grid.Append(CalcPoint{"A1", {3, 4, 0.75}, {}});
    EXPECT_EQ(grid.Points()[1].name, "A2");

    grid.EditCell(0, CalcPointGrid::kRotateX, "30");
    std::optional<KvMessage> refused = grid.Modify();
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->text, "请先选中要修改的点！");
    EXPECT_EQ(refused->caption, "系统提示");
    EXPECT_EQ(refused->icon, KvMessageIcon::Warning);
    EXPECT_EQ(grid.Points()[0].rotation.x, 30); // cells are read back before every action
    refused = grid.Remove();
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->text, "请先选中要删除的点！");
    EXPECT_EQ(refused->caption, "系统提示");

    grid.Select({1, 7});
    EXPECT_EQ(grid.Selection(), std::vector<int>{1});
    grid.EditCell(1, CalcPointGrid::kY, "4.25");
    EXPECT_EQ(grid.Cell(1, CalcPointGrid::kY), "4.25"); // shown as typed
    EXPECT_FALSE(grid.Modify());
    EXPECT_EQ(grid.Points()[1].position.y, 4.25);
    EXPECT_FALSE(grid.Remove());
    EXPECT_EQ(Names(grid), std::vector<std::string>{"A1"});
    grid.Clear();
    EXPECT_EQ(grid.RowCount(), 0);
}

TEST(CalcPointGrid, MoveSelectedRowsUpAndDown) {
    CalcPointGrid grid;
    for (int i = 0; i < 5; ++i) {
        grid.Append(CalcPoint());
    }
    grid.Select({0, 2, 3});
    grid.MoveUp(); // row 0 stays; 2 and 3 move up together
    EXPECT_EQ(Names(grid), (std::vector<std::string>{"P1", "P3", "P4", "P2", "P5"}));
    EXPECT_EQ(grid.Selection(), (std::vector<int>{0, 1, 2}));
    grid.Select({2, 4});
    grid.MoveDown(); // row 4 stays
    EXPECT_EQ(Names(grid), (std::vector<std::string>{"P1", "P3", "P2", "P4", "P5"}));
    EXPECT_EQ(grid.Selection(), (std::vector<int>{3, 4}));
}

Luminaire Downlight(Vector position) {
    Luminaire luminaire;
    luminaire.sName = "筒灯";
    luminaire.sModel = "D-1";
    luminaire.ptCenter = position;
    luminaire.geometricShape.dLength = 0.2;
    luminaire.nLuminousFlux = 3000;
    luminaire.dVindicate = 0.8;
    luminaire.curveA.Append({0, 200});
    luminaire.curveA.Append({90, 0});
    luminaire.curveB = luminaire.curveA;
    luminaire.lamp1.dPower = 36;
    luminaire.lamp1.dBallastPower = 9;
    return luminaire;
}

Room Office() {
    Room room = test::RectangleRoom(6, 4);
    room.dLxStandard = 300;
    return room;
}

TEST(SinglePointPanel, CalculatesTheGridAndShowsTwoDecimals) {
    SinglePointPanel panel;
    EXPECT_EQ(panel.kHeaders[1], std::string("点名称"));
    EXPECT_EQ(panel.kHeaders[10], std::string("倾斜面照度"));
    EXPECT_EQ(panel.kColumnWidths[10], 70);
    CalcPoint point;
    point.position = {2.1234567, 1, 0};
    panel.Points().Append(point);
    panel.Points().Append(point);
    panel.Points().EditCell(1, CalcPointGrid::kX, "9"); // outside the room
    LuminaireList luminaires;
    luminaires.Add(Downlight({2.1234567, 1, 2}));
    panel.Calculate(Office(), luminaires);
    EXPECT_EQ(panel.CellText(0, SinglePointPanel::kRowNumber), "1");
    EXPECT_EQ(panel.CellText(0, 1), "P1");
    EXPECT_EQ(panel.CellText(0, SinglePointPanel::kHorizontal), "120.00");
    EXPECT_EQ(panel.CellText(0, SinglePointPanel::kVertical), "0.00");
    EXPECT_EQ(panel.CellText(0, SinglePointPanel::kInclined), "120.00");
    EXPECT_EQ(panel.CellText(1, SinglePointPanel::kHorizontal), "0.00");
    // Cells not typed in keep the point's full precision.
    EXPECT_EQ(panel.Points().Points()[0].position.x, 2.1234567);
    EXPECT_DOUBLE_EQ(panel.CalculatedLuminaires().At(0).dLastContribution, 120);
    EXPECT_EQ(panel.LinearTypes(), std::vector<int>{kLinearE}); // cos⁴ fits 200·(1, 0) best
    EXPECT_EQ(panel.Caption(), "单点照度计算");
    panel.BookWritten();
    EXPECT_EQ(panel.Caption(), "单点照度计算书");
}

TEST(SinglePointPanel, BookRecordStatesTheStepsAtTheGridsPoints) {
    SinglePointPanel panel;
    panel.Points().Append(CalcPoint{"A", {1, 1, 0}, {}});
    panel.Points().Append(CalcPoint{"B", {9, 1, 0}, {}}); // outside the room
    LuminaireList luminaires;
    luminaires.Add(Downlight({1, 1, 2}));
    luminaires.Add(Downlight({3, 1, 2}));
    panel.Calculate(Office(), luminaires);
    const PointIlluminanceRecord record = panel.BookRecord();
    ASSERT_EQ(record.points.size(), 2u);
    EXPECT_EQ(KvStr::Format("%.2f", record.points[0].eh),
              panel.CellText(0, SinglePointPanel::kHorizontal));
    ASSERT_EQ(record.points[0].steps.size(), 2u);
    EXPECT_DOUBLE_EQ(record.points[0].steps[0].eh, 120); // straight below the first
    EXPECT_EQ(record.points[0].steps[0].eh + record.points[0].steps[1].eh, record.points[0].eh);
    EXPECT_TRUE(record.points[1].steps.empty());
    EXPECT_EQ(record.luminaires,
              std::vector<PointRecordLuminaire>(2, PointRecordLuminaire{3000, 0.8, 0.2}));
}

// The downlight has a single-row CU table: U = 0.48, e = 3000 · 0.8 · 0.48 / 24 = 48 lx.
LuminaireList LumenEntries(int count) {
    Luminaire luminaire = Downlight({1, 1, 3});
    luminaire.cuTable.Append({70, 50, 20, 1, 0.48});
    LuminaireList luminaires;
    for (int i = 0; i < count; ++i) {
        luminaires.Add(luminaire);
    }
    return luminaires;
}

TEST(LumenMethodPanel, CalculatesOnOpeningAndWithEditedCounts) {
    LumenMethodPanel panel;
    const Room room = Office();
    const LuminaireList entries = LumenEntries(1);
    panel.Open(room, entries);
    EXPECT_DOUBLE_EQ(panel.Illuminance(), 48);
    EXPECT_EQ(panel.IlluminanceText(), "48.00");
    EXPECT_EQ(panel.Message(), "照度不满足房间照度标准，需增加灯具");
    EXPECT_EQ(panel.CellText(0, LumenMethodPanel::kName), "筒灯");
    EXPECT_EQ(panel.CellText(0, LumenMethodPanel::kModel), "D-1");
    EXPECT_EQ(panel.CellText(0, LumenMethodPanel::kCu), "0.48");
    EXPECT_EQ(panel.CellText(0, LumenMethodPanel::kNeeded), "6"); // 252 / 48 = 5.25
    EXPECT_EQ(panel.Densities().lpdText, "1.87");                 // 45 / 24 cut
    EXPECT_EQ(panel.Densities().secondText, "0.29");              // 1.87 · 48 / 300 cut
    EXPECT_EQ(panel.Densities().label, "折算功率密度w/m2");

    panel.EditCell(0, LumenMethodPanel::kCount, "7");
    panel.EditCell(0, LumenMethodPanel::kCu, "9"); // not editable
    EXPECT_EQ(panel.CellText(0, LumenMethodPanel::kCount), "7");
    panel.Calculate(room, entries);
    EXPECT_DOUBLE_EQ(panel.Illuminance(), 336);
    EXPECT_EQ(panel.Entries()[0].u, 0.48);
    EXPECT_EQ(panel.Entries()[0].needed, 0);
    EXPECT_EQ(panel.Message(), "照度满足房间照度标准,不需增加灯具");
    EXPECT_EQ(panel.Densities().secondText, "1.87");
    EXPECT_EQ(panel.Densities().label, "标准功率密度w/m2");

    // The room's entries changed: the panel follows them and the counts start at 1.
    panel.Calculate(room, LumenEntries(2));
    ASSERT_EQ(panel.RowCount(), 2);
    EXPECT_EQ(panel.Entries()[0].count, 1);
    EXPECT_DOUBLE_EQ(panel.Illuminance(), 96);
    // An entry without a CU table has no coefficient: "无", and it adds nothing.
    LuminaireList withoutCu = LumenEntries(2);
    withoutCu.At(1).cuTable = CuTable();
    LumenMethodPanel other;
    other.Open(room, withoutCu);
    EXPECT_EQ(other.CellText(0, LumenMethodPanel::kCu), "0.48");
    EXPECT_EQ(other.CellText(1, LumenMethodPanel::kCu), "无");
    EXPECT_DOUBLE_EQ(other.Illuminance(), 48);
    EXPECT_EQ(panel.Caption(), "利用系数法照度计算");
    panel.BookWritten();
    EXPECT_EQ(panel.Caption(), "利用系数法照度计算书");
}

// Without luminaires or a room with an extent nothing is judged: no illuminance, no
// density, no "满足", and the message says what is missing.
TEST(LumenMethodPanel, NothingToCalculateShowsNoResults) {
    LumenMethodPanel empty;
    empty.Open(Office(), LuminaireList());
    EXPECT_EQ(empty.IlluminanceText(), "—");
    EXPECT_EQ(empty.Densities().lpdText, "—");
    EXPECT_EQ(empty.Densities().secondText, "—");
    EXPECT_EQ(empty.Message(), "尚未计算：房间没有灯具，请先布置灯具");
    LumenMethodPanel flat;
    flat.Open(Room(), LumenEntries(1));
    EXPECT_EQ(flat.IlluminanceText(), "—");
    EXPECT_EQ(flat.Message(), "尚未计算：房间面积为0，请输入房间的拐角");
    // Once there is something to calculate, the results show.
    flat.Calculate(Office(), LumenEntries(1));
    EXPECT_EQ(flat.IlluminanceText(), "48.00");
    EXPECT_EQ(flat.Densities().lpdText, "1.87");
}

// A point's results show once a calculation included it as it stands.
TEST(SinglePointPanel, PointsNotCalculatedShowNoResults) {
    SinglePointPanel panel;
    panel.Points().Append(CalcPoint{"A", {1, 1, 0}, {}});
    EXPECT_EQ(panel.CellText(0, SinglePointPanel::kHorizontal), "");
    LuminaireList luminaires;
    luminaires.Add(Downlight({1, 1, 2}));
    panel.Calculate(Office(), luminaires);
    EXPECT_EQ(panel.CellText(0, SinglePointPanel::kHorizontal), "120.00");
    panel.Points().Select({0});
    panel.Points().Add(); // a copy of A, not calculated
    ASSERT_EQ(panel.Points().RowCount(), 2);
    EXPECT_EQ(panel.CellText(1, SinglePointPanel::kInclined), "");
    panel.Points().EditCell(0, CalcPointGrid::kX, "2");
    panel.Points().ReadBack();
    EXPECT_EQ(panel.CellText(0, SinglePointPanel::kVertical), "");
    EXPECT_EQ(panel.CellText(0, SinglePointPanel::kFirstPointColumn), "A");
    panel.Calculate(Office(), luminaires);
    EXPECT_NE(panel.CellText(0, SinglePointPanel::kHorizontal), "");
    EXPECT_NE(panel.CellText(1, SinglePointPanel::kHorizontal), "");
}

TEST(LumenMethodPanel, ApplyingCountsLaysTheCopiesOutOverTheRoom) {
    LumenMethodPanel panel;
    panel.Open(Office(), LumenEntries(2));
    panel.EditCell(0, LumenMethodPanel::kCount, "3");
    panel.EditCell(1, LumenMethodPanel::kCount, "0");
    LuminaireList room;
    ASSERT_EQ(panel.ApplyCounts(Office(), room), CountAdjustment::kApplied);
    // Three in the 6 m × 4 m office: one row, each in the middle of a 2 m × 4 m cell, at
    // the entry's height.
    ASSERT_EQ(room.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(room.At(i).ptCenter, (Vector{1.0 + 2 * i, 2, 3}));
    }
    panel.EditCell(1, LumenMethodPanel::kCount, "100000"); // 100003 in all
    EXPECT_EQ(panel.ApplyCounts(Office(), room), CountAdjustment::kTooMany);
    EXPECT_EQ(room.Count(), 3);
    panel.EditCell(1, LumenMethodPanel::kCount, "1");
    EXPECT_EQ(panel.ApplyCounts(Room(), room), CountAdjustment::kNoRoom);
    EXPECT_EQ(room.Count(), 3);
}

TEST(CountAdjustment, EntriesFillTheNearestGridInOrderAtTheirOwnHeights) {
    Luminaire high = Downlight({-1, -1, 4});
    high.sName = "高";
    Luminaire onFloor = Downlight({2, 2, 0});
    onFloor.sName = "低";
    Room room = Office();
    room.outline = {{10, 20, 0}, {16, 20, 0}, {16, 24, 0}, {10, 24, 0}};
    LuminaireList out;
    // Six in a 6 m × 4 m room: two rows of three, the first entry's four copies fill the
    // lower row and the start of the upper one.
    ASSERT_EQ(RepeatByCounts({{&high, 4}, {&onFloor, 2}, {&high, -1}}, 100, room, out),
              CountAdjustment::kApplied);
    ASSERT_EQ(out.Count(), 6);
    const double xs[] = {11, 13, 15, 11, 13, 15};
    for (int i = 0; i < 6; ++i) {
        EXPECT_NEAR(out.At(i).ptCenter.x, xs[i], 1e-9);
        EXPECT_NEAR(out.At(i).ptCenter.y, i < 3 ? 21 : 23, 1e-9);
        EXPECT_EQ(out.At(i).sName, i < 4 ? "高" : "低");
        // A luminaire on the floor hangs 2.2 m above the working plane instead.
        EXPECT_DOUBLE_EQ(out.At(i).ptCenter.z, i < 4 ? 4 : 0.75 + 2.2);
    }
    // Nothing to place needs no room.
    EXPECT_EQ(RepeatByCounts({{&high, 0}}, 100, Room(), out), CountAdjustment::kApplied);
    EXPECT_TRUE(out.Empty());
    EXPECT_EQ(RepeatByCounts({{&high, 60}, {&high, 41}}, 100, room, out),
              CountAdjustment::kTooMany);
}

TEST(LumenMethodPanel, BookRecordHoldsTheEntriesAsTheyStandWithTheGivenRoomsStandard) {
    LumenMethodPanel panel;
    panel.Open(Office(), LumenEntries(2));
    Room room = Office();
    room.dLxStandard = 500;
    LumenMethodRecord record = panel.BookRecord(room);
    EXPECT_EQ(record.entries, panel.Entries());
    EXPECT_EQ(record.result, panel.Result());
    EXPECT_EQ(record.standard, 500);
    EXPECT_EQ(record.lpd, panel.Densities().lpd);
    EXPECT_EQ(record.lpd2, panel.Densities().second);
    EXPECT_EQ(record.lpd2Label, "折算功率密度w/m2");

    // A count typed in is not in the record until it is taken back; applied to the room
    // it is, beside the last calculation.
    panel.EditCell(0, LumenMethodPanel::kCount, "3");
    EXPECT_EQ(panel.BookRecord(room).entries[0].count, 1);
    LuminaireList applied;
    ASSERT_EQ(panel.ApplyCounts(room, applied), CountAdjustment::kApplied);
    record = panel.BookRecord(room);
    EXPECT_EQ(record.entries[0].count, 3);
    EXPECT_DOUBLE_EQ(record.result.e, 96);
}

} // namespace
} // namespace qv
