// The floodlight panels without windows: the aiming grid's buttons and checks, column
// widths in the settings file, the result panel's hand-typed intensities, and the
// unit-capacity panel's expansion of the counts into the project.
#include "panels/FloodCapacityPanel.h"
#include "panels/FloodlightPanels.h"

#include "calc/IndoorRooms.h"

#include <kelvorin/KvIniFile.h>
#include <kelvorin/KvStr.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>

namespace qv {
namespace {

Luminaire Named(const std::string& name) {
    Luminaire luminaire;
    luminaire.sName = name;
    luminaire.ptCenter = {0, 0, 10};
    luminaire.floodTable.Append({0, 0, 1.0});
    return luminaire;
}

LuminaireList TwoFloodlights() {
    LuminaireList list;
    list.Add(Named("甲"));
    list.Add(Named("乙"));
    return list;
}

TEST(FloodlightPointPanel, AimingGridButtonsAndChecks) {
    FloodlightPointPanel panel;
    panel.RefreshAiming(TwoFloodlights());
    ASSERT_EQ(panel.AimingRowCount(), 2);
    EXPECT_EQ(panel.AimingCell(1, 0), "2.乙");
    EXPECT_FALSE(panel.EditAimingCell(0, 1, "5").has_value());
    EXPECT_FALSE(panel.EditAimingCell(0, 2, "").has_value());
    const std::optional<KvMessage> bad = panel.EditAimingCell(0, 3, "abc");
    ASSERT_TRUE(bad.has_value());
    EXPECT_EQ(bad->text, "瞄准点坐标必须是数字，请检查。");
    EXPECT_EQ(bad->caption, "Varsolin");
    EXPECT_EQ(panel.AimingCell(0, 3), "0.0");

    panel.SelectAimingRow(0);
    panel.SameAsAbove(); // nothing above the first row
    EXPECT_EQ(panel.AimingCell(0, 1), "5");
    panel.SelectAimingRow(1);
    panel.SameAsAbove();
    EXPECT_EQ(panel.AimingCell(1, 1), "5");
    panel.EditAimingCell(1, 2, "7");
    panel.AllSame();
    EXPECT_EQ(panel.AimingCell(0, 2), "7");
    EXPECT_EQ(panel.AimingPoints()[0].x, 5.0);
}

// The aiming rows go to the floodlights they stand for, and a panel refreshed from those
// floodlights shows them again.
TEST(FloodlightPointPanel, AimingPointsAreKeptWithTheFloodlights) {
    FloodlightPointPanel panel;
    LuminaireList floodlights = TwoFloodlights();
    floodlights.At(1).ptAim = {3, 4, 0};
    panel.RefreshAiming(floodlights);
    EXPECT_EQ(panel.AimingCell(1, 1), "3");
    EXPECT_FALSE(panel.KeepAimingPoints(floodlights)); // nothing changed
    EXPECT_FALSE(panel.EditAimingCell(0, 1, "12.5").has_value());
    EXPECT_FALSE(panel.EditAimingCell(1, 3, "-2").has_value());
    ASSERT_TRUE(panel.KeepAimingPoints(floodlights));
    EXPECT_EQ(floodlights.At(0).ptAim, (Vector{12.5, 0, 0}));
    EXPECT_EQ(floodlights.At(1).ptAim, (Vector{3, 4, -2}));
    FloodlightPointPanel reopened;
    reopened.RefreshAiming(floodlights);
    EXPECT_EQ(reopened.AimingPoints(), panel.AimingPoints());

    // Rows of other floodlights are kept with none.
    LuminaireList three = TwoFloodlights();
    three.Add(Named("丙"));
    const LuminaireList before = three;
    EXPECT_FALSE(panel.KeepAimingPoints(three));
    EXPECT_EQ(three, before);

    // A coordinate beyond any number is refused like a text.
    for (const char* text : {"1e+999", "1/0", "inf", "nan"}) {
        ASSERT_TRUE(panel.EditAimingCell(0, 2, text).has_value()) << text;
        EXPECT_EQ(panel.AimingCell(0, 2), "0.0");
    }
}

TEST(FloodlightPointPanel, CalculateWarnsOnCountAndShowsRows) {
    FloodlightPointPanel panel;
    CalcPoint point;
    point.position = {1, 1, 0};
    panel.Points().Append(point);
    panel.Points().Append(CalcPoint());
    EXPECT_EQ(panel.Points().Points()[1].name, "P2");
    FloodlightResultPanel result;
    const std::vector<KvMessage> warnings =
        panel.Calculate(test::RectangleRoom(10, 10).outline, TwoFloodlights(), result);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].text, "瞄准点数量和灯具数量不符，请刷新。");
    ASSERT_EQ(result.RowCount(), 6);
    EXPECT_EQ(result.CellText(0, FloodlightResultPanel::kOrdinal), "1");
    EXPECT_EQ(result.CellText(1, FloodlightResultPanel::kPoint), "");
    EXPECT_EQ(result.CellText(3, FloodlightResultPanel::kOrdinal), "2");
    EXPECT_EQ(result.CellText(2, FloodlightResultPanel::kLabel), "全部灯具");
    // The first run looks the intensity up and computes the illuminances with it.
    EXPECT_EQ(result.CellText(0, FloodlightResultPanel::kIntensity), "1000");
    const double lookedUpEh = result.Rows()[0].eh;
    EXPECT_GT(lookedUpEh, 0.0);
    EXPECT_DOUBLE_EQ(result.Rows()[2].eh, result.Rows()[0].eh + result.Rows()[1].eh);

