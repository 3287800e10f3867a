// The luminaire panel's position and rotation cells typed in place, and where "增  加"
// puts a new luminaire.
#include "panels/LuminairePlacement.h"
#include "model/ProjectTestSupport.h"
#include "panels/LuminaireListPanelModel.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

LuminaireListPanelModel PanelWith(const std::vector<Vector>& centres) {
    LuminaireList list;
    for (const Vector& centre : centres) {
        Luminaire luminaire;
        luminaire.sName = "A";
        luminaire.ptCenter = centre;
        luminaire.Rotate = {0, 0, 90};
        list.Add(luminaire);
    }
    LuminaireListPanelModel panel;
    panel.SetWorking(list);
    return panel;
}

TEST(LuminaireCells, PlacementCellsTakeNumbersWithinTheirLimits) {
    test::MessageRecorder recorder;
    LuminaireListPanelModel panel = PanelWith({{1, 2, 3}});
    EXPECT_TRUE(panel.EditCell(0, 3, " 4.25 "));
    EXPECT_TRUE(panel.EditCell(0, 4, "100000")); // the limit itself
    EXPECT_TRUE(panel.EditCell(0, 5, "-1e+2"));
    EXPECT_TRUE(panel.EditCell(0, 8, "-45"));
    EXPECT_EQ(panel.Working().At(0).ptCenter, (Vector{4.25, 100000, -100}));
    EXPECT_EQ(panel.Working().At(0).Rotate.z, -45.0);
    for (const int column : {-1, 0, 2, 9, 12}) { // read-only: refused without a message
        EXPECT_FALSE(panel.EditCell(0, column, "5")) << column;
    }
    EXPECT_FALSE(panel.EditCell(1, 3, "5"));
    EXPECT_TRUE(recorder.messages.empty());

    const std::pair<int, const char*> bad[] = {
        {3, ""},    {4, "abc"},    {5, "1,5"},       {5, "12m"}, {3, "nan"},  {3, "inf"},
        {6, "--1"}, {3, "1e+400"}, {4, "-100000.5"}, {7, "361"}, {8, "-720"},
    };
    for (const auto& [column, text] : bad) {
        const std::vector<std::string> before = panel.RowTexts(0);
        EXPECT_FALSE(panel.EditCell(0, column, text)) << text;
        EXPECT_EQ(panel.RowTexts(0), before) << text;
    }
    ASSERT_EQ(recorder.messages.size(), std::size(bad));
    EXPECT_EQ(recorder.messages[0].text, "X轴位置应为数字,请重新输入!");
    EXPECT_EQ(recorder.messages[6].text, "X轴旋转应为数字,请重新输入!");
    EXPECT_EQ(recorder.messages[7].text, "X轴位置应为绝对值不大于100000的数值,请重新输入!");
    EXPECT_EQ(recorder.messages[10].text, "Z轴旋转应为绝对值不大于360的数值,请重新输入!");
    EXPECT_EQ(recorder.messages[10].caption, "系统提示");
}

TEST(LuminaireAdd, ANewLuminaireHangsInTheMiddleOfTheRoom) {
    Room room;
    room.dWorkHeight = 0.75;
    room.outline = {{2, 1, 0}, {12, 1, 0}, {12, 7, 0}, {6, 9, 0}, {2, 7, 0}};
    LuminaireListPanelModel panel = PanelWith({{3, 3, 3.2}, {4, 4, 0}});
    // Without a selection a default luminaire, 2.2 m above the working plane.
    EXPECT_EQ(panel.LuminaireForAdd(&room).ptCenter, (Vector{7, 5, 2.95}));
    panel.SelectRow(0); // a copy of the selected one at its height
    const Luminaire copy = panel.LuminaireForAdd(&room);
    EXPECT_EQ(copy.ptCenter, (Vector{7, 5, 3.2}));
    EXPECT_EQ(copy.Rotate, (Rotation{0, 0, 90}));
    panel.SelectRow(1); // one on the floor gives no height
    EXPECT_EQ(panel.LuminaireForAdd(&room).ptCenter, (Vector{7, 5, 2.95}));
    // Without an outline: the length and width from the lower-left corner; without a
    // room the selected one's place.
    Room site;
    site.ptLeftBot = {-10, 20, 0};
    site.dLength = 40;
    site.dWidth = 20;
    EXPECT_EQ(panel.LuminaireForAdd(&site).ptCenter, (Vector{10, 30, 2.2}));
    EXPECT_EQ(panel.LuminaireForAdd().ptCenter, (Vector{4, 4, 0}));
}

} // namespace
} // namespace qv
