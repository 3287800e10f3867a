// quorvel-calc catalogue import end to end: a synthetic IES file imported into a copy of
// the catalogue, placed with add-luminaire, and calculated with point and cu.
#include "calc/indoor/LumenMethod.h"
#include "cli/CalcRunner.h"
#include "model/ProjectFile.h"
#include "photometry/PhotometricSamples.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace qv::test {
namespace {

namespace fs = std::filesystem;

// A downlight of one 2000 lm lamp, 25 W, rotationally symmetric.
const char* kDownlight = "IESNA:LM-63-2002\n"
                         "[LUMINAIRE] 导入测试筒灯\n"
                         "[LUMCAT] DL-1\n"
                         "[LAMP] LED模块\n"
                         "TILT=NONE\n"
                         "1 2000 1 7 1 1 2 -0.2 -0.2 0.1\n"
                         "1 1 25\n"
                         "0 15 30 45 60 75 90\n"
                         "0\n"
                         "800 760 640 460 260 90 0\n";

class ImportCliTest : public testing::Test {
protected:
    ImportCliTest() {
        fs::remove_all(m_folder);
        fs::create_directories(m_folder);
        fs::copy_file(QV_CATALOGUE_PATH, Path("Lamps.db"));
    }
    ~ImportCliTest() override { fs::remove_all(m_folder); }

    std::string Path(const std::string& name) const { return (m_folder / name).string(); }
    std::string Write(const std::string& name, const std::string& text) const {
        std::ofstream(Path(name), std::ios::binary) << text;
        return Path(name);
    }
    std::string Catalogue() const { return " --catalogue '" + Path("Lamps.db") + "'"; }
    size_t TypeCount() const {
        return RunCalcJson("catalogue types" + Catalogue())["types"].size();
    }

private:
    fs::path m_folder =
        fs::path(testing::TempDir()) /
        ("qv_import_" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
};

TEST_F(ImportCliTest, ImportedTypePlacesAndCalculates) {
    const size_t before = TypeCount();
    const nlohmann::json imported =
        RunCalcJson("catalogue import '" + Write("downlight.ies", kDownlight) + "' '" +
                    Write("flood.IES", kIesTypeB) + "'" + Catalogue());
    ASSERT_EQ(imported["imported"].size(), 2u);
    const nlohmann::json& downlight = imported["imported"][0];
    EXPECT_EQ(downlight["name"], "导入测试筒灯");
    EXPECT_EQ(downlight["model"], "DL-1");
    EXPECT_EQ(downlight["lamp"], "LED模块,DL-1,25");
    EXPECT_EQ(downlight["cu_rows"], 300);
    EXPECT_EQ(imported["imported"][1]["flood_rows"], 20);
    EXPECT_EQ(TypeCount(), before + 2);

    Project office;
    ASSERT_TRUE(LoadProject(QV_SOURCE_DIR "/data/examples/office.cil", office, {false}));
    office.luminaires.Clear();
    ASSERT_TRUE(SaveProject(office, Path("office.cil")));
    const nlohmann::json added = RunCalcJson(
        "add-luminaire '" + Path("office.cil") +
        "' --name 导入测试筒灯 --model DL-1 --lamp 'LED模块,DL-1,25' --at 3,2,3" + Catalogue());
    EXPECT_EQ(added["nLuminousFlux"], 2000);
    EXPECT_EQ(added["curve_rows"], 91);
    Project placed;
    ASSERT_TRUE(LoadProject(Path("office.cil"), placed, {false}));
    const Luminaire& luminaire = placed.luminaires.At(0);

    // Straight below at the working plane: Eh = Φ·K·I(0)/(1000·h²) with I(0) = 400 cd/klm.
    const double h = 3.0 - 0.75;
    std::ofstream(Path("points.csv")) << "name,x,y,z\nbelow,3,2,0.75\n";
    const nlohmann::json points =
        RunCalcJson("point '" + Path("office.cil") + "' --points '" + Path("points.csv") + "'");
    EXPECT_NEAR(points["points"][0]["eh"].get<double>(),
                2000 * luminaire.dVindicate * 400 / (1000 * h * h), 1e-9);

    const nlohmann::json cu = RunCalcJson("cu '" + Path("office.cil") + "'");
    const double u = cu["entries"][0]["u"].get<double>();
    EXPECT_DOUBLE_EQ(u,
                     CuAt(luminaire.cuTable, cu["rho_c"].get<double>(), cu["rho_w"].get<double>(),
                          cu["rho_f"].get<double>(), cu["rcr"].get<double>()));
    EXPECT_GT(u, 0.3);
    EXPECT_LT(u, 1.0);
}

TEST_F(ImportCliTest, BadFilesChangeNothing) {
    const size_t before = TypeCount();
    const std::string good = Write("good.ies", kDownlight);
    std::string broken = kDownlight;
    broken.replace(broken.find("760"), 3, "7x0");
    const auto [status, out] = RunCalc("catalogue import '" + good + "' '" +
                                       Write("broken.ies", broken) + "'" + Catalogue());
    EXPECT_EQ(status, 1);
    EXPECT_NE(out.find("broken.ies:10: a candela value expected, found \"7x0\""), std::string::npos)
        << out;
    EXPECT_EQ(
        RunCalc("catalogue import '" + Write("lamp.txt", kDownlight) + "'" + Catalogue()).first, 1);
    EXPECT_EQ(RunCalc("catalogue import" + Catalogue()).first, 2);
    EXPECT_EQ(TypeCount(), before);

    // The same type twice: the second import is refused whole.
    EXPECT_EQ(RunCalc("catalogue import '" + good + "'" + Catalogue()).first, 0);
    const auto [again, message] = RunCalc("catalogue import '" + good + "'" + Catalogue());
    EXPECT_EQ(again, 1);
    EXPECT_NE(message.find("导入测试筒灯 / DL-1 is already in the catalogue"), std::string::npos)
        << message;
    EXPECT_EQ(TypeCount(), before + 1);
}

} // namespace
} // namespace qv::test