    result.EditCell(0, FloodlightResultPanel::kIntensity, "2000");
    EXPECT_EQ(result.CellText(0, FloodlightResultPanel::kIntensity), "2000");
    panel.RefreshAiming(TwoFloodlights());
    EXPECT_TRUE(
        result
            .Calculate(test::RectangleRoom(10, 10).outline, TwoFloodlights(), panel.AimingPoints())
            .empty());
    EXPECT_DOUBLE_EQ(result.Rows()[0].eh, 2.0 * result.Rows()[1].eh);
    EXPECT_DOUBLE_EQ(result.Rows()[0].eh, 2.0 * lookedUpEh);
    EXPECT_EQ(result.CellText(2, FloodlightResultPanel::kEh),
              KvStr::Format("%.3f", 3.0 * result.Rows()[1].eh));

    EXPECT_TRUE(FloodlightResultPanel().Remove().has_value());
    result.Select(5);
    result.MoveUp();
    EXPECT_EQ(result.Rows()[4].label, "全部灯具");
    EXPECT_FALSE(result.Remove().has_value());
    EXPECT_EQ(result.RowCount(), 5);
}

TEST(FloodlightPointPanel, ColumnWidthsInTheSettingsFile) {
    const std::string path =
        (std::filesystem::temp_directory_path() / "quorvel-flood-widths.ini").string();
    std::remove(path.c_str());
    FloodlightPointPanel panel;
    panel.LoadColumnWidths(path);
    EXPECT_EQ(panel.AimingColumnWidths(), (std::vector<int>{60, 50, 50, 50}));
    KvIniFile::WriteKey("投光灯点照度计算", "瞄准点Grid列宽", "70#40#40#", path);
    KvIniFile::WriteKey("投光灯点照度计算", "计算点Grid列宽", "20#90#61#62#63#64#65#66#", path);
    panel.LoadColumnWidths(path);
    EXPECT_EQ(panel.AimingColumnWidths(), (std::vector<int>{60, 50, 50, 50}));
    EXPECT_EQ(panel.PointColumnWidths()[1], 90);
    panel.SetAimingColumnWidths({61, 51, 51, 51});
    panel.SaveColumnWidths(path);
    EXPECT_EQ(KvIniFile::ReadKey("投光灯点照度计算", "瞄准点Grid列宽", "", path), "61#51#51#51#");
    std::remove(path.c_str());
}

Project SiteAndRoad() {
    Project project;
    project.kind = kOutdoorProject;
    project.room = test::RectangleRoom(50, 20);
    project.room.dLxStandard = 10;
    for (const char* name : {"路1", "投1", "投2", "路2"}) {
        project.luminaires.Add(Named(name));
    }
    project.room.nStartNum = 2;
    project.room.nEndNum = 3;
    project.road.m_nStartNum = 4;
    project.road.m_nEndNum = 4;
    return project;
}

