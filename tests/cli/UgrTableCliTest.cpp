// quorvel-calc ugr-table: the table of a photometric file as text and JSON, and the types
// that have no table (catalogue types, files without a luminous area) with their exit codes.
#include "cli/CalcRunner.h"
#include "model/ProjectTestSupport.h"

#include <kelvorin/KvStr.h>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>

namespace qv::test {
namespace {

// A quadrant-symmetric EULUMDAT file, 1000 × 300 mm luminous area, 3350 lm.
std::string Ldt(const std::string& luminous = "1000\n300\n0\n0\n0\n0\n") {
    std::ostringstream out;
    out << "test\n1\n4\n24\n15\n19\n5\nreport\nPanel\nP-1\np.ldt\ndate\n1100\n350\n60\n"
        << luminous << "100\n70\n1\n0\n1\n1\nLED\n3350\n4000K\n80\n30\n";
    for (int i = 0; i < 10; ++i) {
        out << "0.5\n";
    }
    for (int p = 0; p < 24; ++p) {
        out << p * 15 << "\n";
    }
    for (int g = 0; g < 19; ++g) {
        out << g * 5 << "\n";
    }
    for (int p = 0; p < 7; ++p) {
        for (int g = 0; g < 19; ++g) {
            out << 320.0 * std::pow(std::cos(g * 5 * 3.141592653589793 / 180), 1.5) *
                       (1.0 + 0.2 * std::cos(p * 15 * 3.141592653589793 / 180))
                << "\n";
        }
    }
    return out.str();
}

TEST(UgrTableCliTest, TextAndJsonOfAFile) {
    const TempDir dir;
    const std::string file = dir.File("panel.ldt");
    WriteFileText(file, Ldt());
    const auto [status, text] = RunCalc("ugr-table " + file);
    ASSERT_EQ(status, 0) << text;
    std::istringstream lines(text);
    std::string line;
    std::getline(lines, line);
    EXPECT_NE(line.find("Panel P-1"), std::string::npos) << line;
    EXPECT_NE(line.find("S = 0.25H"), std::string::npos) << line;
    EXPECT_NE(line.find("光通量 Φ = 3350 lm"), std::string::npos) << line;
    std::getline(lines, line);
    EXPECT_EQ(line.substr(0, 18), "X\tY\t横向70/50/20");
    std::vector<std::vector<std::string>> rows;
    while (std::getline(lines, line)) {
        std::vector<std::string> cells;
        KvStr::SplitStrBySymbol(cells, line, "\t");
        rows.push_back(cells);
    }
    ASSERT_EQ(rows.size(), 19u);
    EXPECT_EQ(rows[18][0], "12H");
    EXPECT_EQ(rows[18][1], "8H");

    const nlohmann::json json = RunCalcJson("ugr-table " + file);
    EXPECT_EQ(json.at("shr"), 0.25);
    EXPECT_EQ(json.at("flux"), 3350.0);
    EXPECT_EQ(json.at("reflectances").size(), 5u);
    EXPECT_EQ(json.at("reflectances")[1], nlohmann::json({70, 30, 20}));
    ASSERT_EQ(json.at("rows").size(), 19u);
    for (size_t r = 0; r < 19; ++r) {
        const nlohmann::json& row = json.at("rows")[r];
        EXPECT_EQ(row.at("x_over_h"), std::stoi(rows[r][0])) << r;
        EXPECT_EQ(row.at("y_over_h"), std::stoi(rows[r][1])) << r;
        for (size_t c = 0; c < 10; ++c) {
            const double ugr = (c < 5 ? row.at("crosswise") : row.at("endwise"))[c % 5];
            const double shown = std::round(ugr * 10.0) / 10.0;
            EXPECT_EQ(rows[r][c + 2], shown < 10.0 ? "<10.0" : KvStr::Format("%.1f", shown))
                << r << " " << c;
        }
    }
    // The standard condition: more luminaires, a different table.
    const nlohmann::json standard = RunCalcJson("ugr-table " + file + " --shr 1");
    EXPECT_EQ(standard.at("shr"), 1.0);
    EXPECT_NE(standard.at("rows")[8].at("crosswise")[0], json.at("rows")[8].at("crosswise")[0]);
}

// An imported file keeps both of its tables with the type: the catalogue type prints what
// the file does, at either spacing; a file without a luminous area imports without one.
TEST(UgrTableCliTest, ImportedTypesKeepTheirTables) {
    const TempDir dir;
    const std::string file = dir.File("panel.ldt");
    WriteFileText(file, Ldt());
    const std::string dark = dir.File("dark.ldt");
    WriteFileText(dark, Ldt("0\n0\n0\n0\n0\n0\n").replace(Ldt().find("P-1"), 3, "P-2"));
    const std::string db = dir.File("Lamps.db");
    std::filesystem::copy_file(QV_CATALOGUE_PATH, db);
    ASSERT_EQ(RunCalc("catalogue import " + file + " " + dark + " --catalogue " + db).first, 0);
    for (const char* shr : {"0.25", "1"}) {
        nlohmann::json fromFile = RunCalcJson("ugr-table " + file + " --shr " + shr);
        nlohmann::json stored =
            RunCalcJson("ugr-table --type Panel --model P-1 --catalogue " + db + " --shr " + shr);
        EXPECT_EQ(stored.at("name"), "Panel");
        fromFile.erase("name");
        fromFile.erase("model");
        stored.erase("name");
        stored.erase("model");
        EXPECT_EQ(stored, fromFile) << shr;
    }
    const auto [other, message] =
        RunCalc("ugr-table --type Panel --model P-1 --catalogue " + db + " --shr 0.5");
    EXPECT_EQ(other, 1);
    EXPECT_NE(message.find("0.25H"), std::string::npos) << message;
    const auto [none, why] = RunCalc("ugr-table --type Panel --model P-2 --catalogue " + db);
    EXPECT_EQ(none, 1);
    EXPECT_NE(why.find("只有A、B两条配光曲线"), std::string::npos) << why;
}

TEST(UgrTableCliTest, TypesWithoutATableAndBadOptions) {
    const TempDir dir;
    const std::string file = dir.File("panel.ldt");
    WriteFileText(file, Ldt());
    const std::string dark = dir.File("dark.ldt");
    WriteFileText(dark, Ldt("0\n0\n0\n0\n0\n0\n"));
    const std::string catalogue = std::string(" --catalogue ") + QV_CATALOGUE_PATH;
    const auto refused = [](const std::string& arguments, const std::string& message) {
        const auto [status, out] = RunCalc("ugr-table " + arguments);
        EXPECT_EQ(status, 1) << arguments << "\n" << out;
        EXPECT_NE(out.find(message), std::string::npos) << arguments << "\n" << out;
    };
    refused("--type 双管荧光灯 --model '2x36W T8'" + catalogue, "只有A、B两条配光曲线");
    refused("--type 双管荧光灯 --model none" + catalogue, "数据库中不存在灯具类型");
    refused(dark, "发光面");
    refused(dir.File("missing.ldt"), "cannot be read");
    refused(file + " --shr abc", "--shr");
    refused(file + " --shr 0", "0.01到4");
    for (const std::string& usage :
         std::vector<std::string>{"", "--type 双管荧光灯", file + " --type a --model b"}) {
        EXPECT_EQ(RunCalc("ugr-table " + usage).first, 2) << usage;
    }
}

} // namespace
} // namespace qv::test
