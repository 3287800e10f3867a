// quorvel-calc flood, floodcap and road on the example site and road: the JSON repeats
// the core's numbers, the entries files edit the panels' cells, bad input names its
// place, and the project file is never written.
#include "calc/outdoor/FloodPoint.h"
#include "model/Constants.h"
#include "model/ProjectFile.h"
#include "panels/FloodCapacityPanel.h"
#include "panels/RoadLightingPanel.h"

#include "cli/CalcRunner.h"
#include "model/ProjectTestSupport.h"

#include <kelvorin/KvStr.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace qv {
namespace {

using test::TempDir;

const std::string kExample = std::string(QV_SOURCE_DIR) + "/data/examples/site_and_road.col";

struct CalcRun {
    int status = -1;
    std::string out;
};

CalcRun Calc(const std::string& arguments) {
    auto [status, out] = test::RunCalc(arguments);
    return {status, std::move(out)};
}

nlohmann::json CalcJson(const std::string& arguments) {
    return test::RunCalcJson(arguments);
}

std::string Write(const TempDir& folder, const std::string& name, const std::string& text) {
    const std::string path = folder.File(name);
    std::ofstream(path) << text;
    return path;
}

Project Example() {
    Project project;
    EXPECT_TRUE(LoadProject(kExample, project));
    return project;
}

TEST(OutdoorCli, RoadWithEntries) {
    TempDir folder;
    // The example with a second kind of road light.
    const std::string copy = folder.File("site.col");
    Project twoKinds = Example();
    Luminaire other = twoKinds.luminaires.At(twoKinds.road.m_nEndNum - 1);
    other.sModel = "LD-150";
    twoKinds.luminaires.Add(other);
    twoKinds.road.m_nEndNum = twoKinds.luminaires.Count();
    ASSERT_TRUE(SaveProject(twoKinds, copy));
    const auto stamp = std::filesystem::last_write_time(copy);
    const std::string entries = Write(folder, "road.csv",
                                      "arrangement,spacing,u,count\n"
                                      "双侧对称,30,0.3,1\n"
                                      "中心,,0.25,2\n");
    const nlohmann::json json = CalcJson("road " + copy + " --entries " + entries);
    Project project = twoKinds;
    RoadLightingPanel panel;
    panel.Open(project);
    panel.EditCell(0, RoadLightingPanel::kArrangement, "双侧对称", project);
    panel.EditCell(0, RoadLightingPanel::kUtilization, "0.3", project);
    panel.EditCell(1, RoadLightingPanel::kArrangement, "中心", project);
    panel.EditCell(1, RoadLightingPanel::kUtilization, "0.25", project);
    panel.SetCount(1, 2, project);
    EXPECT_EQ(json["e"].get<double>(), panel.Illuminance());
    EXPECT_EQ(json["e_shown"], panel.IlluminanceText());
    EXPECT_EQ(json["message"], panel.Message());
    EXPECT_EQ(json["w"].get<double>(), 23.0);
    EXPECT_EQ(json["standard"].get<double>(), 20.0);
    ASSERT_EQ(json["entries"].size(), 2u);
    EXPECT_EQ(json["entries"][1]["n"], 3);
    EXPECT_EQ(json["entries"][1]["computed_spacing"].get<double>(),
              panel.Entries()[1].computedSpacing);
    EXPECT_EQ(std::filesystem::last_write_time(copy), stamp);
    EXPECT_EQ(folder.Files().size(), 2u);
}

TEST(OutdoorCli, FloodCapacityWithEntries) {
    TempDir folder;
    const std::string entries = Write(folder, "cap.csv",
                                      "lamp_type,share,efficiency,uniformity,count\n"
                                      "金属卤化物灯,40%及其以上,0.6,0.75,2\n"
                                      "高压钠灯,,0.5,0.7,\n");
    const nlohmann::json json =
        CalcJson("floodcap " + kExample + " --emin 30 --entries " + entries);
    Project project = Example();
    FloodCapacityPanel panel;
    panel.SetMinimumIlluminance(30);
    panel.Open(project);
    panel.EditCell(0, FloodCapacityPanel::kLampType, "金属卤化物灯", project);
    panel.EditCell(0, FloodCapacityPanel::kShare, "40%及其以上", project);
    panel.EditCell(0, FloodCapacityPanel::kEfficiency, "0.6", project);
    panel.EditCell(0, FloodCapacityPanel::kUniformity, "0.75", project);
    panel.EditCell(0, FloodCapacityPanel::kCount, "2", project);
    panel.EditCell(1, FloodCapacityPanel::kLampType, "高压钠灯", project);
    panel.EditCell(1, FloodCapacityPanel::kEfficiency, "0.5", project);
    panel.EditCell(1, FloodCapacityPanel::kUniformity, "0.7", project);
    EXPECT_EQ(json["e"].get<double>(), panel.Illuminance());
    EXPECT_EQ(json["message"], panel.Message());
    EXPECT_EQ(json["lpd"].get<double>(), panel.Densities().lpd);
    EXPECT_EQ(json["lpd2_label"], panel.Densities().label);
    EXPECT_EQ(json["p_req"].get<double>(), panel.Result().pReq);
    ASSERT_EQ(json["entries"].size(), 4u);
    EXPECT_EQ(json["entries"][0]["u"].get<double>(), 0.7);
    EXPECT_EQ(json["entries"][0]["additional"], panel.Entries()[0].additional);
    EXPECT_EQ(json["entries"][2]["p_l"].get<double>(), 0.0); // never counted
}

TEST(OutdoorCli, FloodBothPasses) {
    TempDir folder;
    const std::string points = Write(folder, "points.csv", "name,x,y,z\nA,30,20,0\n,10,5,0\n");
    const std::string aim = Write(folder, "aim.csv", "x,y,z\n10,10,0\n-10,10,0\n");
    const nlohmann::json json =
        CalcJson("flood " + kExample + " --points " + points + " --aim " + aim);
    Project project = Example();
    LuminaireList floodlights = project.luminaires;
    AssignAimingPoints(floodlights, {{10, 10, 0}, {-10, 10, 0}});
    std::vector<CalcPoint> list(2);
    list[0].name = "A";
    list[0].position = {30, 20, 0};
    list[1].name = "P2";
    list[1].position = {10, 5, 0};
    std::vector<FloodlightResultRow> rows = BuildFloodlightRows(list, floodlights);
    ComputeFloodlightRows(rows, project.room.outline, floodlights, FloodMode::kLookUp);
    ComputeFloodlightRows(rows, project.room.outline, floodlights, FloodMode::kKeepIntensity);
    ASSERT_EQ(json["rows"].size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        const nlohmann::json& row = json["rows"][i];
        EXPECT_EQ(row["point"], rows[i].point.name);
        EXPECT_EQ(row["label"], rows[i].label);
        EXPECT_EQ(row["i"].get<double>(), rows[i].intensity);
        EXPECT_EQ(row["eh"].get<double>(), rows[i].eh);
        EXPECT_EQ(row["longitudinal"].get<double>(), rows[i].longitudinal);
        EXPECT_EQ(row["beta"].get<double>(), rows[i].beta * kRadToDeg);
    }
    ASSERT_TRUE(rows[5].IsTotal());
    EXPECT_GT(json["rows"][5]["eh"].get<double>(), 0.0);

    const nlohmann::json once =
        CalcJson("flood " + kExample + " --passes 1 --points " + points + " --aim " + aim);
    EXPECT_EQ(once["rows"][0]["eh"].get<double>(), 0.0);
    EXPECT_EQ(once["rows"][0]["i"], json["rows"][0]["i"]);
}

// The aiming points and road values a project keeps are where flood and road start, as
// the panels do; an aiming file and an entries file replace them for the run.
TEST(OutdoorCli, KeptAimingPointsAndRoadValuesAreWhereTheRunsStart) {
    TempDir folder;
    Project project = Example();
    ASSERT_EQ(project.luminaires.Count(), 5);
    const std::vector<Vector> aims = {{10, 10, -5}, {-10, 10, -5}, {-8, -9, -5}, {6, -7, -5}};
    for (size_t i = 0; i < aims.size(); ++i) {
        project.luminaires.At(static_cast<int>(i)).ptAim = aims[i];
    }
    project.luminaires.At(4).road = RoadLightValues{"双侧对称", 30, 10, 0, 0.4};
    const std::string copy = folder.File("kept.col");
    ASSERT_TRUE(SaveProject(project, copy));
    const std::string points = Write(folder, "points.csv", "name,x,y,z\nA,30,20,0\nB,5,35,0\n");
    const std::string aim =
        Write(folder, "aim.csv", "x,y,z\n10,10,-5\n-10,10,-5\n-8,-9,-5\n6,-7,-5\n0,0,0\n");
    const nlohmann::json kept = CalcJson("flood " + copy + " --points " + points);
    EXPECT_EQ(kept, CalcJson("flood " + copy + " --points " + points + " --aim " + aim));
    const std::string one = Write(folder, "one.csv", "x,y,z\n10,10,-5\n");
    const nlohmann::json partial =
        CalcJson("flood " + copy + " --points " + points + " --aim " + one);
    EXPECT_EQ(partial["rows"][0], kept["rows"][0]);
    EXPECT_NE(partial["rows"][1]["eh"], kept["rows"][1]["eh"]); // aimed at 0,0,0 instead

    // The road light's kept values: the example's 26.94 lx without an entries file.
    const nlohmann::json road = CalcJson("road " + copy);
    EXPECT_EQ(road["e_shown"], "26.94");
    RoadLightingPanel panel;
    panel.Open(project);
    EXPECT_EQ(road["e"].get<double>(), panel.Illuminance());
    const std::string entries = Write(folder, "road.csv", "u\n0.2\n");
    EXPECT_EQ(CalcJson("road " + copy + " --entries " + entries)["e_shown"], "13.47");
}

// The example's road: 250 W high-pressure sodium lights (33200 lm) 30 m apart on both
// sides, opposite, U = 0.40, K = 0.7, across 23 m: E = φUKN/(SW) = 26.94 lx, the order a
// road of this kind gets. Without a utilization factor the light is named, not 0 lx
// silently.
TEST(OutdoorCli, ExampleRoadGivesItsIlluminance) {
    const std::string entries =
        std::string(QV_SOURCE_DIR) + "/data/examples/site_and_road.road.csv";
    const nlohmann::json json = CalcJson("road " + kExample + " --entries " + entries);
    EXPECT_NEAR(json["e"].get<double>(), 33200 * 0.40 * 0.7 * 2 / (30.0 * 23.0), 1e-9);
    EXPECT_EQ(json["e_shown"], "26.94");
    EXPECT_EQ(json["message"], "照度满足道路照度标准,不需增加灯具");
    ASSERT_EQ(json["entries"].size(), 1u);
    EXPECT_EQ(json["entries"][0]["n"], 2);

    const CalcRun bare = Calc("road " + kExample);
    EXPECT_EQ(bare.status, 0);
    EXPECT_NE(bare.out.find("请输入灯1(道路照明灯)的利用系数"), std::string::npos) << bare.out;
    // The pole height shown is the light's mounting height.
    EXPECT_NE(bare.out.find("双侧对称\t30\t10\t0\t0\t"), std::string::npos) << bare.out;
}

// The example's floodlights shine as their 32000 lm lamps can: every intensity read from
// the grids is at most the beam's peak, 59.2 kcd; no warning. The same grids in cd per
// 1000 lm give the same rows 31.25 times brighter, with a warning on stderr naming each
// floodlight, and exit 0.
TEST(OutdoorCli, FloodWarnsOfGridsBrighterThanTheirLamps) {
    TempDir folder;
    const std::string points = Write(folder, "points.csv", "name,x,y,z\nA,30,20,0\nB,10,5,0\n");
    const std::string aim = Write(folder, "aim.csv", "x,y,z\n20,20,0\n20,20,0\n20,20,0\n20,20,0\n");
    const std::string arguments = " --points " + points + " --aim " + aim + " --json";
    const std::string err = folder.File("err.txt");
    const auto [status, out] =
        test::RunShell(std::string(QV_CALC_PATH) + " flood " + kExample + arguments + " 2>" + err);
    ASSERT_EQ(status, 0);
    EXPECT_EQ(test::ReadFileText(err), "");
    const nlohmann::json json = nlohmann::json::parse(out);
    double peak = 0.0;
    for (const nlohmann::json& row : json["rows"]) {
        peak = std::max(peak, row["i"].get<double>());
    }
    EXPECT_GT(peak, 10000.0);
    EXPECT_LE(peak, 59200.0 + 1e-6);

    Project bright = Example();
    for (int i = 0; i < 4; ++i) {
        FloodIntensityTable& grid = bright.luminaires.At(i).floodTable;
        for (int node = 0; node < grid.Count(); ++node) {
            grid.At(node).dLampGq /= 0.032;
        }
    }
    const std::string copy = folder.File("bright.col");
    ASSERT_TRUE(SaveProject(bright, copy));
    const auto [brightStatus, brightOut] =
        test::RunShell(std::string(QV_CALC_PATH) + " flood " + copy + arguments + " 2>" + err);
    ASSERT_EQ(brightStatus, 0);
    const std::string warnings = test::ReadFileText(err);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_NE(
            warnings.find(KvStr::Format("投光灯%d.投光灯(TG-400 中光束)的等光强表积分光通量为", i)),
            std::string::npos)
            << warnings;
    }
    EXPECT_EQ(std::count(warnings.begin(), warnings.end(), '\n'), 4);
    const nlohmann::json brighter = nlohmann::json::parse(brightOut);
    ASSERT_EQ(brighter["rows"].size(), json["rows"].size());
    EXPECT_NEAR(brighter["rows"][0]["eh"].get<double>(),
                json["rows"][0]["eh"].get<double>() / 0.032,
                1e-9 * brighter["rows"][0]["eh"].get<double>());
}