TEST(FloodCapacityPanel, EditsRecalculateAndExpansionKeepsOtherLuminaires) {
    Project project = SiteAndRoad();
    FloodCapacityPanel panel;
    panel.SetMinimumIlluminance(20);
    panel.Open(project);
    ASSERT_EQ(panel.RowCount(), 2);
    EXPECT_EQ(panel.CellText(0, FloodCapacityPanel::kName), "投1");
    EXPECT_EQ(panel.Message(), "尚未计算：请输入各灯的灯具效率、照度均匀度");
    EXPECT_EQ(panel.Densities().label, "折算功率密度w/m2");
    EXPECT_EQ(FloodCapacityPanel::ChoicesOf(FloodCapacityPanel::kShare).size(), 5u);

    panel.EditCell(0, FloodCapacityPanel::kCount, "3", project);
    panel.EditCell(0, FloodCapacityPanel::kShare, "40%及其以上", project);
    EXPECT_EQ(panel.Entries()[0].u, 0.7);
    ASSERT_TRUE(panel.ApplyCounts(project));
    ASSERT_EQ(project.luminaires.Count(), 6);
    EXPECT_EQ(project.luminaires.At(0).sName, "路1");
    EXPECT_EQ(project.luminaires.At(3).sName, "投1");
    EXPECT_EQ(project.luminaires.At(3).ptCenter.x, -1.0);
    EXPECT_EQ(project.luminaires.At(3).ptCenter.z, 10.0);
    EXPECT_EQ(project.luminaires.At(1).ptCenter.x, 0.0);
    EXPECT_EQ(project.luminaires.At(2).unitCapacity.nCount, 1);
    EXPECT_EQ(project.luminaires.At(5).sName, "路2");
    EXPECT_EQ(project.room.nStartNum, 2);
    EXPECT_EQ(project.room.nEndNum, 5);
    EXPECT_EQ(project.road.m_nStartNum, 6);
    EXPECT_EQ(project.road.m_nEndNum, 6);

    panel.EditCell(0, FloodCapacityPanel::kCount, "0", project);
    FloodCapacityPanel fresh;
    fresh.Open(project);
    fresh.EditCell(0, FloodCapacityPanel::kCount, "100000", project);
    EXPECT_FALSE(fresh.ApplyCounts(project));
}

TEST(FloodCapacityPanel, EmptyRangeExpandsToNothing) {
    Project project = SiteAndRoad();
    project.room.nStartNum = 9;
    project.room.nEndNum = 12;
    FloodCapacityPanel panel;
    panel.Open(project);
    EXPECT_EQ(panel.RowCount(), 0);
    EXPECT_EQ(panel.IlluminanceText(), "—");
    EXPECT_EQ(panel.Message(), "尚未计算：场地没有投光灯，请在应用场地中设置投光灯的灯具编号");
    Project bare = SiteAndRoad();
    bare.room.outline.clear();
    FloodCapacityPanel degenerate;
    degenerate.Open(bare);
    EXPECT_EQ(degenerate.Message(), "尚未计算：场地面积为0，请输入场地的拐角");
    EXPECT_EQ(degenerate.CellText(0, FloodCapacityPanel::kAdditional), "1");
    EXPECT_EQ(degenerate.Entries()[0].additional, 1);
    ASSERT_TRUE(panel.ApplyCounts(project));
    EXPECT_EQ(project.luminaires.Count(), 4);
    EXPECT_EQ(project.road.m_nStartNum, 4);
}

// A panel just opened has nothing to show: no "0.00" and no "满足" until an entry can be
// counted; then the message names the entries left out.
TEST(FloodCapacityPanel, SaysNothingIsCalculatedUntilItIs) {
    Project project = SiteAndRoad();
    FloodCapacityPanel panel;
    panel.Open(project);
    EXPECT_FALSE(panel.Calculated());
    EXPECT_EQ(panel.IlluminanceText(), "—");
    EXPECT_EQ(panel.Densities().secondText, "—");
    EXPECT_EQ(panel.Message(), "尚未计算：请输入平面上最低照度和各灯的灯具效率、照度均匀度");

    panel.EditCell(0, FloodCapacityPanel::kEfficiency, "0.6", project);
    panel.EditCell(0, FloodCapacityPanel::kUniformity, "0.75", project);
    EXPECT_TRUE(panel.Calculated());
    EXPECT_NE(panel.IlluminanceText(), "—");
    EXPECT_EQ(panel.Message(), "请输入平面上最低照度；灯2(投2)的灯具效率或照度均匀度为0，未计入");
    panel.SetMinimumIlluminance(1e9);
    panel.Calculate(project);
    EXPECT_EQ(panel.Message(),
              "照度不满足场地最低照度，需增加灯具；灯2(投2)的灯具效率或照度均匀度为0，未计入");
    panel.SetMinimumIlluminance(std::nan(""));
    panel.Calculate(project);
    EXPECT_EQ(panel.Message().rfind("请输入平面上最低照度", 0), 0u);
}

