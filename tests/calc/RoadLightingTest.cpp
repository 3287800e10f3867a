// Road lighting by the utilization method: the worked example, the arrangement factor,
// the standard met exactly, and roads where no entry counts.
#include "calc/outdoor/RoadLighting.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace qv
