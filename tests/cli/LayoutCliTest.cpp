// quorvel-calc layout on the office example: the positions written to the new project
// against their formulas, the templates (a luminaire of the project, a catalogue type),
// keeping the existing luminaires, and the refusals.
#include "cli/CalcRunner.h"
#include "model/ProjectFile.h"
#include "model/ProjectTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace qv::test {
namespace {

const std::string kOffice = std::string(QV_SOURCE_DIR) + "/data/examples/office.cil";
// The office: 12 m × 7.2 m from the origin, working plane 0.75 m, eight luminaires of
// "格栅荧光灯盘" at 3 m.
constexpr double kLength = 12.0;
constexpr double kWidth = 7.2;
constexpr double kExact = 1e-9;
// The project file keeps three decimals of a position.
constexpr double kFileDecimals = 5e-4;

Project Written(const std::string& path) {
    Project project;
    EXPECT_TRUE(LoadProject(path, project)) << path;
    return project;
}

std::string Layout(const TempDir& dir, const std::string& options) {
    return "layout " + kOffice + " " + options + " --out " + dir.File("out.cil");
}

TEST(LayoutCli, MarginsPlaceTheArrayRowByRowInTheJsonAndTheNewProject) {
    TempDir dir;
    const nlohmann::json json =
        RunCalcJson(Layout(dir, "--rows 3 --cols 4 --margin-x 1.5 --margin-y 0.7 --like 2 "
                                "--rotate 90 --height 2.8"));
    EXPECT_EQ(json["rows"], 3);
    EXPECT_EQ(json["cols"], 4);
    EXPECT_EQ(json["count"], 12);
    ASSERT_EQ(json["luminaires"].size(), 12u);
    const Project project = Written(dir.File("out.cil"));
    ASSERT_EQ(project.luminaires.Count(), 12);
    EXPECT_EQ(project.room.outline.size(), 4u); // the room is kept
    EXPECT_EQ(project.room.dLxStandard, 500);
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 4; ++j) {
            const int n = i * 4 + j;
            const double x = 1.5 + j * (kLength - 2 * 1.5) / 3;
            const double y = 0.7 + i * (kWidth - 2 * 0.7) / 2;
            const nlohmann::json& entry = json["luminaires"][static_cast<size_t>(n)];
            EXPECT_NEAR(entry["x"].get<double>(), x, kExact);
            EXPECT_NEAR(entry["y"].get<double>(), y, kExact);
            EXPECT_EQ(entry["z"].get<double>(), 2.8);
            EXPECT_EQ(entry["rotate_z"].get<double>(), 90);
            EXPECT_EQ(entry["name"], "格栅荧光灯盘");
            const Luminaire& written = project.luminaires.At(n);
            EXPECT_NEAR(written.ptCenter.x, x, kFileDecimals);
            EXPECT_NEAR(written.ptCenter.y, y, kFileDecimals);
            EXPECT_EQ(written.Rotate.z, 90);
        }
    }
}

TEST(LayoutCli, EvenIsTheDefaultAndOneLineStandsOnTheCentre) {
    TempDir dir;
    // Values with three decimals at most, so that the file keeps them exactly.
    RunCalcJson(Layout(dir, "--rows 2 --cols 5 --like 1"));
    Project project = Written(dir.File("out.cil"));
    ASSERT_EQ(project.luminaires.Count(), 10);
    for (int n = 0; n < 10; ++n) {
        const Vector& p = project.luminaires.At(n).ptCenter;
        EXPECT_NEAR(p.x, (n % 5 + 0.5) * kLength / 5, kExact);
        EXPECT_NEAR(p.y, (n / 5 + 0.5) * kWidth / 2, kExact);
        EXPECT_EQ(p.z, 3); // the template's height
    }
    RunCalcJson(Layout(dir, "--rows 1 --cols 1 --margin-x 6 --margin-y 3.6 --like 1"));
    project = Written(dir.File("out.cil"));
    ASSERT_EQ(project.luminaires.Count(), 1);
    EXPECT_NEAR(project.luminaires.At(0).ptCenter.x, 6, kExact);
    EXPECT_NEAR(project.luminaires.At(0).ptCenter.y, 3.6, kExact);
    // One row between margins: the row on the centre line, the columns from the walls.
    // --even with margins is a usage error.
    EXPECT_EQ(
        RunCalc(Layout(dir, "--rows 1 --cols 3 --margin-x 2 --margin-y 1 --like 1 --even")).first,
        2);
    const auto [status, out] =
        RunCalc(Layout(dir, "--rows 1 --cols 3 --margin-x 2 --margin-y 1 --like 1"));
    ASSERT_EQ(status, 0) << out;
    project = Written(dir.File("out.cil"));
    ASSERT_EQ(project.luminaires.Count(), 3);
    EXPECT_NEAR(project.luminaires.At(1).ptCenter.x, 6, kExact);
    EXPECT_NEAR(project.luminaires.At(2).ptCenter.x, 10, kExact);
    EXPECT_NEAR(project.luminaires.At(2).ptCenter.y, 3.6, kExact);
    EXPECT_NE(out.find("1 行 × 3 列, 3 盏"), std::string::npos) << out;
}

