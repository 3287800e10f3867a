// The editing panels without their windows: the corner grid of the room and site panels,
// the road panel's component grid, the luminaire list's commands and messages, and the
// hand-over of the working copies to and from the project.
#include "model/ProjectTestSupport.h"
#include "panels/EditingPanels.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

std::vector<CornerRow> Rows(std::initializer_list<CornerRow> rows) {
    return rows;
}

TEST(RoomPanel, CornerCommandsOnTheGrid) {
    RoomPanelModel panel;
    panel.AddCorner(); // an empty outline gets the origin
    EXPECT_EQ(panel.CornerRows(), Rows({{"0", "0"}}));

    panel.CornerRows()[0] = {"1.5", "2"};
    panel.AddCorner(); // a copy of the last corner, as typed
    EXPECT_EQ(panel.CornerRows(), Rows({{"1.5", "2"}, {"1.5", "2"}}));

    panel.CornerRows()[1] = {"4", "5"};
    panel.SelectCorner(1);
    panel.InsertCorner(); // a copy of the selected corner at its place
    EXPECT_EQ(panel.CornerRows(), Rows({{"1.5", "2"}, {"4", "5"}, {"4", "5"}}));
    panel.CornerRows()[1] = {"3", "3"};
    panel.DeleteCorner();
    EXPECT_EQ(panel.CornerRows(), Rows({{"1.5", "2"}, {"4", "5"}}));

    panel.SetCornerCount(4); // grows by copies of the last corner
    EXPECT_EQ(panel.CornerRows().back(), (CornerRow{"4", "5"}));
    panel.SetCornerCount(1); // shrinks from the end
    EXPECT_EQ(panel.CornerRows(), Rows({{"1.5", "2"}}));
    EXPECT_EQ(panel.SelectedCorner(), -1); // the selected row went with them
    panel.InsertCorner();
    panel.DeleteCorner(); // neither does anything without a selection
    EXPECT_EQ(panel.CornerRows().size(), 1u);
    panel.SetCornerCount(-3);
    EXPECT_TRUE(panel.CornerRows().empty());
    panel.SetCornerCount(1 << 30);
    EXPECT_EQ(panel.CornerRows().size(), size_t{OutlinePanelModel::kMaxCorners});
}

TEST(RoomPanel, ResetBuildsTheRectangleFromTheFields) {
    RoomPanelModel panel;
    panel.Fields().leftBotX = "2";
    panel.Fields().leftBotY = "3";
    panel.Fields().length = "10";
    panel.Fields().width = "5";
    panel.ResetOutline();
    EXPECT_EQ(panel.CornerRows(), Rows({{"2", "3"}, {"12", "3"}, {"12", "8"}, {"2", "8"}}));
    EXPECT_EQ(panel.Working().outline[2], (Vector{12, 8, 0}));
    EXPECT_EQ(panel.Working().dLength, 10.0);
}

TEST(RoomPanel, TakingValuesReadsEveryFieldAndKeepsWhatThePanelDoesNotShow) {
    Room room;
    room.ptLeftBot = {0, 0, 1.25};
    room.nStartNum = 7;
    RoomPanelModel panel;
    panel.SetWorking(room);
    RoomFields& f = panel.Fields();
    f = {"12.5", "8", "0.75", "1", "-2", "70", "50", "20", "300", "15"};
    panel.CornerRows() = Rows({{"0", "0"}, {"abc", "1e999"}});
    const Room& taken = panel.TakeValues();
    EXPECT_EQ(taken.dLength, 12.5);
    EXPECT_EQ(taken.dWidth, 8.0);
    EXPECT_EQ(taken.dWorkHeight, 0.75);
    EXPECT_EQ(taken.ptLeftBot, (Vector{1, -2, 1.25}));
    EXPECT_EQ(taken.dReflectTop, 70.0);
    EXPECT_EQ(taken.dReflectWall, 50.0);
    EXPECT_EQ(taken.dReflectFloor, 20.0);
    EXPECT_EQ(taken.dLxStandard, 300.0);
    EXPECT_EQ(taken.dWinInWall, 15.0);
    EXPECT_EQ(taken.nStartNum, 7);
    // Text that is no number, or a number beyond a double, reads as 0.
    EXPECT_EQ(taken.outline[1], (Vector{0, 0, 0}));
    EXPECT_EQ(RoomPanelModel::WindowRatioChoices().size(), 21u);
    EXPECT_EQ(RoomPanelModel::WindowRatioChoices().back(), "100");
}