// "计算功率密度" is installed power over the site's area: every floodlight the counts give.
TEST(FloodCapacityPanel, PowerDensityIsInstalledPowerOverTheSiteArea) {
    Project project;
    project.kind = kOutdoorProject;
    project.room = test::RectangleRoom(60, 40);
    project.room.dLxStandard = 30;
    for (int i = 0; i < 4; ++i) {
        Luminaire floodlight = Named("投光灯");
        floodlight.lamp1 = {"金属卤化物灯", "400W", 400, 40, 1, 32000};
        project.luminaires.Add(floodlight);
    }
    project.room.nStartNum = 1;
    project.room.nEndNum = 4;
    FloodCapacityPanel panel;
    panel.SetMinimumIlluminance(25);
    panel.Open(project);
    EXPECT_EQ(panel.Densities().lpdText, "0.73"); // 4 × 440 W on 2400 m²
    for (int row = 0; row < 4; ++row) {
        panel.EditCell(row, FloodCapacityPanel::kCount, "4", project);
    }
    // 16 floodlights of 440 W: 7040 W on 2400 m².
    EXPECT_NEAR(panel.Densities().lpd, 2.93, 1e-12);
    EXPECT_EQ(panel.Densities().lpdText, "2.93");
    EXPECT_NEAR(FloodInstalledPowerDensity(project.room, panel.Entries()), 7040.0 / 2400.0, 1e-12);
    panel.EditCell(0, FloodCapacityPanel::kCount, "0", project); // no floodlights
    EXPECT_NEAR(FloodInstalledPowerDensity(project.room, panel.Entries()), 5280.0 / 2400.0, 1e-12);
}

// A floodlight whose grid encloses more light than its lamps is named in a warning after
// the aiming warning; the calculation goes on.
TEST(FloodlightPointPanel, GridBrighterThanItsLampIsNamed) {
    LuminaireList floodlights = TwoFloodlights();
    for (int i = 0; i < floodlights.Count(); ++i) {
        Luminaire& floodlight = floodlights.At(i);
        floodlight.floodTable.Clear();
        for (const double a : {-30.0, 30.0}) {
            for (const double b : {-30.0, 30.0}) {
                floodlight.floodTable.Append({a, b, 30.0}); // ≈ 31,400 lm
            }
        }
        floodlight.sModel = "FL-1";
        floodlight.nLuminousFlux = 32000;
    }
    floodlights.At(1).nLuminousFlux = 1000; // its grid is 31 times its lamp
    FloodlightPointPanel panel;
    panel.Points().Append(CalcPoint());
    FloodlightResultPanel result;
    const std::vector<KvMessage> warnings =
        panel.Calculate(test::RectangleRoom(10, 10).outline, floodlights, result);
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_EQ(warnings[0].text, "瞄准点数量和灯具数量不符，请刷新。");
    EXPECT_EQ(warnings[1].text,
              "等光强表的光强应为该灯光源的光强(kcd)，以下投光灯的照度因此偏大，请检查：\n"
              "投光灯2.乙(FL-1)的等光强表积分光通量为31416lm，超过其光源光通量1000lm的1.05倍");
    EXPECT_EQ(warnings[1].caption, "Varsolin");
    EXPECT_EQ(warnings[1].icon, KvMessageIcon::Warning);
    EXPECT_EQ(result.RowCount(), 3);

    panel.RefreshAiming(floodlights);
    floodlights.At(1).nLuminousFlux = 32000;
    EXPECT_TRUE(result.Calculate({}, floodlights, panel.AimingPoints()).empty());
}

} // namespace
} // namespace qv
