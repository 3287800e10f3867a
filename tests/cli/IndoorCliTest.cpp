// quorvel-calc point, cu and lpd on a small saved project: the JSON repeats the core's
// numbers bit for bit, the CSV and option errors name their place, the project file is
// never written.
#include "calc/common/PowerDensity.h"
#include "calc/indoor/LumenMethod.h"
#include "calc/indoor/PointIlluminance.h"
#include "model/FormatTruncated.h"
#include "model/ProjectFile.h"

#include "cli/CalcRunner.h"
#include "model/ProjectTestSupport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace qv {
namespace {

using test::RunCalc;
using test::RunCalcJson;
using test::TempDir;

Luminaire Fitting(Vector position, Rotation rotation, double length) {
    Luminaire luminaire;
    luminaire.sName = length < 0.5 ? "筒灯" : "荧光灯";
    luminaire.sModel = "M-" + std::to_string(int(length * 10));
    luminaire.ptCenter = position;
    luminaire.Rotate = rotation;
    luminaire.geometricShape.dLength = length;
    luminaire.nLuminousFlux = 3300;
    luminaire.dVindicate = 0.75;
    luminaire.lamp1.dPower = 36;
    luminaire.lamp1.dBallastPower = 9;
    for (const double a : {0.0, 15.0, 30.0, 45.0, 60.0, 75.0, 90.0}) {
        luminaire.curveA.Append({a, 250 * std::cos(a * kDegToRad)});
        luminaire.curveB.Append({a, 250 * std::pow(std::cos(a * kDegToRad), 2) + 1});
    }
    for (const double rcr : {1.0, 3.0, 5.0}) {
        luminaire.cuTable.Append({70, 50, 20, rcr, 0.7 - 0.05 * rcr});
        luminaire.cuTable.Append({70, 30, 20, rcr, 0.6 - 0.05 * rcr});
    }
    return luminaire;
}

// A 6 m × 4 m room with two downlights and two fluorescent luminaires, one turned.
std::string SaveOffice(const TempDir& folder) {
    Project project;
    project.kind = kIndoorProject;
    project.room.outline = {{0, 0, 0}, {6, 0, 0}, {6, 4, 0}, {0, 4, 0}};
    project.room.dWorkHeight = 0.75;
    project.room.dReflectTop = 70;
    project.room.dReflectWall = 50;
    project.room.dReflectFloor = 20;
    project.room.dWinInWall = 35;
    project.room.dLxStandard = 300;
    project.luminaires.Add(Fitting({1.5, 1, 3}, {}, 0.2));
    project.luminaires.Add(Fitting({4.5, 1, 3}, {0, 0, 90}, 1.2));
    project.luminaires.Add(Fitting({1.5, 3, 3}, {10, -5, 30}, 1.2));
    project.luminaires.Add(Fitting({4.5, 3, 2.8}, {}, 0.3));
    const std::string path = folder.File("office.cil");
    EXPECT_TRUE(SaveProject(project, path));
    return path;
}

Project Load(const std::string& path) {
    Project project;
    LoadOptions options;
    options.writeBack = false;
    EXPECT_TRUE(LoadProject(path, project, options));
    return project;
}

TEST(IndoorCli, PointRepeatsTheCoreCalculation) {
    const TempDir folder;
    const std::string project = SaveOffice(folder);
    const std::string before = test::ReadFileText(project);
    test::WriteFileText(folder.File("p.csv"), "\xEF\xBB\xBFz,x,y,name,rx\r\n"
                                              "0.75,3,2,A1,\r\n"
                                              "\r\n"
                                              "0.8,1.25,0.5,,15\r\n"
                                              "0.75,\"5.5\",3.75,A1,-20\r\n"
                                              "0.75,9,2,\"out, side\",0\r\n");
    const nlohmann::json out =
        RunCalcJson("point " + project + " --points " + folder.File("p.csv"));

    Project loaded = Load(project);
    std::vector<CalcPoint> points = {{"A1", {3, 2, 0.75}, {}},
                                     {"P2", {1.25, 0.5, 0.8}, {15, 0, 0}},
                                     {"A2", {5.5, 3.75, 0.75}, {-20, 0, 0}},
                                     {"out, side", {9, 2, 0.75}, {}}};
    const std::vector<int> types = CalculatePoints(points, loaded.room.outline, loaded.luminaires);
    ASSERT_EQ(out["points"].size(), points.size());
    for (size_t i = 0; i < points.size(); ++i) {
        const nlohmann::json& row = out["points"][i];
        EXPECT_EQ(row["name"], points[i].name);
        EXPECT_EQ(row["rx"], points[i].rotation.x);
        EXPECT_EQ(row["intensity"], points[i].dIntensity);
        EXPECT_EQ(row["eh"], points[i].dEh);
        EXPECT_EQ(row["ev"], points[i].dEv);
        EXPECT_EQ(row["ei"], points[i].dEi);
    }
    EXPECT_GT(points[0].dEh, 100);
    EXPECT_EQ(out["points"][3]["eh"], 0);
    ASSERT_EQ(out["luminaires"].size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(out["luminaires"][i]["index"], i + 1);
        EXPECT_EQ(out["luminaires"][i]["linear_type"], types[static_cast<size_t>(i)]);
        EXPECT_EQ(out["luminaires"][i]["last"], loaded.luminaires.At(i).dLastContribution);
    }
    EXPECT_EQ(out["luminaires"][1]["name"], "荧光灯");
    EXPECT_EQ(test::ReadFileText(project), before); // read only

    const auto [status, table] = RunCalc("point " + project + " --points " + folder.File("p.csv"));
    EXPECT_EQ(status, 0);
    EXPECT_NE(table.find("点名称\tX轴位置"), std::string::npos) << table;
    EXPECT_NE(table.find("out, side\t9\t2\t0.75\t0\t0\t0\t0.00\t0.00\t0.00\n"), std::string::npos);
}

// A points file of 20000 rows of one name is named A, A1 … A19999 without the search
// growing with the cube of the rows.
TEST(IndoorCli, ManyPointsOfOneNameAreNamedInLinearTime) {
    const TempDir folder;
    const std::string project = SaveOffice(folder);
    std::string csv = "name,x,y,z\n";
    for (int i = 0; i < 20000; ++i) {
        csv += "A,1,1,0.75\n";
    }
    test::WriteFileText(folder.File("many.csv"), csv);
    const nlohmann::json out =
        RunCalcJson("point " + project + " --points " + folder.File("many.csv"));
    ASSERT_EQ(out["points"].size(), 20000u);
    EXPECT_EQ(out["points"][0]["name"], "A");
    EXPECT_EQ(out["points"][19999]["name"], "A19999");
    EXPECT_EQ(out["points"][1]["eh"], out["points"][19999]["eh"]);
}

TEST(IndoorCli, LumenMethodAndPowerDensity) {
    const TempDir folder;
    const std::string project = SaveOffice(folder);
    const Project loaded = Load(project);
    const nlohmann::json out = RunCalcJson("cu " + project);
    const LumenMethodResult core = AverageIlluminanceByCu(loaded.room, loaded.luminaires, {});
    EXPECT_EQ(out["e"], core.e);
    EXPECT_EQ(out["rcr"], 4.6875);
    EXPECT_EQ(out["rho_w"], core.cavity.rhoW);
    EXPECT_EQ(out["area"], 24);
    EXPECT_EQ(out["lpd"], 7.5);
    EXPECT_EQ(out["message"], "照度不满足房间照度标准，需增加灯具");
    EXPECT_EQ(out["lpd2_label"], "折算功率密度w/m2");
    EXPECT_EQ(out["lpd2"], ShowSecondDensity(7.5, core.e, 300).second);
    ASSERT_EQ(out["entries"].size(), 4u);
    EXPECT_EQ(out["entries"][1], (nlohmann::json{{"name", "荧光灯"},
                                                 {"model", "M-12"},
                                                 {"u", core.entries[1].u},
                                                 {"count", 1},
                                                 {"needed", core.entries[1].needed}}));

    const nlohmann::json more = RunCalcJson("cu " + project + " --counts 3,2,2");
    const LumenMethodResult counted =
        AverageIlluminanceByCu(loaded.room, loaded.luminaires, {3, 2, 2});
    EXPECT_EQ(more["e"], counted.e);
    EXPECT_EQ(more["e_shown"], FormatTruncated(counted.e, 2));
    EXPECT_EQ(more["entries"][0]["count"], 3);
    EXPECT_EQ(more["entries"][3]["count"], 1);
    EXPECT_EQ(more["message"], "照度满足房间照度标准,不需增加灯具");
    EXPECT_EQ(more["lpd2_label"], "标准功率密度w/m2");

    EXPECT_EQ(RunCalcJson("lpd " + project),
              (nlohmann::json{{"lpd", 7.5}, {"message", "当前房间的功率密度为 7.50 w/m2"}}));
    EXPECT_EQ(RunCalc("lpd " + project),
              std::make_pair(0, std::string("当前房间的功率密度为 7.50 w/m2\n")));
}

TEST(IndoorCli, BadInputNamesTheFileLineOrOption) {
    const TempDir folder;
    const std::string project = SaveOffice(folder);
    const std::string csv = folder.File("bad.csv");
    auto point = [&](const std::string& text) {
        test::WriteFileText(csv, text);
        return RunCalc("point " + project + " --points " + csv);
    };
    const std::string prefix = "quorvel-calc point: " + csv;
    EXPECT_EQ(point("name,x,y\nA,1,2\n"), std::make_pair(1, prefix + ":1: missing column \"z\"\n"));
    EXPECT_EQ(point("name,x,y,z\nA,1,2,0\nB,1,two,0\n"),
              std::make_pair(1, prefix + ":3: column \"y\": \"two\" is not a number\n"));
    EXPECT_EQ(point("name,x,y,z,w\n"), std::make_pair(1, prefix + ":1: unknown column \"w\"\n"));
    EXPECT_EQ(point("name,x,y,z\nA,1,2\n"),
              std::make_pair(1, prefix + ":2: 3 fields, the header has 4 columns\n"));
    EXPECT_EQ(point("name,x,y,z\n\"A,1,2,0\n"),
              std::make_pair(1, prefix + ":2: a quoted field is not closed\n"));
    EXPECT_EQ(point("name,x,y,z\nA,1,2,nan\n").first, 1);
    EXPECT_EQ(RunCalc("point " + project + " --points " + folder.File("none.csv")).first, 1);
    EXPECT_EQ(RunCalc("point " + project).first, 2);

    EXPECT_EQ(RunCalc("cu " + project + " --counts 1,x"),
              std::make_pair(1, std::string("option --counts: \"x\" is not a whole number\n")));
    EXPECT_EQ(RunCalc("cu " + project + " --counts 1,1,1,1,1").first, 1);
    EXPECT_EQ(RunCalc("lpd " + folder.File("missing.cil")).first, 1);
    EXPECT_FALSE(std::filesystem::exists(folder.File("missing.cil")));

    Project outdoor = Load(project);
    outdoor.kind = kOutdoorProject;
    ASSERT_TRUE(SaveProject(outdoor, folder.File("site.col")));
    EXPECT_EQ(RunCalc("cu " + folder.File("site.col")).first, 1);
}

} // namespace
} // namespace qv
