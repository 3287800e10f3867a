// quorvel-calc catalogue import end to end: a synthetic IES file imported into a copy of
// the catalogue, placed with add-luminaire, and calculated with point and cu.
#include "calc/indoor/LumenMethod.h"
#include "cli/CalcRunner.h"
#include "model/ProjectFile.h"
#include "photometry/PhotometricSamples.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

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
    // A run with --json and the catalogue copy, each argument passed as it is.
    nlohmann::json Json(std::vector<std::string> arguments, bool catalogue = true) const {
        arguments.push_back("--json");
        if (catalogue) {
            arguments.insert(arguments.end(), {"--catalogue", Path("Lamps.db")});
        }
        const nlohmann::json json =
            nlohmann::json::parse(RunCalcQuoted(arguments).second, nullptr, false);
        EXPECT_FALSE(json.is_discarded()) << arguments[0];
        return json;
    }

    // A luminaire of the type placed alone in the office, 5 m above a point of the work
    // plane; the horizontal illuminance there and the luminaire as placed.
    struct Nadir {
        double eh = 0.0;
        Luminaire luminaire;
    };
    Nadir NadirOf(const std::string& name, const std::string& model,
                  std::vector<std::string> lampOptions = {}) const {
        Project office;
        EXPECT_TRUE(LoadProject(QV_SOURCE_DIR "/data/examples/office.cil", office, {false}));
        office.luminaires.Clear();
        const std::string project = Path("nadir.cil");
        EXPECT_TRUE(SaveProject(office, project));
        std::vector<std::string> add = {"add-luminaire", project, "--name", name,
                                        "--model",       model,   "--at",   "3,2,5.75"};
        add.insert(add.end(), lampOptions.begin(), lampOptions.end());
        EXPECT_EQ(Json(add)["index"], 1) << name;
        Nadir nadir;
        Project placed;
        EXPECT_TRUE(LoadProject(project, placed, {false}));
        if (placed.luminaires.Count() == 1) {
            nadir.luminaire = placed.luminaires.At(0);
        }
        std::ofstream(Path("points.csv")) << "name,x,y,z\nbelow,3,2,0.75\n";
        const nlohmann::json points =
            Json({"point", project, "--points", Path("points.csv")}, false);
        nadir.eh = points["points"][0]["eh"].get<double>();
        return nadir;
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
    EXPECT_EQ(downlight["lamp"], "LED,DL-1,25"); // an LED lamp is of the catalogue's type LED
    EXPECT_EQ(downlight["cu_rows"], 300);
    EXPECT_EQ(imported["imported"][1]["flood_rows"], 20);
    EXPECT_EQ(TypeCount(), before + 2);

    Project office;
    ASSERT_TRUE(LoadProject(QV_SOURCE_DIR "/data/examples/office.cil", office, {false}));
    office.luminaires.Clear();
    ASSERT_TRUE(SaveProject(office, Path("office.cil")));
    const nlohmann::json added = RunCalcJson(
        "add-luminaire '" + Path("office.cil") +
        "' --name 导入测试筒灯 --model DL-1 --lamp 'LED,DL-1,25' --at 3,2,3" + Catalogue());
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

// An LED luminaire in absolute photometry as manufacturers write them: 192 "lamps" (its
// LEDs), lumens −1, commas in its catalogue numbers and its lamp text, a long description.
const char* kAbsoluteLed =
    "IESNA:LM-63-2002\n"
    "[LUMCAT]XYZ70/480, XYZ70/480/D10\n"
    "[LUMINAIRE]FROSTED TRANSLUCENT PLASTIC DIFFUSER, SANDWICHED BETWEEN CAST\n"
    "[MORE]METAL HOUSING AND CAST METAL HEAT SINK\n"
    "[LAMP]ONE HUNDRED NINETY-TWO WHITE LIGHT EMITTING DIODES (LEDS), BASE-UP.\n"
    "TILT=NONE\n"
    "192 -1 1.032007 5 1 1 1 1.47 1.47 0.2375\n"
    "1 1 69.64\n"
    "0 22.5 45 67.5 90\n"
    "0\n"
    "389 370 300 160 0\n";

TEST_F(ImportCliTest, AbsolutePhotometryPlacesWithItsOwnLampAndLightsItsNadir) {
    const nlohmann::json imported =
        Json({"catalogue", "import", Write("led.ies", kAbsoluteLed)})["imported"][0];
    EXPECT_EQ(imported["name"], "LED灯具 XYZ70/480");
    EXPECT_EQ(imported["model"], "XYZ70/480");
    EXPECT_EQ(imported["lamp"], "LED,XYZ70/480,69.6");
    EXPECT_EQ(imported["lamp_count"], 1);

    // Placed with its own lamp: the whole luminaire, its input power, and at the nadir
    // 5 m below the file's own intensity: E = I(0)·multiplier·K/5².
    const Nadir nadir = NadirOf("LED灯具 XYZ70/480", "XYZ70/480");
    const Luminaire& luminaire = nadir.luminaire;
    EXPECT_EQ(luminaire.lamp1.sName, "LED");
    EXPECT_DOUBLE_EQ(luminaire.lamp1.dPower, 69.6);
    EXPECT_EQ(luminaire.lamp1.nCount, 1);
    EXPECT_EQ(luminaire.nLuminousFlux, imported["lamp_flux"].get<int>());
    const double expected = 389 * 1.032007 * luminaire.dVindicate / 25;
    EXPECT_NEAR(nadir.eh, expected, expected * 0.002);
    EXPECT_GT(nadir.eh, 11.0); // not 1/192 of it

    // The same lamp named by its parts, two of them.
    const Nadir two = NadirOf("LED灯具 XYZ70/480", "XYZ70/480",
                              {"--lamp-type", "LED", "--lamp-model", "XYZ70/480", "--lamp-power",
                               "69.6", "--count", "2"});
    EXPECT_NEAR(two.eh, 2 * nadir.eh, 1e-9);
    EXPECT_EQ(two.luminaire.lamp1.nCount, 2);
}

TEST_F(ImportCliTest, LampNamesWithCommasArePlacedByTheirParts) {
    std::string text = kIes2002Bilateral;
    text.replace(text.find("T5 28W"), 6, "T5, 28W");
    ASSERT_EQ(Json({"catalogue", "import", Write("t5.ies", text)})["imported"][0]["lamp"],
              "T5, 28W,SYN-2x28,31");
    const std::string add = "add-luminaire '" + Path("t5.cil") +
                            "' --name 'Linear test luminaire with louvre' --model SYN-2x28" +
                            Catalogue();
    // TYPE,MODEL,POWER cannot name it: the type ends at the first comma.
    const auto [split, splitMessage] = RunCalc(add + " --lamp 'T5, 28W,SYN-2x28,31'");
    EXPECT_EQ(split, 1);
    EXPECT_NE(splitMessage.find("no lamp type \"T5\""), std::string::npos) << splitMessage;
    const auto [both, bothMessage] = RunCalc(add + " --lamp 'x,y,1' --lamp-type T5");
    EXPECT_EQ(both, 1);
    EXPECT_NE(bothMessage.find("give one or the other"), std::string::npos) << bothMessage;
    const auto [part, partMessage] = RunCalc(add + " --lamp-type 'T5, 28W' --lamp-power 31");
    EXPECT_EQ(part, 1);
    EXPECT_NE(partMessage.find("give all three"), std::string::npos) << partMessage;
    const auto [bad, badMessage] =
        RunCalc(add + " --lamp-type 'T5, 28W' --lamp-model SYN-2x28 --lamp-power nan");
    EXPECT_EQ(bad, 1);
    EXPECT_NE(badMessage.find("the power \"nan\" is not a number"), std::string::npos)
        << badMessage;

    // By its parts, with the file's two lamps: the nadir gets the file's own 400 cd.
    const Nadir nadir = NadirOf("Linear test luminaire with louvre", "SYN-2x28",
                                {"--lamp-type", "T5, 28W", "--lamp-model", "SYN-2x28",
                                 "--lamp-power", "31", "--count", "2"});
    EXPECT_EQ(nadir.luminaire.lamp1.sName, "T5, 28W");
    EXPECT_EQ(nadir.luminaire.nLuminousFlux, 5200);
    EXPECT_NEAR(nadir.eh, 400 * nadir.luminaire.dVindicate / 25, 400 * 0.7 / 25 * 0.002);
}

// The intensity at the nadir (cd, multiplier applied) of an IES file, read here on its
// own: the mean of the first candela value of every plane.
double FileNadirIntensity(const std::string& text) {
    std::istringstream numbers(text.substr(text.find('\n', text.find("TILT=")) + 1));
    std::vector<double> values;
    std::string word;
    while (numbers >> word) {
        for (char& c : word) {
            c = c == ',' ? ' ' : c;
        }
        std::istringstream parts(word);
        for (double value = 0; parts >> value;) {
            values.push_back(value);
        }
    }
    const size_t vertical = static_cast<size_t>(values.at(3));
    const size_t horizontal = static_cast<size_t>(values.at(4));
    EXPECT_EQ(values.at(13), 0.0); // the first vertical angle is the nadir
    const size_t first = 13 + vertical + horizontal;
    double sum = 0.0;
    for (size_t plane = 0; plane < horizontal; ++plane) {
        sum += values.at(first + plane * vertical);
    }
    return sum / horizontal * values.at(2);
}

// Development check: every shared photometric file (the published CU pairs beside the
// project, or the folder named by QV_CU_PAIRS) imports, places with its own lamp and lights its
// nadir as its candela table says. Skipped when the folder is not there.
TEST_F(ImportCliTest, SharedFilesLightTheirNadirAsTheirTablesSay) {
    const char* named = std::getenv("QV_CU_PAIRS");
    const fs::path folder =
        named != nullptr && *named != '\0'
            ? fs::path(named)
            : fs::path(QV_SOURCE_DIR) / ".." / "shared" / "photometry-validation" / "cu-pairs";
    if (!fs::is_directory(folder)) {
        GTEST_SKIP() << "no shared photometric files at " << folder;
    }
    std::vector<std::string> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() == ".ies") {
            files.push_back(entry.path().string());
        }
    }
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty());
    std::vector<std::string> import = {"catalogue", "import"};
    import.insert(import.end(), files.begin(), files.end());
    const nlohmann::json imported = Json(import)["imported"];
    ASSERT_EQ(imported.size(), files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        const nlohmann::json& type = imported[i];
        const std::string name = type["name"];
        const std::string model = type["model"];
        std::ifstream file(files[i], std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(file), {}};
        const Nadir nadir =
            NadirOf(name, model, {"--count", std::to_string(type["lamp_count"].get<int>())});
        const double expected = FileNadirIntensity(text) * nadir.luminaire.dVindicate / 25;
        std::cout << fs::path(files[i]).filename().string() << ": " << name << " / " << model
                  << ", lamp " << type["lamp"].get<std::string>() << " x " << type["lamp_count"]
                  << ", nadir " << nadir.eh << " lx (file " << expected << " lx)\n";
        EXPECT_LT(name.size(), 60u) << name;
        EXPECT_GT(nadir.luminaire.lamp1.dPower, 0.0) << name;
        EXPECT_NEAR(nadir.eh, expected, expected * 0.002) << files[i];
    }
}

} // namespace
} // namespace qv::test
