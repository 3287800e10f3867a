// The placement cells of the luminaire panel typed in place, the dialog's "安装位置", and
// where "增  加" puts a new luminaire.
#include "panels/LuminairePlacement.h"
#include "model/ProjectTestSupport.h"
#include "panels/LuminaireListPanelModel.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

Luminaire At(double x, double y, double z) {
    Luminaire luminaire;
    luminaire.sName = "A";
    luminaire.ptCenter = {x, y, z};
    luminaire.Rotate = {0, 0, 90};
    return luminaire;
}

LuminaireListPanelModel PanelWith(const std::vector<Luminaire>& luminaires) {
    LuminaireList list;
    for (const Luminaire& luminaire : luminaires) {
        list.Add(luminaire);
    }
    LuminaireListPanelModel panel;
    panel.SetWorking(list);
    return panel;
}

TEST(LuminaireCells, PlacementColumnsTakeNumbersAndTheOthersNothing) {
    test::MessageRecorder recorder;
    LuminaireListPanelModel panel = PanelWith({At(1, 2, 3)});
    const auto& columns = LuminaireListPanelModel::Columns();
    for (int field = 0; field < kPlacementFields; ++field) {
        EXPECT_EQ(
            columns[static_cast<size_t>(LuminaireListPanelModel::kFirstPlacementColumn + field)],
            PlacementName(field));
    }
    EXPECT_TRUE(panel.EditCell(0, 3, " 4.25 "));
    EXPECT_TRUE(panel.EditCell(0, 5, "-1e+2"));
    EXPECT_TRUE(panel.EditCell(0, 8, "-45"));
    EXPECT_TRUE(panel.EditCell(0, 4, "100000")); // the limit itself
    const Luminaire& edited = panel.Working().At(0);
    EXPECT_EQ(edited.ptCenter.x, 4.25);
    EXPECT_EQ(edited.ptCenter.y, 100000.0);
    EXPECT_EQ(edited.ptCenter.z, -100.0);
    EXPECT_EQ(edited.Rotate.z, -45.0);
    EXPECT_EQ(panel.RowTexts(0)[3], "4.25");

    // Read-only columns and rows outside the list: refused without a message.
    for (const int column : {-1, 0, 1, 2, 9, 11, 12}) {
        EXPECT_FALSE(panel.EditCell(0, column, "5")) << column;
    }
    EXPECT_FALSE(panel.EditCell(1, 3, "5"));
    EXPECT_FALSE(panel.EditCell(-1, 3, "5"));
    EXPECT_TRUE(recorder.messages.empty());
}

TEST(LuminaireCells, BadTextsKeepTheValueAndNameTheColumn) {
    struct Case {
        int column;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {3, "", "X轴位置应为数字,请重新输入!"},
        {3, "   ", "X轴位置应为数字,请重新输入!"},
        {4, "abc", "Y轴位置应为数字,请重新输入!"},
        {5, "1,5", "Z轴位置应为数字,请重新输入!"},
        {5, "12m", "Z轴位置应为数字,请重新输入!"},
        {3, "nan", "X轴位置应为数字,请重新输入!"},
        {3, "inf", "X轴位置应为数字,请重新输入!"},
        {6, "--1", "X轴旋转应为数字,请重新输入!"},
        {3, "1e+400", "X轴位置应为绝对值不大于100000的数值,请重新输入!"},
        {4, "-100000.5", "Y轴位置应为绝对值不大于100000的数值,请重新输入!"},
        {5, "1e+9", "Z轴位置应为绝对值不大于100000的数值,请重新输入!"},
        {7, "361", "Y轴旋转应为绝对值不大于360的数值,请重新输入!"},
        {8, "-720", "Z轴旋转应为绝对值不大于360的数值,请重新输入!"},
    };
    for (const Case& c : cases) {
        test::MessageRecorder recorder;
        LuminaireListPanelModel panel = PanelWith({At(1, 2, 3)});
        const std::vector<std::string> before = panel.RowTexts(0);
        EXPECT_FALSE(panel.EditCell(0, c.column, c.text)) << c.text;
        EXPECT_EQ(panel.RowTexts(0), before) << c.text;
        ASSERT_EQ(recorder.messages.size(), 1u) << c.text;
        EXPECT_EQ(recorder.messages[0].text, c.message) << c.text;
        EXPECT_EQ(recorder.messages[0].caption, "系统提示");
    }
}

TEST(LuminaireAdd, ANewLuminaireHangsInTheMiddleOfTheRoom) {
    Room room;
    room.dWorkHeight = 0.75;
    room.outline = {{2, 1, 0}, {12, 1, 0}, {12, 7, 0}, {6, 9, 0}, {2, 7, 0}};
    EXPECT_EQ(RoomCentre(room), (Vector{7, 5, 0}));

    // Without a selection: the default luminaire at the working plane + 2.2 m.
    LuminaireListPanelModel panel = PanelWith({At(3, 3, 3.2), At(4, 4, 0)});
    Luminaire added = panel.LuminaireForAdd(&room);
    EXPECT_EQ(added.ptCenter, (Vector{7, 5, 2.95}));
    EXPECT_EQ(added.sName, "");

    // A copy of the selected one at its height and rotation.
    panel.SelectRow(0);
    added = panel.LuminaireForAdd(&room);
    EXPECT_EQ(added.sName, "A");
    EXPECT_EQ(added.ptCenter, (Vector{7, 5, 3.2}));
    EXPECT_EQ(added.Rotate, (Rotation{0, 0, 90}));

    // A selected luminaire on the floor (or below the working plane) gives no height.
    panel.SelectRow(1);
    EXPECT_EQ(panel.LuminaireForAdd(&room).ptCenter, (Vector{7, 5, 2.95}));

    // Without an outline the length and width from the lower-left corner; without a room
    // the selected one's place is kept.
    Room site;
    site.ptLeftBot = {-10, 20, 0};
    site.dLength = 40;
    site.dWidth = 20;
    EXPECT_EQ(panel.LuminaireForAdd(&site).ptCenter, (Vector{10, 30, 2.2}));
    EXPECT_EQ(panel.LuminaireForAdd().ptCenter, (Vector{4, 4, 0}));
}

TEST(LuminairePlacement, FieldsOutsideTheSixAreRefused) {
    test::MessageRecorder recorder;
    Luminaire luminaire = At(1, 2, 3);
    EXPECT_FALSE(SetPlacement(luminaire, kPlacementFields, "5", "X"));
    EXPECT_FALSE(SetPlacement(luminaire, -1, "5", "X"));
    EXPECT_EQ(luminaire, At(1, 2, 3));
    EXPECT_TRUE(SetPlacement(luminaire, kRotateX, "360", "X轴旋转"));
    EXPECT_EQ(PlacementValue(luminaire, kRotateX), 360.0);
    EXPECT_EQ(MountingHeightFor(Room(), -1), kMountingAboveWorkPlane);
    EXPECT_TRUE(recorder.messages.empty());
}

} // namespace
} // namespace qv
