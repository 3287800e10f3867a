// quorvel-calc show and resave on the example projects and on files that are not
// projects: the JSON keys, full precision, exit status, and that reading never writes.
#include "model/ProjectTestSupport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <sys/wait.h>

namespace qv {
namespace {

using test::ReadFileText;
using test::TempDir;
using test::WriteFileText;

const std::string kExamples = QV_SOURCE_DIR "/data/examples/";

struct CalcRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs quorvel-calc with the arguments; stdout and stderr go through files of dir.
CalcRun Calc(const TempDir& dir, const std::string& arguments) {
    const std::string out = dir.File("stdout.txt");
    const std::string err = dir.File("stderr.txt");
    const int status = std::system(
        (std::string(QV_CALC_PATH) + " " + arguments + " >" + out + " 2>" + err).c_str());
    CalcRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFileText(out), ReadFileText(err)};
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return run;
}

std::vector<std::string> Keys(const nlohmann::ordered_json& object) {
    std::vector<std::string> keys;
    for (const auto& item : object.items()) {
        keys.push_back(item.key());
    }
    return keys;
}

TEST(ProjectCli, ShowJsonHasTheContractKeys) {
    TempDir dir;
    const CalcRun run = Calc(dir, "show " + kExamples + "site_and_road.col --json");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto json = nlohmann::ordered_json::parse(run.out);
    using Names = std::vector<std::string>;
    EXPECT_EQ(Keys(json), (Names{"kind", "path", "room", "road", "luminaires"}));
    EXPECT_EQ(json["kind"], 1);
    EXPECT_EQ(json["path"], kExamples + "site_and_road.col");
    EXPECT_EQ(Keys(json["room"]), (Names{"dLength", "dWidth", "dWorkHeight", "ptLeftBot", "outline",
                                         "dReflectTop", "dReflectWall", "dReflectFloor",
                                         "dWinInWall", "dLxStandard", "nStartNum", "nEndNum"}));
    EXPECT_EQ(Keys(json["road"]), (Names{"m_dLength", "m_dWidth", "m_dAngle", "ptCenter",
                                         "m_dWorkHeight", "m_dLxStandard", "m_dLampDis",
                                         "m_nLampType", "m_nStartNum", "m_nEndNum", "components"}));
    EXPECT_EQ(json["room"]["nEndNum"], 4);
    EXPECT_EQ(json["road"]["components"][2],
              (nlohmann::ordered_json{{"m_nType", 1}, {"m_nNumber", 0.0}, {"m_dWidth", 2.0}}));
    ASSERT_EQ(json["luminaires"].size(), 5u);
    const auto& flood = json["luminaires"][0];
    EXPECT_EQ(Keys(flood),
              (Names{"ptCenter", "Rotate", "dVindicate", "sName", "sModel", "nLuminousFlux",
                     "bLampHouse2", "nState", "sLightsTable", "sModulusTable", "sGradeTable",
                     "lamps", "shapes", "curveA", "curveB", "cu", "flood"}));
    EXPECT_EQ(flood["ptCenter"], (nlohmann::ordered_json{-2.0, -2.0, 15.0}));
    EXPECT_EQ(flood["sName"], "投光灯");
    EXPECT_EQ(Keys(flood["lamps"][0]),
              (Names{"sName", "sModel", "dPower", "dBallastPower", "nCount", "nLuminousFlux"}));
    EXPECT_EQ(Keys(flood["shapes"][1]), (Names{"nShape", "dLength", "dWidth", "dHeight"}));
    // Flood rows are dHXAngle (vertical), dZXAngle (longitudinal), value; the first node
    // of the grid is longitudinal -40, vertical -30, in kcd.
    ASSERT_EQ(flood["flood"].size(), 63u);
    EXPECT_EQ(flood["flood"][0], (nlohmann::ordered_json{-30.0, -40.0, 0.6272}));
    const auto& streetLight = json["luminaires"][4];
    ASSERT_EQ(streetLight["curveA"].size(), 19u);
    EXPECT_EQ(streetLight["curveA"][1], (nlohmann::ordered_json{2.5, 235.0}));
    EXPECT_EQ(streetLight["Rotate"][2], 90.0);
}

TEST(ProjectCli, ShowJsonOfAnIndoorProjectInFullPrecision) {
    TempDir dir;
    WriteFileText(dir.File("p.cil"),
                  "<Main><Main><计算类型>0</计算类型></Main><房间>"
                  "<dLength>0.1234567</dLength></房间><灯具><灯具数量>1</灯具数量>"
                  "<灯具0><利用系数表><数量>1</数量><数据0><dPcc>70</dPcc>"
                  "<dUsing>0.333333333333</dUsing></数据0></利用系数表></灯具0>"
                  "</灯具></Main>");
    const CalcRun run = Calc(dir, "show " + dir.File("p.cil") + " --json");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["room"]["dLength"].get<double>(), 0.1234567);
    EXPECT_EQ(json["luminaires"][0]["cu"][0],
              (nlohmann::json{70.0, 0.0, 0.0, 0.0, 0.333333333333}));
    EXPECT_EQ(json["luminaires"][0]["dVindicate"].get<double>(), 0.7);
    EXPECT_EQ(json["luminaires"][0]["lamps"].size(), 2u);
}

