// The shared check of typed numbers: hostile texts refused per kind with a message naming
// the field, good texts at the bounds taken; and the panels that keep their old value
// when a typed text is refused.
#include "panels/NumberCheck.h"
#include "model/ProjectTestSupport.h"
#include "panels/CalcPointGrid.h"
#include "panels/EditingPanels.h"
#include "panels/FloodCapacityPanel.h"
#include "panels/LumenMethodPanel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace qv {
namespace {

const NumberKind kAllKinds[] = {
    NumberKind::kLength,      NumberKind::kSize,    NumberKind::kCoordinate,  NumberKind::kAngle,
    NumberKind::kFlux,        NumberKind::kIntFlux, NumberKind::kPercent,     NumberKind::kFraction,
    NumberKind::kMaintenance, NumberKind::kCount,   NumberKind::kNonNegative, NumberKind::kNumber};

TEST(NumberCheck, TextsThatHoldNoNumberAreRefusedForEveryKind) {
    const std::string nul("1\0"
                          "2",
                          3);
    const std::vector<std::string> bad = {"abc",
                                          "",
                                          "  ",
                                          "nan",
                                          "inf",
                                          "-inf",
                                          "1,5",
                                          "1/0",
                                          "+-3",
                                          "--1",
                                          "1e5",
                                          "1e999",
                                          ".",
                                          "-.",
                                          "1e",
                                          "1e+",
                                          "0x10",
                                          "12m",
                                          "5%",
                                          "1 2",
                                          "\x01"
                                          "5",
                                          "5\x7f",
                                          nul,
                                          std::string(10000, 'a'),
                                          "１"};
    for (const NumberKind kind : kAllKinds) {
        for (const std::string& text : bad) {
            double value = 42.0;
            EXPECT_EQ(NumberRefusal(text, kind, "X坐标", &value), "X坐标应为数字,请重新输入!")
                << static_cast<int>(kind) << " [" << text << "]";
            EXPECT_EQ(value, 42.0);
            EXPECT_FALSE(ReadNumber(text, kind));
        }
    }
}

TEST(NumberCheck, EachKindRefusesWhatLiesOutsideItsRange) {
    struct Case {
        NumberKind kind;
        const char* text;
        const char* rule;
    };
    const std::string longNumber(10000, '9');
    const Case cases[] = {
        {NumberKind::kLength, "-5000", "应为不大于100000的正数"},
        {NumberKind::kLength, "0", "应为不大于100000的正数"},
        {NumberKind::kLength, "-0", "应为不大于100000的正数"},
        {NumberKind::kLength, "100000.001", "应为不大于100000的正数"},
        {NumberKind::kLength, "1e+300", "应为不大于100000的正数"},
        {NumberKind::kLength, "1e+999", "应为不大于100000的正数"},
        {NumberKind::kLength, longNumber.c_str(), "应为不大于100000的正数"},
        {NumberKind::kSize, "-0.001", "应为不大于100000的非负数"},
        {NumberKind::kCoordinate, "-100000.5", "应为绝对值不大于100000的数值"},
        {NumberKind::kCoordinate, "-1e+999", "应为绝对值不大于100000的数值"},
        {NumberKind::kAngle, "361", "应为绝对值不大于360的数值"},
        {NumberKind::kFlux, "-5000", "应为正数"},
        {NumberKind::kFlux, "0", "应为正数"},
        {NumberKind::kFlux, "1e+300", "应为不大于1000000000的正数"},
        {NumberKind::kIntFlux, "99999999999999", "应为不大于2147483647的正整数"},
        {NumberKind::kIntFlux, "1500.5", "应为正整数"},
        {NumberKind::kIntFlux, "-5000", "应为正整数"},
        {NumberKind::kPercent, "100.5", "应为0到100之间的数值"},
        {NumberKind::kPercent, "-1", "应为0到100之间的数值"},
        {NumberKind::kFraction, "1.01", "应为0到1之间的数值"},
        {NumberKind::kMaintenance, "0", "应为大于0且不大于1的数值"},
        {NumberKind::kCount, "-3", "应为不大于100000的非负整数"},
        {NumberKind::kCount, "2.5", "应为不大于100000的非负整数"},
        {NumberKind::kCount, "2000000000", "应为不大于100000的非负整数"},
        {NumberKind::kNonNegative, "-0.5", "应为非负数"},
        {NumberKind::kNonNegative, "1e+10", "应为不大于1000000000的非负数"},
        {NumberKind::kNumber, "1e+999", "应为数字"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NumberRefusal(c.text, c.kind, "总长"),
                  std::string("总长") + c.rule + ",请重新输入!")
            << c.text;
    }
}

TEST(NumberCheck, GoodTextsAtTheBoundsAreTaken) {
    struct Case {
        NumberKind kind;
        const char* text;
        double value;
    };
    const Case cases[] = {
        {NumberKind::kLength, "100000", 100000},
        {NumberKind::kLength, " 1E-3\t", 0.001},
        {NumberKind::kLength, "+.5", 0.5},
        {NumberKind::kSize, "0", 0},
        {NumberKind::kCoordinate, "-100000", -100000},
        {NumberKind::kCoordinate, "-0", 0},
        {NumberKind::kAngle, "-360", -360},
        {NumberKind::kFlux, "1000000000", 1e9},
        {NumberKind::kIntFlux, "2147483647", 2147483647},
        {NumberKind::kIntFlux, "3.25E+3", 3250},
        {NumberKind::kPercent, "100", 100},
        {NumberKind::kPercent, "0", 0},
        {NumberKind::kFraction, "1", 1},
        {NumberKind::kMaintenance, "1", 1},
        {NumberKind::kCount, "100000", 100000},
        {NumberKind::kCount, "0", 0},
        {NumberKind::kNonNegative, "0", 0},
        {NumberKind::kNumber, "-1e+300", -1e300},
    };
    for (const Case& c : cases) {
        double value = -1.0;
        EXPECT_EQ(NumberRefusal(c.text, c.kind, "总长", &value), "") << c.text;
        EXPECT_EQ(value, c.value) << c.text;
        EXPECT_FALSE(value == 0 && std::signbit(value)) << c.text << " reads as -0";
    }
}

TEST(NumberCheck, CheckedReadsShowTheRefusalAsAWarning) {
    test::MessageRecorder recorder;
    EXPECT_EQ(CheckNumber("2.5", NumberKind::kLength, "总长"), 2.5);
    EXPECT_EQ(CheckInt("7", NumberKind::kCount, "个数"), 7);
    EXPECT_TRUE(recorder.messages.empty());
    EXPECT_FALSE(CheckInt("abc", NumberKind::kIntFlux, "光源光通量"));
    EXPECT_FALSE(CheckNumber("-5000", NumberKind::kFlux, "光源光通量"));
    ASSERT_EQ(recorder.messages.size(), 2u);
    EXPECT_EQ(recorder.messages[0].text, "光源光通量应为数字,请重新输入!");
    EXPECT_EQ(recorder.messages[1].text, "光源光通量应为正数,请重新输入!");
    EXPECT_EQ(recorder.messages[1].caption, "系统提示");
    EXPECT_EQ(recorder.messages[1].icon, KvMessageIcon::Warning);
}

// ------------------------------------------------------------------------------------------
// Panels keep the old value of a refused text.

TEST(NumberFields, RoomSiteAndRoadFieldsKeepTheirValueWhenATypedTextIsRefused) {
    test::MessageRecorder recorder;
    Room room;
    room.dLength = 8;
    room.dWidth = 6;
    room.ptLeftBot = {1, 2, 0};
    room.outline = {{0, 0, 0}, {8, 0, 0}, {8, 6, 0}};
    RoomPanelModel panel;
    panel.SetWorking(room);
    RoomFields& f = panel.Fields();
    EXPECT_FALSE(panel.EnterField(&f.length, "-3"));
    EXPECT_FALSE(panel.EnterField(&f.width, "abc"));
    EXPECT_FALSE(panel.EnterField(&f.leftBotX, "1e+999"));
    EXPECT_FALSE(panel.EnterField(&f.reflectTop, "120"));
    EXPECT_FALSE(panel.EditCorner(1, 0, "1e999"));
    EXPECT_EQ(f.length, "8");
    EXPECT_EQ(f.width, "6");
    EXPECT_EQ(panel.CornerRows()[1].x, "8");
    ASSERT_EQ(recorder.messages.size(), 5u);
    EXPECT_EQ(recorder.messages[0].text, "总长应为不大于100000的正数,请重新输入!");
    EXPECT_EQ(recorder.messages[1].text, "总宽应为数字,请重新输入!");
    EXPECT_EQ(recorder.messages[2].text, "左下角位置X应为绝对值不大于100000的数值,请重新输入!");
    EXPECT_EQ(recorder.messages[3].text, "顶棚反射比应为0到100之间的数值,请重新输入!");
    EXPECT_EQ(recorder.messages[4].text, "X坐标应为数字,请重新输入!");

    // A text put into a field without the check (as the controls do while typing) is not
    // read into the room either.
    f.length = "abc";
    f.leftBotY = "inf";
    panel.CornerRows()[2].y = "1,5";
    EXPECT_EQ(panel.TakeValues(), room);

    EXPECT_TRUE(panel.EnterField(&f.length, " 12.5 "));
    EXPECT_TRUE(panel.EditCorner(2, 1, "-4"));
    EXPECT_EQ(panel.TakeValues().dLength, 12.5);
    EXPECT_EQ(panel.Working().outline[2].y, -4.0);
    EXPECT_FALSE(panel.EditCorner(3, 0, "1")); // no such corner

    SitePanelModel site;
    site.SetWorking(room);
    EXPECT_FALSE(site.EnterField(&site.Fields().length, "abc"));
    EXPECT_FALSE(site.EnterField(&site.Fields().lxStandard, "-1"));
    EXPECT_EQ(site.TakeValues(), room);

    RoadPanelModel road;
    road.NewComponent(RoadComponent::kCarriageway);
    EXPECT_FALSE(road.EnterField(&road.Fields().lampDis, "0"));
    EXPECT_FALSE(road.EnterField(&road.Fields().centerY, "1e+300"));
    EXPECT_FALSE(road.EditCell(0, 1, "2.5")); // lanes are whole
    EXPECT_FALSE(road.EditCell(0, 2, "-1"));
    const Road before = road.TakeValues();
    road.Rows()[0].width = "abc";
    EXPECT_EQ(road.TakeValues(), before);
    EXPECT_TRUE(road.EditCell(0, 1, "3"));
    EXPECT_EQ(road.TakeValues().components[0].m_nNumber, 3.0);
}

TEST(NumberCells, RefusedCellsAreNotTakenIntoTheirEntries) {
    CalcPointGrid grid;
    grid.Add();
    EXPECT_FALSE(grid.EditCell(0, CalcPointGrid::kX, "1e999"));
    EXPECT_FALSE(grid.EditCell(0, CalcPointGrid::kY, "1e+999"));
    EXPECT_FALSE(grid.EditCell(0, CalcPointGrid::kRotateZ, "720"));
    EXPECT_TRUE(grid.EditCell(0, CalcPointGrid::kName, "1e999")); // a name is any text
    EXPECT_EQ(grid.Cell(0, CalcPointGrid::kX), "0");
    grid.ReadBack();
    EXPECT_EQ(grid.Points()[0].position, Vector());
    EXPECT_EQ(CalcPointGrid::CellRefusal(CalcPointGrid::kX, "1e999"),
              "X轴位置应为数字,请重新输入!");
    EXPECT_EQ(CalcPointGrid::CellRefusal(CalcPointGrid::kName, "abc"), "");

    EXPECT_EQ(LumenMethodPanel::CellRefusal(LumenMethodPanel::kCount, "-1"),
              "个数应为不大于100000的非负整数,请重新输入!");
    EXPECT_EQ(FloodCapacityPanel::CellRefusal(FloodCapacityPanel::kEfficiency, "60"),
              "灯具效率应为0到1之间的数值,请重新输入!");
}

} // namespace
} // namespace qv
