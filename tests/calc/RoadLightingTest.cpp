// Road lighting by the utilization method: the worked example, the arrangement factor,
// the standard met exactly, and roads where no entry counts.
#include "calc/outdoor/RoadLighting.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv {
namespace {

Road TenMetreRoad(double standard) {
    Road road;
    road.m_dLxStandard = standard;
    road.components = {{RoadComponent::kFootway, 0, 2.5}, {RoadComponent::kCarriageway, 2, 7.5}};
    return road;
}

RoadEntry Entry(const std::string& arrangement) {
    RoadEntry entry;
    entry.luminaire.nLuminousFlux = 10000;
    entry.luminaire.dVindicate = 0.7;
    entry.u = 0.3;
    entry.spacing = 30.0;
    entry.arrangement = ArrangementIndex(arrangement);
    return entry;
}

TEST(RoadLighting, ArrangementIndex) {
    EXPECT_EQ(ArrangementIndex("单侧"), 0);
    EXPECT_EQ(ArrangementIndex("双侧对称"), 2);
    EXPECT_EQ(ArrangementIndex("中心"), 3);
}

TEST(RoadLighting, WorkedExampleAndArrangements) {
    std::vector<RoadEntry> entries = {Entry("单侧")};
    RoadLightingResult result = CalculateRoadLighting(TenMetreRoad(10.0), entries);
    EXPECT_DOUBLE_EQ(result.width, 10.0);
    EXPECT_DOUBLE_EQ(result.e, 7.0);
    EXPECT_DOUBLE_EQ(entries[0].computedSpacing, 21.0);

    entries = {Entry("双侧对称")};
    result = CalculateRoadLighting(TenMetreRoad(10.0), entries);
    EXPECT_DOUBLE_EQ(result.e, 14.0);
    EXPECT_EQ(entries[0].n, 2);
    // Above the standard the computed spacing is the entry's own.
    EXPECT_DOUBLE_EQ(entries[0].computedSpacing, 30.0);
    entries = {Entry("双侧对称")};
    CalculateRoadLighting(TenMetreRoad(20.0), entries);
    EXPECT_DOUBLE_EQ(entries[0].computedSpacing, 21.0);

    entries = {Entry("其他")};
    result = CalculateRoadLighting(TenMetreRoad(30.0), entries);
    EXPECT_EQ(entries[0].n, 3);
    EXPECT_DOUBLE_EQ(result.e, 21.0);

    entries = {Entry("单侧")};
    result = CalculateRoadLighting(TenMetreRoad(7.0), entries);
    EXPECT_LE(result.deficit, 1e-6);
    EXPECT_DOUBLE_EQ(entries[0].computedSpacing, 30.0);
}

TEST(RoadLighting, SeveralKindsShareTheRoad) {
    std::vector<RoadEntry> entries = {Entry("单侧"), Entry("单侧")};
    entries[1].count = 3;
    const RoadLightingResult result = CalculateRoadLighting(TenMetreRoad(10.0), entries);
    // Σa = 2·(0.21/(2·30)), Σφ = 40000.
    EXPECT_DOUBLE_EQ(result.e, 0.007 * 40000.0 / 10.0);
}

// Each entry stands for all the poles of its kind (S and N say how they stand), so
// listing one light per pole multiplies the road's illuminance by the number of entries.
TEST(RoadLighting, OneEntryPerPoleMultipliesTheIlluminance) {
    std::vector<RoadEntry> one = {Entry("双侧对称")};
    const double e = CalculateRoadLighting(TenMetreRoad(10.0), one).e;
    std::vector<RoadEntry> perPole(8, Entry("双侧对称"));
    EXPECT_DOUBLE_EQ(CalculateRoadLighting(TenMetreRoad(10.0), perPole).e, 8.0 * e);
}

// U and S that are not positive numbers give no light, never a negative one.
TEST(RoadLighting, HostileUtilizationAndSpacingGiveNoLight) {
    for (const double u : {0.0, -0.4, std::nan(""), -HUGE_VAL, HUGE_VAL}) {
        std::vector<RoadEntry> entries = {Entry("单侧")};
        entries[0].u = u;
        const RoadLightingResult result = CalculateRoadLighting(TenMetreRoad(10.0), entries);
        EXPECT_FALSE(entries[0].utilizationGiven) << u;
        EXPECT_GE(result.e, 0.0) << u;
        EXPECT_GE(entries[0].computedSpacing, 0.0) << u;
    }
    for (const double spacing : {0.0, -30.0, std::nan("")}) {
        std::vector<RoadEntry> entries = {Entry("单侧")};
        entries[0].spacing = spacing;
        EXPECT_EQ(CalculateRoadLighting(TenMetreRoad(10.0), entries).e, 0.0) << spacing;
        EXPECT_FALSE(entries[0].spacingGiven);
        EXPECT_FALSE(entries[0].counted);
    }
    // A cross-section of negative width counts no entry.
    Road negative = TenMetreRoad(10.0);
    negative.components = {{RoadComponent::kCarriageway, 2, -7.5}};
    std::vector<RoadEntry> entries = {Entry("单侧")};
    EXPECT_EQ(CalculateRoadLighting(negative, entries).e, 0.0);
    EXPECT_FALSE(entries[0].counted);
    EXPECT_DOUBLE_EQ(entries[0].computedSpacing, 0.0);
}

TEST(RoadLighting, NothingCountedGivesZero) {
    std::vector<RoadEntry> entries = {Entry("单侧")};
    entries[0].computedSpacing = 5.0;
    Road bare;
    bare.m_dLxStandard = 10.0;
    RoadLightingResult result = CalculateRoadLighting(bare, entries);
    EXPECT_EQ(result.e, 0.0);
    EXPECT_EQ(entries[0].computedSpacing, 5.0);
    entries[0].spacing = 0.0;
    result = CalculateRoadLighting(TenMetreRoad(10.0), entries);
    EXPECT_EQ(result.e, 0.0);
    EXPECT_DOUBLE_EQ(entries[0].computedSpacing, 21.0);
    EXPECT_EQ(CalculateRoadLighting(TenMetreRoad(10.0), entries = {}).e, 0.0);
}

} // namespace
} // namespace qv