TEST(ProjectCli, ShowReadsWithoutWriting) {
    TempDir dir;
    const std::string path = dir.File("compact.cil");
    const std::string compact = "<Main><Main><计算类型>0</计算类型></Main></Main>";
    WriteFileText(path, compact);
    const auto before = std::filesystem::last_write_time(path);
    const CalcRun text = Calc(dir, "show " + path);
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("计算类型: 0"), std::string::npos);
    EXPECT_EQ(Calc(dir, "show " + path + " --json").status, 0);
    EXPECT_EQ(ReadFileText(path), compact);
    EXPECT_EQ(std::filesystem::last_write_time(path), before);
    EXPECT_EQ(Calc(dir, "show " + dir.File("missing.cil")).status, 1);
    EXPECT_EQ(dir.Files(), (std::vector<std::string>{"compact.cil"})); // nothing created
}

// A name holding an escape sequence (a hand-made file) is shown as "\x1B[31m", never sent
// to the terminal; the JSON escapes it as JSON does.
TEST(ProjectCli, ShowNeverSendsControlCharactersToTheTerminal) {
    TempDir dir;
    const std::string path = dir.File("escape.cil");
    WriteFileText(path, "<Main><Main><计算类型>0</计算类型></Main><灯具><灯具数量>1</灯具数量>"
                        "<灯具0><sName>红&#27;[31m灯&#13;x</sName></灯具0></灯具></Main>");
    const CalcRun text = Calc(dir, "show " + path);
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out.find('\x1b'), std::string::npos);
    EXPECT_EQ(text.out.find('\r'), std::string::npos);
    EXPECT_NE(text.out.find("红\\x1B[31m灯\\x0Dx"), std::string::npos) << text.out;
    const CalcRun json = Calc(dir, "show " + path + " --json");
    ASSERT_EQ(json.status, 0);
    EXPECT_EQ(nlohmann::json::parse(json.out)["luminaires"][0]["sName"], "红\x1b[31m灯\rx");
}

TEST(ProjectCli, FilesThatAreNotProjectsAreBadInput) {
    TempDir dir;
    WriteFileText(dir.File("text.cil"), "not xml at all");
    WriteFileText(dir.File("html.cil"), "<html/>");
    for (const char* name : {"text.cil", "html.cil", "missing.cil"}) {
        const CalcRun run = Calc(dir, std::string("show --json ") + dir.File(name));
        EXPECT_EQ(run.status, 1) << name;
        EXPECT_TRUE(run.out.empty()) << name;
        EXPECT_NE(run.err.find(dir.File(name)), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    EXPECT_EQ(Calc(dir, "show").status, 2);
    EXPECT_EQ(Calc(dir, "resave " + dir.File("text.cil")).status, 2);
}

TEST(ProjectCli, ResaveWritesWhatSaveWrites) {
    TempDir dir;
    for (const char* name : {"office.cil", "site_and_road.col"}) {
        const CalcRun run =
            Calc(dir, std::string("resave ") + kExamples + name + " " + dir.File(name));
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_TRUE(ReadFileText(dir.File(name)) == ReadFileText(kExamples + name)) << name;
    }
}

TEST(ProjectCli, ResaveMergesOverAnExistingFile) {
    TempDir dir;
    const std::string out = dir.File("out.cil");
    std::filesystem::copy_file(kExamples + "office.cil", out);
    const CalcRun run = Calc(dir, "resave " + kExamples + "site_and_road.col " + out);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string merged = ReadFileText(out);
    EXPECT_NE(merged.find("<房间>"), std::string::npos); // left from the indoor project
    EXPECT_NE(merged.find("<灯具7>"), std::string::npos);
    const auto json = nlohmann::json::parse(Calc(dir, "show --json " + out).out);
    EXPECT_EQ(json["kind"], 1);
    EXPECT_EQ(json["luminaires"].size(), 5u);
    EXPECT_EQ(json["room"]["dLxStandard"], 30.0);

    // An existing file that is not a project is not overwritten.
    WriteFileText(dir.File("notes.txt"), "keep me");
    const CalcRun refused =
        Calc(dir, "resave " + kExamples + "office.cil " + dir.File("notes.txt"));
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("notes.txt"), std::string::npos);
    EXPECT_EQ(ReadFileText(dir.File("notes.txt")), "keep me");
}

} // namespace
} // namespace qv
