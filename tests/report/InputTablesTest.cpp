// The input tables the books state before their calculation: luminaires collapse into
// groups only when nothing but their plan position differs, the room states its
// corners only for a polygon, and the grid's spacing follows the search's divisions.
#include "report/books/InputTables.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

Luminaire Fitting(double x, double y, double z = 3.0) {
    Luminaire l;
    l.sName = "格栅灯";
    l.sModel = "GS-236";
    l.nLuminousFlux = 6000;
    l.lamp1 = {"荧光灯", "T8", 36.0, 4.0, 2, 3000};
    l.ptCenter = {x, y, z};
    return l;
}

TEST(LuminaireGroups, OnlyPlanPositionsCollapse) {
    LuminaireList list;
    list.Add(Fitting(1, 1));
    list.Add(Fitting(3, 1));
    Luminaire brighter = Fitting(5, 1);
    brighter.nLuminousFlux = 6500;
    list.Add(brighter);
    list.Add(Fitting(5, 3));
    list.Add(Fitting(1, 3, 2.5)); // another mounting height
    Luminaire turned = Fitting(3, 3);
    turned.Rotate.z = 90.0;
    list.Add(turned);

    const std::vector<LuminaireGroup> groups = GroupLuminaires(list);
    ASSERT_EQ(groups.size(), 4u);
    EXPECT_EQ(groups[0].count, 3);
    EXPECT_EQ(PlanPositionsText(groups[0].positions), "(1.00, 1.00)、(3.00, 1.00)、(5.00, 3.00)");
    EXPECT_EQ(groups[1].sample.nLuminousFlux, 6500);
    EXPECT_EQ(groups[1].count, 1);
    EXPECT_EQ(groups[2].sample.ptCenter.z, 2.5);
    EXPECT_EQ(groups[3].count, 1);

    // A rotated group adds the rotation column to every row.
    const std::vector<std::string> headers = LuminaireHeaders(groups);
    ASSERT_EQ(headers.size(), 10u);
    const TableRows rows = LuminaireRows(groups);
    ASSERT_EQ(rows.size(), 4u);
    for (const auto& row : rows) {
        EXPECT_EQ(row.size(), headers.size());
    }
    EXPECT_EQ(rows[0][3], "2×36W荧光灯");
    EXPECT_EQ(rows[0][4], "4W");
    EXPECT_EQ(rows[0][5], "6000");
    EXPECT_EQ(rows[0][6], "0.70");
    EXPECT_EQ(rows[0][7], "3");
    EXPECT_EQ(rows[0][8], "3.00");
    EXPECT_EQ(rows[3][9], "(0, 0, 90)°");
    EXPECT_EQ(LuminairePositionRows(groups)[2], (std::vector<std::string>{"3", "(1.00, 3.00)"}));
}

TEST(LuminaireGroups, SecondLampCountsOnlyWhenFitted) {
    Luminaire a = Fitting(1, 1);
    Luminaire b = Fitting(2, 1);
    b.lamp2 = {"LED", "", 10.0, 0.0, 1, 900}; // not fitted: ignored
    LuminaireList list;
    list.Add(a);
    list.Add(b);
    EXPECT_EQ(GroupLuminaires(list).size(), 1u);
    EXPECT_EQ(LuminaireHeaders(GroupLuminaires(list)).size(), 9u);
    b.bLampHouse2 = 1;
    list.Replace(1, b);
    const std::vector<LuminaireGroup> groups = GroupLuminaires(list);
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(LampText(groups[1].sample), "2×36W荧光灯 + 1×10WLED");
}