#include "panels/RoadLightingPanel.h"

namespace qv {
namespace {

TEST(RoadLightingPanel, EntriesByRangeEditsAndMessages) {
    Project project;
    project.road = TenMetreRoad(10.0);
    project.road.m_nStartNum = 2;
    project.road.m_nEndNum = 2;
    project.road.m_dLampDis = 30.0;
    project.luminaires.Add(Luminaire());
    project.luminaires.Add(Entry("单侧").luminaire);
    RoadLightingPanel panel;
    panel.Open(project);
    ASSERT_EQ(panel.RowCount(), 1);
    EXPECT_EQ(panel.CellText(0, RoadLightingPanel::kArrangement), "单侧");
    EXPECT_EQ(panel.CellText(0, RoadLightingPanel::kSpacing), "30");
    panel.EditCell(0, RoadLightingPanel::kUtilization, "0.3", project);
    EXPECT_EQ(panel.IlluminanceText(), "7.00");
    EXPECT_EQ(panel.Message(), "照度不满足道路照度标准，需增加灯具");
    EXPECT_EQ(panel.CellText(0, RoadLightingPanel::kComputedSpacing), "21.000");
    panel.EditCell(0, RoadLightingPanel::kArrangement, "双侧对称", project);
    EXPECT_EQ(panel.Message(), "照度满足道路照度标准,不需增加灯具");
    EXPECT_EQ(panel.CellText(0, RoadLightingPanel::kArrangement), "双侧对称");
    // The edits last while the road's luminaires stay the same.
    panel.Calculate(project);
    EXPECT_EQ(panel.Illuminance(), 14.0);
}

// The message names what the calculation could not use and entries that repeat one kind
// of light; a new entry's pole height is its light's mounting height.
TEST(RoadLightingPanel, MessageNamesMissingInputsAndRepeatedKinds) {
    Project project;
    project.road = TenMetreRoad(10.0);
    project.road.m_nStartNum = 1;
    project.road.m_nEndNum = 2;
    project.road.m_dLampDis = 30.0;
    Luminaire light = Entry("单侧").luminaire;
    light.sName = "路灯";
    light.ptCenter = {0, -5, 12};
    project.luminaires.Add(light);
    light.sModel = "另一种";
    project.luminaires.Add(light);
    RoadLightingPanel panel;
    panel.Open(project);
    EXPECT_EQ(panel.CellText(0, RoadLightingPanel::kPoleHeight), "12");
    // No entry gives light yet: no illuminance and no spacing to show.
    EXPECT_EQ(panel.IlluminanceText(), "—");
    EXPECT_EQ(panel.CellText(0, RoadLightingPanel::kComputedSpacing), "");
    EXPECT_EQ(panel.Message(),
              "请输入灯1(路灯)、灯2(路灯)的利用系数，利用系数或间距为0的灯不产生照度");
    panel.EditCell(0, RoadLightingPanel::kUtilization, "0.3", project);
    panel.EditCell(1, RoadLightingPanel::kSpacing, "0", project);
    EXPECT_EQ(panel.Message(),
              "请输入灯2(路灯)的利用系数和灯2(路灯)的间距，利用系数或间距为0的灯不产生"
              "照度；照度不满足道路照度标准，需增加灯具");
    EXPECT_GT(panel.Illuminance(), 0.0);

    // The same light twice: the message explains why the illuminance doubled.
    project.luminaires.At(1).sModel = project.luminaires.At(0).sModel;
    panel.Calculate(project);
    panel.EditCell(0, RoadLightingPanel::kUtilization, "0.3", project);
    panel.EditCell(1, RoadLightingPanel::kUtilization, "0.3", project);
    panel.EditCell(1, RoadLightingPanel::kSpacing, "30", project); // kept from before
    EXPECT_EQ(panel.IlluminanceText(), "14.00");                   // twice the 7 lx of one entry
    EXPECT_EQ(panel.Message(),
              "照度满足道路照度标准,不需增加灯具；灯1、灯2是同一种灯：每种灯只需一行，间距和排列方"
              "式已代表这种灯的全部灯杆，每根灯杆各列一行会使照度乘以行数");

    project.road.components.clear();
    panel.Calculate(project);
    EXPECT_EQ(panel.Message().rfind("道路宽度为0：请在道路方案中输入街道组成；", 0), 0u);
    project.road.m_nStartNum = 5;
    project.road.m_nEndNum = 6;
    panel.Calculate(project);
    EXPECT_EQ(panel.Message(), "道路没有路灯：请在道路方案中设置路灯的灯具编号");
}

// The grid values are kept with the road's lights in the project: a panel opened again,
// and the runner, start from them; a light never edited starts from the road.
TEST(RoadLightingPanel, EditedValuesAreKeptWithTheirLights) {
    Project project;
    project.road = TenMetreRoad(10.0);
    project.road.m_nStartNum = 2;
    project.road.m_nEndNum = 3;
    project.road.m_dLampDis = 30.0;
    project.luminaires.Add(Luminaire());
    Luminaire light = Entry("单侧").luminaire;
    light.ptCenter = {0, -5, 9};
    project.luminaires.Add(light);
    project.luminaires.Add(light);
    RoadLightingPanel panel;
    panel.Open(project);
    const Project before = project;
    EXPECT_FALSE(panel.EditCell(1, RoadLightingPanel::kComputedSpacing, "5", project));
    for (const char* text : {"inf", "-1e999", "nan"}) {
        EXPECT_FALSE(panel.EditCell(1, RoadLightingPanel::kSpacing, text, project)) << text;
        EXPECT_EQ(panel.CellText(1, RoadLightingPanel::kSpacing), "30") << text;
    }
    EXPECT_EQ(project, before);
    EXPECT_TRUE(panel.EditCell(1, RoadLightingPanel::kUtilization, "0.3", project));
    EXPECT_TRUE(panel.EditCell(1, RoadLightingPanel::kArrangement, "中心", project));
    EXPECT_TRUE(panel.EditCell(1, RoadLightingPanel::kSpacing, "25", project));
    EXPECT_FALSE(project.luminaires.At(0).road.has_value());
    EXPECT_FALSE(project.luminaires.At(1).road.has_value()); // row 0 was not edited
    ASSERT_TRUE(project.luminaires.At(2).road.has_value());
    EXPECT_EQ(*project.luminaires.At(2).road, (RoadLightValues{"中心", 25, 9, 0, 0.3}));
    const double e = panel.Illuminance();
    // The project handed back changes nothing the panel shows.
    panel.Calculate(project);
    EXPECT_EQ(panel.Illuminance(), e);

    RoadLightingPanel reopened;
    reopened.Open(project);
    for (int column = RoadLightingPanel::kName; column < RoadLightingPanel::kColumnCount;
         ++column) {
        EXPECT_EQ(reopened.CellText(1, column), panel.CellText(1, column)) << column;
    }
    EXPECT_EQ(reopened.CellText(0, RoadLightingPanel::kSpacing), "30");
    EXPECT_EQ(reopened.CellText(0, RoadLightingPanel::kPoleHeight), "9");
    EXPECT_EQ(reopened.Illuminance(), e);

    // Taking the values back (an undo) gives the road's values again.
    panel.Calculate(before);
    EXPECT_EQ(panel.CellText(1, RoadLightingPanel::kSpacing), "30");
    EXPECT_EQ(panel.CellText(1, RoadLightingPanel::kArrangement), "单侧");
}

} // namespace
} // namespace qv