TEST(SitePanel, TakesTheFloodlightRangeInsteadOfReflectances) {
    Room room;
    room.dReflectWall = 50;
    SitePanelModel panel;
    panel.SetWorking(room);
    panel.Fields().startNum = 3;
    panel.Fields().endNum = 5;
    panel.Fields().lxStandard = "30";
    const Room& taken = panel.TakeValues();
    EXPECT_EQ(taken.nStartNum, 3);
    EXPECT_EQ(taken.nEndNum, 5);
    EXPECT_EQ(taken.dLxStandard, 30.0);
    EXPECT_EQ(taken.dReflectWall, 50.0);
}

std::vector<int> Types(const Road& road) {
    std::vector<int> types;
    for (const RoadComponent& c : road.components) {
        types.push_back(c.m_nType);
    }
    return types;
}

TEST(RoadPanel, NewComponentsGoBeforeTheSelectedRowOrAtTheEnd) {
    RoadPanelModel panel;
    panel.NewComponent(RoadComponent::kCarriageway);
    panel.NewComponent(RoadComponent::kFootway);
    panel.Rows()[0].width = "7.5";
    panel.SelectRow(1);
    panel.NewComponent(RoadComponent::kMedian);
    EXPECT_EQ(Types(panel.Working()), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(panel.Rows()[1], (ComponentRow{"分隔带", "0", "0"}));
    EXPECT_EQ(panel.Working().components[0].m_dWidth, 7.5); // taken before the insert

    panel.MoveUp(); // the selection follows the moved component
    EXPECT_EQ(Types(panel.Working()), (std::vector<int>{1, 0, 2}));
    EXPECT_EQ(panel.SelectedRow(), 0);
    panel.MoveUp(); // nothing above the first
    EXPECT_EQ(panel.SelectedRow(), 0);
    panel.MoveDown();
    panel.MoveDown();
    EXPECT_EQ(Types(panel.Working()), (std::vector<int>{0, 2, 1}));
    EXPECT_EQ(panel.SelectedRow(), 2);
    panel.DeleteComponent();
    EXPECT_EQ(Types(panel.Working()), (std::vector<int>{0, 2}));
    EXPECT_EQ(panel.SelectedRow(), -1);

    panel.SetComponentCount(4); // copies of the last one
    EXPECT_EQ(Types(panel.Working()), (std::vector<int>{0, 2, 2, 2}));
    panel.ClearComponents();
    EXPECT_TRUE(panel.Rows().empty());
}

TEST(RoadPanel, TakingValuesConvertsTheGridAndTheFields) {
    RoadPanelModel panel;
    panel.Rows() = {{"人行道", "0", "3"}, {"车道", "2", "7.5"}, {"快车道", "1", "x"}};
    RoadFields& f = panel.Fields();
    f.length = "240";
    f.angle = "30";
    f.centerX = "30";
    f.centerY = "-20";
    f.lampDis = "35";
    f.arrangement = Road::kOpposite;
    f.startNum = 5;
    f.endNum = 18;
    const Road& road = panel.TakeValues();
    EXPECT_EQ(Types(road), (std::vector<int>{2, 0, -1})); // an unknown type text gives -1
    EXPECT_EQ(road.components[1].m_nNumber, 2.0);
    EXPECT_EQ(road.components[2].m_dWidth, 0.0);
    EXPECT_EQ(road.m_dLength, 240.0);
    EXPECT_EQ(road.m_dAngle, 30.0);
    EXPECT_EQ(road.ptCenter, (Vector{30, -20, 0}));
    EXPECT_EQ(road.m_dLampDis, 35.0);
    EXPECT_EQ(road.m_nLampType, Road::kOpposite);
    EXPECT_EQ(road.m_nStartNum, 5);
    EXPECT_EQ(road.m_nEndNum, 18);
    panel.SetWorking(road); // a type outside the three shows an empty cell
    EXPECT_EQ(panel.Rows()[2].type, "");
}

Luminaire Named(const std::string& name, double x) {
    Luminaire l;
    l.sName = name;
    l.ptCenter = {x, 3, 2.8};
    l.nLuminousFlux = 5200;
    l.sLightsTable = "curves";
    return l;
}

TEST(LuminairePanel, DeleteAndChangeNeedASelectedRow) {
    test::MessageRecorder recorder;
    LuminaireList list;
    for (const char* name : {"A", "B", "C"}) {
        list.Add(Named(name, 2.5));
    }
    LuminaireListPanelModel panel;
    panel.SetWorking(list);
    EXPECT_FALSE(panel.DeleteSelected());
    EXPECT_FALSE(panel.CanChange());
    ASSERT_EQ(recorder.messages.size(), 2u);
    EXPECT_EQ(recorder.messages[0].text, "请先选中要删除的灯具！");
    EXPECT_EQ(recorder.messages[1].text, "请先选中要修改的灯具！");
    EXPECT_EQ(recorder.messages[1].caption, "系统提示");
    EXPECT_EQ(panel.RowCount(), 3);

    panel.SelectRow(0);
    EXPECT_TRUE(panel.CanChange());
    EXPECT_EQ(panel.LuminaireForAdd().sName, "A");
    EXPECT_TRUE(panel.DeleteSelected()); // the others move up
    EXPECT_EQ(panel.Working().At(0).sName, "B");
    EXPECT_EQ(panel.SelectedRow(), 0);
    panel.ReplaceSelected(Named("D", 1));
    panel.Append(Named("E", 1));
    EXPECT_EQ(panel.RowTexts(0), (std::vector<std::string>{"D", "", "5200", "1", "3", "2.8", "0",
                                                           "0", "0", "curves", "", ""}));
    EXPECT_EQ(panel.RowCount(), 3);
    panel.Clear();
    EXPECT_EQ(panel.RowCount(), 0);
    EXPECT_EQ(panel.LuminaireForAdd(), Luminaire());
    EXPECT_EQ(recorder.messages.size(), 2u);
}

TEST(EditingPanels, CollectAndDistributeOnlyTouchOpenPanels) {
    Project project;
    project.room.dLength = 9;
    project.road.m_dLength = 100;
    project.luminaires.Add(Named("A", 1));
    EditingPanels panels;
    panels.site = std::make_unique<SitePanelModel>();
    panels.luminaires = std::make_unique<LuminaireListPanelModel>();
    DistributePanels(project, panels);
    EXPECT_EQ(panels.site->Fields().length, "9");
    EXPECT_EQ(panels.luminaires->RowCount(), 1);

    panels.room = std::make_unique<RoomPanelModel>(); // the site panel wins
    panels.site->Fields().length = "12";
    panels.luminaires->Clear();
    CollectPanels(panels, project);
    EXPECT_EQ(project.room.dLength, 12.0);
    EXPECT_EQ(project.road.m_dLength, 100.0); // no road panel
    EXPECT_TRUE(project.luminaires.Empty());
    EXPECT_TRUE(panels.AnyOpen());
    panels.CloseAll();
    EXPECT_FALSE(panels.AnyOpen());
}

} // namespace
} // namespace qv