TEST(RoomInputs, CornersOnlyForAPolygonAndEffectiveReflectances) {
    Room room;
    room.dLength = 6;
    room.dWidth = 4;
    room.dWorkHeight = 0.75;
    room.dReflectTop = 70;
    room.dLxStandard = 300;
    room.outline = {{0, 0, 0}, {6, 0, 0}, {6, 4, 0}, {0, 4, 0}};
    TableRows rows = RoomInputRows(room, false);
    for (const auto& row : rows) {
        EXPECT_NE(row[0], "轮廓角点(m)");
    }
    EXPECT_EQ(rows.front(), (std::vector<std::string>{"总长", "6.00m"}));
    EXPECT_EQ(rows.back(), (std::vector<std::string>{"照度标准", "300lx"}));

    room.outline = {{0, 0, 0}, {6, 0, 0}, {6, 2, 0}, {3, 4, 0}, {0, 4, 0}};
    CavityRatio cavity;
    cavity.ok = true;
    cavity.rhoC = 62.5;
    rows = RoomInputRows(room, false, &cavity);
    EXPECT_EQ(rows[2][1], "(0.00, 0.00)、(6.00, 0.00)、(6.00, 2.00)、(3.00, 4.00)、(0.00, 4.00)");
    bool effective = false;
    for (const auto& row : rows) {
        effective = effective || (row[0] == "顶棚有效反射比" && row[1] == "62.5%");
    }
    EXPECT_TRUE(effective);

    // A site states no reflectances.
    for (const auto& row : RoomInputRows(room, true)) {
        EXPECT_EQ(row[0].find("反射比"), std::string::npos);
    }
}

TEST(GridInputs, SpacingFollowsTheDivisionsAndTheVerticalPlaneIsStated) {
    GridBookRecord record;
    record.density = 10;
    Room room;
    room.dWorkHeight = 0.8;
    room.outline = {{0, 0, 0}, {8, 0, 0}, {8, 4, 0}, {0, 4, 0}};
    record.inputs.room = room;
    TableRows rows = GridInputRows(record);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1][1], "10等分");
    EXPECT_EQ(rows[2][1], "0.80m × 0.80m"); // 10 along the 8 m, 5 across the 4 m

    record.kind = kGridVertical;
    record.start = {0, 2, 0};
    record.end = {8, 2, 0};
    record.side = kSideLowerRight;
    record.inputs.luminaires.Add(Fitting(1, 1, 2.8));
    rows = GridInputRows(record);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[2][1], "0.80m × 1.00m"); // 2 m up to the luminaires: trunc(10·2/8) = 2
    EXPECT_EQ(rows[4][1], "(8.00, 2.00, 0.00)");
    EXPECT_EQ(rows[5][1], "右下");
}

TEST(PointAndFloodlightInputs, CoordinatesRotationsAndAimingPoints) {
    CalcPoint p;
    p.name = "P1";
    p.position = {1.5, 2, 0.75};
    p.rotation = {30, 0, 0};
    const TableRows points = PointRows({p});
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0],
              (std::vector<std::string>{"1", "P1", "1.50", "2.00", "0.75", "(30, 0, 0)°"}));

    LuminaireList floodlights;
    Luminaire f = Fitting(0, 0, 12);
    f.ptAim = {10, 5, 0};
    floodlights.Add(f);
    floodlights.Add(f); // identical floodlights each keep their row
    const TableRows rows = FloodlightRows(floodlights);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1][3], "(0.00, 0.00, 12.00)");
    EXPECT_EQ(rows[1][5], "(10.00, 5.00, 0.00)");
}

TEST(RoadInputs, CrossSectionInOrder) {
    Road road;
    road.m_nLampType = Road::kStaggered;
    road.components = {{RoadComponent::kFootway, 0, 3}, {RoadComponent::kCarriageway, 2, 7.5}};
    const TableRows section = RoadSectionRows(road);
    ASSERT_EQ(section.size(), 2u);
    EXPECT_EQ(section[0], (std::vector<std::string>{"1", "人行道", "0", "3.00"}));
    EXPECT_EQ(section[1], (std::vector<std::string>{"2", "车道", "2", "7.50"}));
    EXPECT_EQ(RoadInputRows(road).back()[1], "双侧交错");
}

TEST(AreaSourceInputs, ShapeAndPlaneOfTheCalculation) {
    AreaSourceRecord record;
    record.calculation = AreaSourceCalculation::RectInclined;
    record.angle = 30;
    record.point = {2, 1, 0};
    TableRows rows = AreaSourceInputRows(record);
    EXPECT_EQ(rows[0][1], "矩形");
    EXPECT_EQ(rows[1][1], "13.00m");
    EXPECT_EQ(rows[5][1], "(2.00, 1.00, 0.00)");
    EXPECT_EQ(rows.back()[1], "倾斜面,倾角30°");
    record.calculation = AreaSourceCalculation::DiscVertical;
    rows = AreaSourceInputRows(record);
    EXPECT_EQ(rows[0][1], "圆形");
    EXPECT_EQ(rows[1][1], "2.00m");
    EXPECT_EQ(rows.back()[1], "垂直面");
}

} // namespace
} // namespace qv