// The unit-capacity method on the example before η and U1 are entered: nothing to show.
TEST(OutdoorCli, FloodCapacitySaysNothingIsCalculatedYet) {
    const nlohmann::json json = CalcJson("floodcap " + kExample + " --emin 25");
    EXPECT_EQ(json["e_shown"], "—");
    EXPECT_EQ(json["message"], "尚未计算：请输入各灯的灯具效率、照度均匀度");
    EXPECT_EQ(json["lpd2_label"], "折算功率密度w/m2");
}

TEST(OutdoorCli, BadInputNamesItsPlace) {
    TempDir folder;
    const std::string points = Write(folder, "points.csv", "name,x,y,z\nA,1,x,0\n");
    CalcRun run = Calc("flood " + kExample + " --points " + points);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("points.csv:2"), std::string::npos) << run.out;

    const std::string many = Write(folder, "many.csv", "count\n1\n1\n1\n1\n1\n");
    run = Calc("floodcap " + kExample + " --emin 1 --entries " + many);
    EXPECT_EQ(run.status, 1);
    // An aiming row more than the project has luminaires (5) aims nothing: refused too.
    const std::string good = Write(folder, "good.csv", "name,x,y,z\nA,1,1,0\n");
    const std::string sixAims =
        Write(folder, "aims.csv", "x,y,z\n0,0,0\n0,0,0\n0,0,0\n0,0,0\n0,0,0\n0,0,0\n");
    run = Calc("flood " + kExample + " --points " + good + " --aim " + sixAims);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("aims.csv: 6 rows for 5 luminaire entries"), std::string::npos)
        << run.out;
    const std::string bad = Write(folder, "bad.csv", "spacing\nabc\n");
    run = Calc("road " + kExample + " --entries " + bad);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("bad.csv:2"), std::string::npos) << run.out;

    const std::string indoor = std::string(QV_SOURCE_DIR) + "/data/examples/office.cil";
    EXPECT_EQ(Calc("road " + indoor).status, 1);
    EXPECT_EQ(Calc("floodcap " + kExample).status, 2);
    EXPECT_EQ(Calc("flood " + kExample + " --points " + points + " --passes 3").status, 2);
}

} // namespace
} // namespace qv
