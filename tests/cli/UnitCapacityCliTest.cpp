// quorvel-calc unitcap on the example projects, checked against the shipped tables read
// straight from the catalogue, and its refusals of bad input.
#include "cli/CalcRunner.h"

#include <kelvorin/KvAccess.h>
#include <kelvorin/KvStr.h>

#include <gtest/gtest.h>

#include <tuple>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace qv::test {
namespace {

const std::string kExamples = std::string(QV_SOURCE_DIR) + "/data/examples/";

// A key column and a value column of one unit-capacity table, read in one query.
using KeyedValues = std::vector<std::pair<double, double>>;

KeyedValues ReadKeyed(KvAccess& db, const std::string& sql) {
    KvStTable table;
    KeyedValues values;
    for (int i = 0, count = db.GetSelData(table, sql); i < count; ++i) {
        std::vector<std::string> row;
        table.GetValueRecord(row, i);
        values.emplace_back(KvStr::Atof(row[0]), KvStr::Atof(row[1]));
    }
    return values;
}

// The nearest keys at or above and at or below x (the end key outside the table), and
// the straight line through their values.
double Interpolated(const KeyedValues& values, double x) {
    const std::pair<double, double>* upper = nullptr;
    const std::pair<double, double>* lower = nullptr;
    for (const auto& value : values) {
        if (value.first >= x - 1e-6 && (upper == nullptr || value.first < upper->first)) {
            upper = &value;
        }
        if (value.first <= x + 1e-6 && (lower == nullptr || value.first > lower->first)) {
            lower = &value;
        }
    }
    upper = upper != nullptr ? upper : lower;
    lower = lower != nullptr ? lower : upper;
    if (std::fabs(upper->first - lower->first) < 1e-6) {
        return lower->second;
    }
    return (upper->second - lower->second) / (upper->first - lower->first) * (x - lower->first) +
           lower->second;
}

struct Expected {
    double p0, c1, c2, c, w, e;
    std::vector<int> needed;
};

// The method for a room with m equal entries of W watts each: P0 of the class and kind at
// the room's RCR, C1 at its ceiling reflectance (a fraction), C2 of the lamp type at the
// lamp's rated power, C by efficiency.
Expected ByHand(const std::string& distributionClass, const std::string& column,
                const std::string& lampType, double ratedPower, double w, int entries, double rcr,
                double ceiling, double area, double standard, double c) {
    KvAccess db;
    db.InitADOServer(QV_CATALOGUE_PATH, "");
    Expected x{};
    x.p0 = Interpolated(ReadKeyed(db, "SELECT [RCR], [" + column +
                                          "] FROM [单位容量P0计算] WHERE [类型] = '" +
                                          distributionClass + "'"),
                        rcr);
    x.c1 = Interpolated(ReadKeyed(db, "SELECT * FROM [单位容量修正系数C1]"), ceiling);
    x.c2 = Interpolated(ReadKeyed(db, "SELECT [额定功率], [调整系数C2] FROM [单位容量调整系数C2] "
                                      "WHERE [光源类型] = '" +
                                          lampType + "'"),
                        ratedPower);
    x.c = c;
    x.w = w;
    const double u = x.p0 * x.c1 * x.c2 * x.c;
    const double installed = entries * w;
    x.e = installed / (u * area);
    const double deficit = u * area * standard - installed;
    const int needed = deficit > 1e-6 ? static_cast<int>(std::trunc(deficit / w - 0.001)) + 1 : 0;
    x.needed.assign(static_cast<size_t>(entries), needed);
    return x;
}

void ExpectAgrees(const nlohmann::json& json, const Expected& x) {
    EXPECT_NEAR(json["e"].get<double>(), x.e, 1e-9 * x.e);
    ASSERT_EQ(json["entries"].size(), x.needed.size());
    for (size_t i = 0; i < x.needed.size(); ++i) {
        const nlohmann::json& entry = json["entries"][i];
        EXPECT_NEAR(entry["p0"].get<double>(), x.p0, 1e-12);
        EXPECT_NEAR(entry["c1"].get<double>(), x.c1, 1e-12);
        EXPECT_NEAR(entry["c2"].get<double>(), x.c2, 1e-12);
        EXPECT_NEAR(entry["c"].get<double>(), x.c, 1e-12);
        EXPECT_EQ(entry["w"].get<double>(), x.w);
        EXPECT_EQ(entry["needed"].get<int>(), x.needed[i]);
    }
}

class UnitCapacityCliTest : public testing::Test {
protected:
    ~UnitCapacityCliTest() override {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    std::string WriteFile(const std::string& name, const std::string& text) {
        std::filesystem::create_directories(m_folder);
        const std::string path = (m_folder / name).string();
        std::ofstream(path) << text;
        return path;
    }
    // One folder per test: ctest runs the tests of this fixture side by side.
    std::filesystem::path m_folder =
        std::filesystem::path(testing::TempDir()) /
        (std::string("qv_unitcap_cli_") +
         testing::UnitTest::GetInstance()->current_test_info()->name());
};

TEST_F(UnitCapacityCliTest, OfficeAgreesWithTheTables) {
    std::string rows = "class,kind\n";
    for (int i = 0; i < 8; ++i) {
        rows += "半直接型,40W荧光灯单位电功率\n";
    }
    const std::string entries = WriteFile("office.csv", rows);
    const nlohmann::json json =
        RunCalcJson("unitcap " + kExamples + "office.cil --efficiency 65 --entries " + entries);
    // 12 m × 7.2 m, luminaires 2.25 m above the working plane: RCR 2.5; three T5 28 W
    // lamps with 2.5 W of ballast each.
    ExpectAgrees(json, ByHand("半直接型", "40W荧光灯P0", "T5荧光灯", 28, 91.5, 8, 2.5, 0.7, 86.4,
                              500, 1.11));
    for (const char* key : {"e", "e_shown", "message", "lpd", "lpd2", "lpd2_label", "entries"}) {
        EXPECT_TRUE(json.contains(key)) << key;
    }
    for (const char* key : {"name", "model", "class", "kind", "p0", "c1", "c2", "c", "c2_type", "w",
                            "count", "needed"}) {
        EXPECT_TRUE(json["entries"][0].contains(key)) << key;
    }
    EXPECT_EQ(json["entries"][0]["c2_type"], "T5荧光灯");
    EXPECT_EQ(json["entries"][0]["class"], "半直接型");
}

TEST_F(UnitCapacityCliTest, WorkshopWithDefaultCellsAgreesWithTheTables) {
    const nlohmann::json json =
        RunCalcJson("unitcap " + kExamples + "workshop.cil --efficiency 50");
    const nlohmann::json& first = json["entries"][0];
    EXPECT_EQ(first["class"], "直接型9");
    // A metal-halide lamp is compared with the 40 W fluorescent lamp, as its C2 row is.
    EXPECT_EQ(first["kind"], "40W荧光灯单位电功率");
    EXPECT_EQ(first["c2_type"], "金属卤化物灯");
    EXPECT_EQ(first["c2_reference"], "40W荧光灯单位电功率");
    // The L-shaped hall: its RCR from the bounding box, its area from the outline.
    const nlohmann::json shown = RunCalcJson("cu " + kExamples + "workshop.cil");
    ExpectAgrees(json,
                 ByHand("直接型9", "40W荧光灯P0", "金属卤化物灯", 400, 440, 8,
                        shown["rcr"].get<double>(), 0.5, shown["area"].get<double>(), 300, 1.47));
}

// The office: eight luminaires of three 28 W T5 lamps with 2.5 W of ballast each in
// 12 m × 7.2 m, so 8 × 3 × 30.5 W / 86.4 m² = 8.47 W/m² wherever a density is shown.
TEST_F(UnitCapacityCliTest, OfficeDensityCountsEveryLamp) {
    const std::string office = kExamples + "office.cil";
    const double lpd = 8 * 3 * 30.5 / 86.4;
    const nlohmann::json alone = RunCalcJson("lpd " + office);
    EXPECT_NEAR(alone["lpd"].get<double>(), lpd, 1e-12);
    EXPECT_EQ(alone["message"], "当前房间的功率密度为 8.47 w/m2");
    for (const char* command : {"cu ", "grid --density 20 ", "unitcap "}) {
        const nlohmann::json json = RunCalcJson(command + office);
        EXPECT_EQ(json["lpd"].get<double>(), 8.47) << command;
    }
}

// With the reference lamp that follows the T5 lamps (40 W fluorescent) and the sound
// power, the unit-capacity estimate of the office agrees with its lumen-method average
// (332.50 lx) within the method's accuracy; the 100 W incandescent reference it used to
// default to gives a fifth of that.
TEST_F(UnitCapacityCliTest, OfficeEstimateAgreesWithTheLumenMethod) {
    const std::string office = kExamples + "office.cil";
    const double lumen = RunCalcJson("cu " + office)["e"].get<double>();
    EXPECT_NEAR(lumen, 332.5, 0.005);
    const nlohmann::json json = RunCalcJson("unitcap " + office);
    for (const nlohmann::json& entry : json["entries"]) {
        EXPECT_EQ(entry["kind"], "40W荧光灯单位电功率");
        EXPECT_EQ(entry["w"].get<double>(), 91.5);
        EXPECT_EQ(entry["c2_power"].get<double>(), 28);
    }
    EXPECT_EQ(json["p_inst"].get<double>(), 732);
    EXPECT_NEAR(json["e"].get<double>(), lumen, 0.1 * lumen);

    // A kind typed in ENTRIES.csv is kept; a row that leaves it empty follows the lamp.
    const std::string chosen = WriteFile("chosen.csv", "kind\n100W白炽灯单位电功率\n\n");
    const nlohmann::json typed = RunCalcJson("unitcap " + office + " --entries " + chosen);
    EXPECT_EQ(typed["entries"][0]["kind"], "100W白炽灯单位电功率");
    EXPECT_EQ(typed["entries"][1]["kind"], "40W荧光灯单位电功率");
    EXPECT_LT(typed["entries"][1]["p0"].get<double>(), typed["entries"][0]["p0"].get<double>());
}

// A project whose first luminaire's power is no number of watts: the power density and
// the unit-capacity method name the luminaire (or, for a number that is not finite, the
// load names the element) instead of counting it as 0 W.
TEST_F(UnitCapacityCliTest, RefusesPowerThatIsNoNumberOfWatts) {
    std::ifstream in(kExamples + "office.cil");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (const auto& [from, to, named] :
         {std::tuple<std::string, std::string, std::string>{"<dPower>28.000000<", "<dPower>nan<",
                                                            "灯具0/光源1/dPower"},
          {"<nCount>3<", "<nCount>-3<", "luminaire 1"},
          {"<dBallastPower>2.500000<", "<dBallastPower>-inf<", "灯具0/光源1/dBallastPower"}}) {
        std::string broken = text;
        const size_t at = broken.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        broken.replace(at, from.size(), to);
        const std::string path = WriteFile("broken.cil", broken);
        for (const char* command : {"lpd ", "unitcap "}) {
            const auto [status, out] = RunCalc(command + path);
            EXPECT_EQ(status, 1) << command << to;
            EXPECT_NE(out.find(named), std::string::npos) << out;
        }
    }
}

TEST_F(UnitCapacityCliTest, RefusesBadInput) {
    const std::string office = kExamples + "office.cil";
    EXPECT_EQ(RunCalc("unitcap " + office + " --efficiency seventy").first, 1);
    EXPECT_EQ(
        RunCalc("unitcap " + office + " --catalogue " + (m_folder / "none.db").string()).first, 1);
    EXPECT_EQ(RunCalc("unitcap " + kExamples + "site_and_road.col").first, 1);
    const std::string tooMany = WriteFile("many.csv", "count\n1\n1\n1\n1\n1\n1\n1\n1\n1\n");
    EXPECT_EQ(RunCalc("unitcap " + office + " --entries " + tooMany).first, 1);
    const std::string fraction = WriteFile("fraction.csv", "count\n1.5\n");
    const auto [status, out] = RunCalc("unitcap " + office + " --entries " + fraction);
    EXPECT_EQ(status, 1);
    EXPECT_NE(out.find("fraction.csv"), std::string::npos) << out;
    EXPECT_EQ(RunCalc("unitcap").first, 2);
}

} // namespace
} // namespace qv::test
