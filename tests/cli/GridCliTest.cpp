// quorvel-calc grid, spherical and cylindrical on a saved project: the JSON repeats the
// panels' numbers bit for bit whatever the thread count, options are checked, the
// project file is never written.
#include "model/ProjectFile.h"
#include "panels/GridPanel.h"
#include "panels/ScalarIlluminancePanel.h"

#include "calc/GridFittings.h"
#include "model/ProjectTestSupport.h"

#include "cli/CalcRunner.h"

#include <kelvorin/KvFile.h>
#include <kelvorin/KvStr.h>

#include <filesystem>
#include <tuple>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace qv {
namespace {

using test::TempDir;

using test::RunCalc;
using test::RunCalcJson;

// An L-shaped room with a mixed set of luminaires.
Project Office() {
    Project project;
    project.kind = kIndoorProject;
    project.room.outline = {{0, 0, 0}, {8, 0, 0}, {8, 3, 0}, {5, 3, 0}, {5, 5, 0}, {0, 5, 0}};
    project.room.dWorkHeight = 0.75;
    project.room.dReflectTop = 70;
    project.room.dReflectWall = 50;
    project.room.dReflectFloor = 20;
    project.luminaires = test::GridFittings(6, 8, 5, 3.0);
    return project;
}

TEST(GridCli, GridRepeatsThePanelForAnyThreadCount) {
    const TempDir folder;
    const Project project = Office();
    const std::string path = folder.File("office.cil");
    ASSERT_TRUE(SaveProject(project, path));
    const std::string before = test::ReadFileText(path);
    Project loaded;
    LoadOptions options;
    options.writeBack = false;
    ASSERT_TRUE(LoadProject(path, loaded, options));
    GridPanel panel;
    panel.density = 30;
    ASSERT_TRUE(panel.CalculateHorizontal(loaded.room, loaded.luminaires));

    const nlohmann::json one =
        RunCalcJson("grid " + path + " --density 30 --with-points --threads 1");
    const nlohmann::json two =
        RunCalcJson("grid " + path + " --density 30 --with-points --threads 2");
    EXPECT_EQ(one, two);
    EXPECT_EQ(one["kind"], "horizontal");
    ASSERT_EQ(one["count"], panel.Points().size());
    EXPECT_EQ(one["avg"], panel.Statistics().average);
    EXPECT_EQ(one["avg_shown"], panel.avgText);
    EXPECT_EQ(one["uniformity"], panel.uniformity);
    EXPECT_EQ(one["uniformity_shown"], panel.UniformityText());
    // U0 = Emin/Eav of the shown values, the standards' uniformity.
    EXPECT_EQ(one["u0"], panel.u0);
    EXPECT_EQ(one["u0_shown"], panel.U0Text());
    EXPECT_NEAR(panel.u0, KvStr::Atof(panel.minText) / KvStr::Atof(panel.avgText), 1e-3);
    EXPECT_LT(panel.u0, 1.0);
    EXPECT_EQ(one["lpd2_label"], panel.lpd2Label);
    EXPECT_EQ(one["interval"], panel.interval);
    EXPECT_EQ(one["legend"].size(), panel.Legend().size());
    EXPECT_EQ(one["points"][7]["eh"], panel.Points()[7].dEh);
    EXPECT_EQ(one["points"][7]["x"], panel.Points()[7].position.x);

    const nlohmann::json vertical =
        RunCalcJson("grid " + path + " --density 20 --vertical 7,1,1,1 --side 1");
    EXPECT_EQ(vertical["kind"], "vertical");
    EXPECT_FALSE(vertical.contains("points"));
    EXPECT_EQ(vertical["lpd"], 0);
    EXPECT_EQ(vertical["uniformity_shown"], "—");
    EXPECT_EQ(vertical["u0_shown"], "—");
    // A vertical run after a horizontal one: the working plane's uniformities go.
    panel.startX = 7;
    panel.startY = 1;
    panel.endX = 1;
    panel.endY = 1;
    ASSERT_TRUE(panel.CalculateVertical(loaded.room, loaded.luminaires));
    EXPECT_EQ(panel.uniformity, 0.0);
    EXPECT_EQ(panel.u0, 0.0);
    EXPECT_EQ(panel.UniformityText(), "—");
    EXPECT_EQ(panel.U0Text(), "—");
    ASSERT_TRUE(panel.CalculateHorizontal(loaded.room, loaded.luminaires));
    EXPECT_EQ(panel.U0Text(), one["u0_shown"]);
    const nlohmann::json none = RunCalcJson("grid " + path + " --vertical 20,20,30,20");
    EXPECT_EQ(none, (nlohmann::json{{"kind", "vertical"}, {"count", 0}}));

    EXPECT_EQ(RunCalc("grid " + path + " --vertical 1,2,3").first, 1);
    EXPECT_EQ(RunCalc("grid " + path + " --vertical 1,2,x,4").first, 1);
    EXPECT_EQ(RunCalc("grid " + path + " --density 100000").first, 1);
    EXPECT_EQ(RunCalc("grid " + path + " --side 2").first, 2);
    EXPECT_EQ(RunCalc("grid " + folder.File("missing.cil")).first, 1);
    EXPECT_EQ(test::ReadFileText(path), before);
}

TEST(GridCli, PictureIsWrittenAsPngOrSvgByItsExtension) {
    const TempDir folder;
    const std::string office = std::string(QV_SOURCE_DIR) + "/data/examples/office.cil";
    const std::string png = folder.File("office.PNG");
    const std::string svg = folder.File("office.svg");
    auto [status, out] = RunCalc("grid " + office + " --density 60 --picture " + png);
    EXPECT_EQ(status, 0) << out;
    std::string bytes;
    ASSERT_EQ(KvFile::ReadAll(png, bytes), KvFileRead::Ok);
    EXPECT_EQ(bytes.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    std::tie(status, out) = RunCalc("grid " + office + " --vertical 0,3.6,12,3.6 --picture " + svg);
    EXPECT_EQ(status, 0) << out;
    ASSERT_EQ(KvFile::ReadAll(svg, bytes), KvFileRead::Ok);
    EXPECT_NE(bytes.find("垂直照度等照度图"), std::string::npos);
    EXPECT_NE(bytes.find("class=\"isolux-label\""), std::string::npos);

    // Another format is refused before the run; a file that cannot be written is bad
    // input and the old picture stays.
    std::tie(status, out) = RunCalc("grid " + office + " --picture " + folder.File("a.jpg"));
    EXPECT_EQ(status, 2);
    EXPECT_NE(out.find(".png or .svg"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder.File("a.jpg")));
    std::tie(status, out) = RunCalc("grid " + office + " --picture " + folder.File("no/x.png"));
    EXPECT_EQ(status, 1);
    EXPECT_NE(out.find("cannot write the picture"), std::string::npos);
}

TEST(GridCli, SphericalAndCylindricalTakeKsPerEntry) {
    const TempDir folder;
    const std::string path = folder.File("office.cil");
    ASSERT_TRUE(SaveProject(Office(), path));
    Project loaded;
    LoadOptions options;
    options.writeBack = false;
    ASSERT_TRUE(LoadProject(path, loaded, options));
    ScalarIlluminancePanel panel(kCylindrical);
    panel.Open(loaded.luminaires);
    panel.EditCell(0, ScalarIlluminancePanel::kKs, "0.7");
    panel.EditCell(1, ScalarIlluminancePanel::kKs, "1.25");

    for (int row = 2; row < 6; ++row) {
        panel.EditCell(row, ScalarIlluminancePanel::kKs, "0.5");
    }
    ASSERT_FALSE(panel.Calculate(loaded.room, loaded.luminaires));

    const nlohmann::json out =
        RunCalcJson("cylindrical " + path + " --ks 0.7,1.25,0.5,0.5,0.5,0.5");
    EXPECT_EQ(out["result"], panel.Result());
    EXPECT_EQ(out["result_shown"], panel.ResultText());
    EXPECT_EQ(out["eh_shown"], panel.HorizontalText());
    EXPECT_EQ(out["header"], panel.Header());
    ASSERT_EQ(out["entries"].size(), 6u);
    EXPECT_EQ(out["entries"][1]["ks"], 1.25);
    EXPECT_EQ(out["entries"][1]["u"], panel.Entries()[1].u);
    EXPECT_EQ(RunCalc("spherical " + path + " --ks 1,2,3,4,5,6,7").first, 1);
    EXPECT_EQ(RunCalc("spherical " + path + " --ks 1,abc").first, 1);
    // Every entry needs a Ks above 0 read off the chart: the entry without one is named.
    const std::string name = loaded.luminaires.At(0).sName;
    for (const char* kind : {"spherical ", "cylindrical "}) {
        const auto [none, noneText] = RunCalc(kind + path + " --json");
        EXPECT_EQ(none, 1);
        EXPECT_NE(noneText.find("请输入灯1的换算系数Ks (entry 1, " + name), std::string::npos)
            << noneText;
        EXPECT_EQ(noneText.find('{'), std::string::npos); // no JSON for a refused run
        for (const char* ks : {"0.5,0.5,0.5,0,0.5,0.5", "0.5,0.5,0.5,-0.2,0.5,0.5",
                               "0.5,0.5,0.5,1e300,0.5,0.5", "0.5,0.5,0.5"}) {
            const auto [status, text] = RunCalc(kind + path + " --ks " + ks);
            EXPECT_EQ(status, 1) << ks;
            EXPECT_NE(text.find("请输入灯4的换算系数Ks (entry 4, "), std::string::npos) << text;
        }
    }
}

} // namespace
} // namespace qv
