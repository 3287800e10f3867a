// quorvel-calc catalogue and add-luminaire: listing the built catalogue, placing its
// luminaires in a project, and the illuminance the placed luminaires then give.
#include "catalogue/CatalogueTestSupport.h"
#include "cli/CalcRunner.h"

#include "model/ProjectFile.h"

#include <kelvorin/KvStr.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include <fstream>

namespace qv::test {
namespace {

using Json = nlohmann::json;

Json RunJson(std::vector<std::string> arguments) {
    arguments.push_back("--json");
    const auto [status, out] = RunCalcQuoted(arguments);
    EXPECT_EQ(status, 0) << out;
    return Json::parse(out, nullptr, false);
}

class CatalogueCliTest : public CatalogueTest {
protected:
    std::string File(const std::string& name) const { return (folder / name).string(); }
    // The example office with its luminaires taken out.
    std::string EmptyOffice() {
        Project office;
        EXPECT_TRUE(LoadProject(QV_SOURCE_DIR "/data/examples/office.cil", office, {false}));
        office.luminaires.Clear();
        EXPECT_TRUE(SaveProject(office, File("office.cil")));
        return File("office.cil");
    }
};

TEST_F(CatalogueCliTest, ListsTheCatalogue) {
    const Json lamps = RunJson({"catalogue", "lamps", "--catalogue", path});
    ASSERT_EQ(lamps["lamps"].size(), 95u);
    // A catalogue named relative to the working folder.
    const std::string relative =
        std::filesystem::relative(path, std::filesystem::current_path()).string();
    ASSERT_NE(relative.front(), '/');
    EXPECT_EQ(RunJson({"catalogue", "lamps", "--catalogue", relative})["lamps"].size(), 95u);
    const Json types = RunJson({"catalogue", "types"});
    ASSERT_EQ(types["types"].size(), 22u);
    for (const Json& type : types["types"]) {
        EXPECT_GT(type["curve_rows"].get<int>(), 0) << type["name"];
    }
    const Json standards = RunJson({"catalogue", "standards"});
    EXPECT_EQ(standards["edition"], "GB/T 50034-2024");
    EXPECT_EQ(standards["edition_title"], "建筑照明设计标准");
    ASSERT_EQ(standards["categories"].size(), 41u);
    const Json& office = standards["categories"][5];
    EXPECT_EQ(office["name"], "办公建筑");
    EXPECT_EQ(office["places"][0], (Json{{"name", "普通办公室"},
                                         {"lux", 300.0},
                                         {"lpd_current", nullptr},
                                         {"lpd_target", 6.5},
                                         {"ugr", 19.0},
                                         {"ra", 80.0},
                                         {"plane", "0.75m水平面"},
                                         {"u0", 0.6}}));
    EXPECT_TRUE(office["places"][4]["ugr"].is_null()); // 接待室、前台
    const Json reflectances = RunJson({"catalogue", "reflectances"});
    EXPECT_EQ(reflectances["reflectances"].size(), 50u);
    EXPECT_EQ(reflectances["reflectances"][0],
              (Json{{"material", "粉刷"}, {"colour", "无"}, {"reflectance", 75.0}}));

    EXPECT_EQ(RunCalcQuoted({"catalogue", "lamps", "--catalogue", File("none.db")}).first, 1);
    EXPECT_EQ(RunCalcQuoted({"catalogue", "fixtures"}).first, 2);
}

TEST_F(CatalogueCliTest, PlacedLuminairesCarryTheCatalogueAndLightTheRoom) {
    const std::string room = EmptyOffice();
    for (const double y : {1.8, 5.4}) {
        for (const double x : {1.5, 4.5, 7.5, 10.5}) {
            const Json added =
                RunJson({"add-luminaire", room, "--name", "嵌入式格栅荧光灯", "--model", "3x28W T5",
                         "--lamp", "T5荧光灯,T5 28W (例题),28", "--count", "3", "--at",
                         KvStr::Format("%g,%g,3", x, y)});
            EXPECT_EQ(added["nLuminousFlux"], 7980);
        }
    }
    Project project;
    ASSERT_TRUE(LoadProject(room, project, {false}));
    ASSERT_EQ(project.luminaires.Count(), 8);
    const Luminaire& first = project.luminaires.At(0);
    EXPECT_EQ(first.sModulusTable, "利用系数_格栅荧光灯_3x28W_T5");
    EXPECT_EQ(first.cuTable.Count(), 54);
    EXPECT_EQ(first.curveA.Count(), 5);
    EXPECT_EQ(first.lamp1.nCount, 3);
    EXPECT_EQ(first.lamp1.nLuminousFlux, 2660);
    EXPECT_DOUBLE_EQ(first.geometricShape.dLength, 1.163);
    EXPECT_EQ(project.luminaires.At(7).ptCenter, (Vector{10.5, 5.4, 3}));

    if (RunCalcQuoted({"cu", "--help"}).first != 0 ||
        RunCalcQuoted({"point", "--help"}).first != 0) {
        GTEST_SKIP() << "quorvel-calc has no point or cu command";
    }
    // Lumen method: 8 × 7980 lm on 86.4 m² with K 0.7 and the CU of the catalogue's table
    // at RCR 2.5.
    const Json cu = RunJson({"cu", room});
    EXPECT_NEAR(cu["entries"][0]["u"].get<double>(), 0.56, 0.01);
    EXPECT_NEAR(cu["e"].get<double>(), 8 * 7980 * 0.7 * cu["entries"][0]["u"].get<double>() / 86.4,
                0.5);
    // Point method at the middle of the working plane.
    std::ofstream(File("points.csv")) << "name,x,y,z\nmiddle,6,3.6,0.75\ncorner,0.5,0.5,0.75\n";
    const Json points = RunJson({"point", room, "--points", File("points.csv")});
    const double middle = points["points"][0]["eh"].get<double>();
    EXPECT_GT(middle, 300.0);
    EXPECT_LT(middle, 700.0);
    EXPECT_LT(points["points"][1]["eh"].get<double>(), middle);
}

TEST_F(CatalogueCliTest, NewProjectsAndRefusals) {
    const std::string site = File("site.col");
    const Json added =
        RunJson({"add-luminaire", site, "--name", "投光灯", "--model", "窄光束 MH400W", "--lamp",
                 "金属卤化物灯,400W (例题13-31),400", "--lamp2",
                 "金属卤化物灯,400W (例题13-11),400.0", "--at", "0,0,12", "--rotate", "0,0,45"});
    EXPECT_EQ(added["kind"], 1);
    EXPECT_EQ(added["flood_rows"], 29 * 29);
    EXPECT_EQ(added["nLuminousFlux"], 68000);
    Project project;
    ASSERT_TRUE(LoadProject(site, project, {false}));
    EXPECT_EQ(project.kind, kOutdoorProject);
    EXPECT_EQ(project.luminaires.At(0).bLampHouse2, 1);
    EXPECT_EQ(project.luminaires.At(0).floodTable.Count(), 29 * 29);
    EXPECT_EQ(project.luminaires.At(0).Rotate, (Rotation{0, 0, 45}));

    std::ifstream before(site);
    const std::string stored((std::istreambuf_iterator<char>(before)), {});
    const std::vector<std::vector<std::string>> refused = {
        {"add-luminaire", site, "--name", "投光灯", "--model", "窄光束 MH400W", "--kind", "indoor"},
        {"add-luminaire", site, "--name", "没有", "--model", "x"},
        {"add-luminaire", site, "--name", "投光灯", "--model", "x"},
        {"add-luminaire", site, "--name", "投光灯", "--model", "窄光束 MH400W", "--at", "1,2"},
        {"add-luminaire", site, "--name", "投光灯", "--model", "窄光束 MH400W", "--lamp",
         "金属卤化物灯,400W (例题13-31),250"},
        {"add-luminaire", site, "--name", "投光灯", "--model", "窄光束 MH400W", "--count", "x"},
        {"add-luminaire", site, "--name", "投光灯", "--model", "窄光束 MH400W", "--catalogue",
         File("none.db")},
    };
    for (const auto& arguments : refused) {
        EXPECT_EQ(RunCalcQuoted(arguments).first, 1) << arguments[4];
    }
    std::ifstream after(site);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(after)), {}), stored);
    EXPECT_EQ(
        RunCalcQuoted({"add-luminaire", File("none.cil"), "--name", "没有", "--model", "x"}).first,
        1);
    EXPECT_FALSE(std::filesystem::exists(File("none.cil")));
}

} // namespace
} // namespace qv::test