TEST(LayoutCli, CatalogueTypeHangsAboveTheWorkingPlaneAndAddKeepsTheOthers) {
    TempDir dir;
    const nlohmann::json json =
        RunCalcJson(Layout(dir, "--rows 1 --cols 2 --type 双管荧光灯 --model '2x36W T8' --add "
                                "--catalogue " QV_CATALOGUE_PATH));
    EXPECT_EQ(json["count"], 2);
    const Project project = Written(dir.File("out.cil"));
    ASSERT_EQ(project.luminaires.Count(), 10);
    EXPECT_EQ(project.luminaires.At(0).sName, "格栅荧光灯盘");
    const Luminaire& added = project.luminaires.At(9);
    EXPECT_EQ(added.sName, "双管荧光灯");
    EXPECT_EQ(added.sModel, "2x36W T8");
    EXPECT_FALSE(added.curveA.Rows().empty()); // the type's tables came along
    EXPECT_NEAR(added.ptCenter.z, 0.75 + 2.2, kExact);
    EXPECT_NEAR(added.ptCenter.x, 9, kExact);

    // The new project loads as any other.
    const auto [status, shown] = RunCalc("show " + dir.File("out.cil"));
    EXPECT_EQ(status, 0) << shown;
    EXPECT_NE(shown.find("双管荧光灯"), std::string::npos);
}

TEST(LayoutCli, RefusesBadInputAndWritesNothing) {
    TempDir dir;
    const auto refused = [&dir](const std::string& options, const std::string& expected) {
        const auto [status, out] = RunCalc(Layout(dir, options));
        EXPECT_EQ(status, 1) << options << ": " << out;
        EXPECT_NE(out.find(expected), std::string::npos) << options << ": " << out;
        EXPECT_FALSE(std::filesystem::exists(dir.File("out.cil"))) << options;
    };
    refused("--rows 0 --cols 3 --like 1", "行数应为不小于1的整数");
    refused("--rows 400 --cols 400 --like 1", "行数与列数之积不应超过100000");
    refused("--rows 2.5 --cols 3 --like 1", "--rows");
    refused("--rows x --cols 3 --like 1", "--rows");
    refused("--rows 2 --cols 3 --margin-x 6 --margin-y 1 --like 1", "X方向距墙距离应小于");
    refused("--rows 2 --cols 3 --margin-x 1 --margin-y -1 --like 1", "Y方向距墙距离应为不小于0");
    refused("--rows 2 --cols 3 --margin-x nan --margin-y 1 --like 1", "--margin-x");
    refused("--rows 2 --cols 3 --height inf --like 1", "--height");
    refused("--rows 2 --cols 3 --height 1e9 --like 1", "安装高度");
    refused("--rows 2 --cols 3 --like 9", "no luminaire 9");
    refused("--rows 2 --cols 3 --like 0", "no luminaire 0");
    refused("--rows 2 --cols 3 --type 双管荧光灯 --model none --catalogue " QV_CATALOGUE_PATH,
            "数据库中不存在灯具类型");

    for (const std::string usage : {"--rows 2 --cols 3", "--rows 2 --cols 3 --like 1 --margin-x 1",
                                    "--rows 2 --cols 3 --type 双管荧光灯", "--cols 3 --like 1",
                                    "--rows 2 --cols 3 --like 1 --type a --model b"}) {
        EXPECT_EQ(RunCalc(Layout(dir, usage)).first, 2) << usage;
    }
    const auto [status, out] = RunCalc("layout " + dir.File("missing.cil") +
                                       " --rows 1 --cols 1 --like 1 --out " + dir.File("out.cil"));
    EXPECT_EQ(status, 1) << out;
}

} // namespace
} // namespace qv::test
