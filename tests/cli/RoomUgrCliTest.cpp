// quorvel-calc ugr: the office example's wall observers in JSON and text, a given observer,
// an observer with nothing in view, the verdict against a stored place, and refusals.
#include "CalcRunner.h"
#include "model/ProjectTestSupport.h"
#include "report/BookReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace qv::test {
namespace {

const std::string kOffice = QV_SOURCE_DIR "/data/examples/office.cil";
const std::string kCatalogue = std::string(" --catalogue ") + QV_CATALOGUE_PATH;

std::string OneDecimal(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", std::round(value * 10.0) / 10.0);
    return text;
}

TEST(RoomUgrCli, WallObserversInJsonAndText) {
    const nlohmann::json out = RunCalcJson("ugr " + kOffice);
    ASSERT_TRUE(out.is_object());
    EXPECT_EQ(out["eye"], 1.2);
    EXPECT_EQ(out["lb_model"], "CIE 190");
    EXPECT_EQ(out["estimate_two_planes"], true);
    ASSERT_EQ(out["observers"].size(), 4u);
    double max = 0.0;
    for (const auto& o : out["observers"]) {
        for (const char* key : {"x", "y", "z", "direction", "ugr", "lb"}) {
            ASSERT_TRUE(o[key].is_number()) << key << o.dump();
        }
        ASSERT_FALSE(o["terms"].empty());
        for (const char* key : {"luminaire", "l", "omega", "p", "r", "t", "h"}) {
            EXPECT_TRUE(o["terms"][0][key].is_number()) << key;
        }
        max = std::max(max, o["ugr"].get<double>());
    }
    EXPECT_EQ(out["max"], max);
    EXPECT_FALSE(out.contains("limit")); // the example stores no place
    EXPECT_EQ(out["verdict"], "UGR = " + OneDecimal(max));

    const auto [status, text] = RunCalc("ugr " + kOffice);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 6) << text; // note, 4 observers, max
    EXPECT_NE(text.find("由A、B两个平面的配光估算"), std::string::npos);
}

TEST(RoomUgrCli, GivenObserversAndOneWithNothingInView) {
    const nlohmann::json out =
        RunCalcJson("ugr " + kOffice + " --observer 6,3.6,0 --observer 11.9,3.6,0 --eye 1.5");
    ASSERT_EQ(out["observers"].size(), 2u);
    EXPECT_EQ(out["eye"], 1.5);
    EXPECT_EQ(out["observers"][0]["z"], 1.5);
    EXPECT_TRUE(out["observers"][0]["ugr"].is_number());
    // Facing the wall a few centimetres away: every luminaire is behind the eye.
    const auto& blind = out["observers"][1];
    EXPECT_FALSE(blind.contains("ugr"));
    EXPECT_TRUE(blind["reason"].is_string());
    EXPECT_TRUE(blind["terms"].empty());
    EXPECT_EQ(out["max"], out["observers"][0]["ugr"]);
    EXPECT_EQ(out.dump().find("null"), std::string::npos);
}

// An observer may carry its eye height as X,Y,Z,DIR; one height serves a run.
TEST(RoomUgrCli, ObserversMayNameTheirEyeHeight) {
    const nlohmann::json withZ = RunCalcJson("ugr " + kOffice + " --observer 6,3.6,1.5,0");
    const nlohmann::json withEye = RunCalcJson("ugr " + kOffice + " --observer 6,3.6,0 --eye 1.5");
    EXPECT_EQ(withZ, withEye);
    EXPECT_EQ(RunCalcJson("ugr " + kOffice + " --observer 6,3.6,1.5,0 --observer 6,1,90")["eye"],
              1.5);
    for (const std::string clash :
         {" --observer 6,3.6,1.5,0 --observer 6,1,1.2,90", " --observer 6,3.6,1.5,0 --eye 1.2"}) {
        const auto [status, out] = RunCalc("ugr " + kOffice + clash + " 2>&1");
        EXPECT_EQ(status, 1) << clash;
        EXPECT_NE(out.find("一个眼睛高度"), std::string::npos) << out;
    }
}

TEST(RoomUgrCli, VerdictAgainstTheStoredPlace) {
    const TempDir dir;
    const std::string office = dir.File("office.cil");
    std::filesystem::copy_file(kOffice, office);
    ASSERT_EQ(RunCalc("info " + office + " --place '办公建筑/普通办公室'" + kCatalogue).first, 0);
    const nlohmann::json out = RunCalcJson("ugr " + office + kCatalogue);
    ASSERT_TRUE(out["limit"].is_number()) << out.dump();
    const double shown = std::round(out["max"].get<double>() * 10.0) / 10.0;
    const bool met = shown <= out["limit"].get<double>();
    const std::string verdict = out["verdict"];
    EXPECT_EQ(verdict.find(met ? "≤" : ">"), 11u) << verdict;
    EXPECT_NE(verdict.find(met ? ", 满足" : ", 不满足"), std::string::npos) << verdict;
}

// --book: the book of the same run, with a given observer and the stored place's verdict;
// a book that cannot be written fails after the output.
TEST(RoomUgrCli, BookOfTheRun) {
    const TempDir dir;
    const std::string office = dir.File("office.cil");
    std::filesystem::copy_file(kOffice, office);
    ASSERT_EQ(RunCalc("info " + office + " --place '办公建筑/普通办公室'" + kCatalogue).first, 0);
    const std::string path = dir.File("ugr.docx");
    const nlohmann::json out =
        RunCalcJson("ugr " + office + " --observer 6,0.5,90 --eye 1.5 --book " + path + kCatalogue);
    ASSERT_TRUE(out["max"].is_number()) << out.dump();
    const BookDocument book = ReadBook(path);
    EXPECT_GE(book.Find("统一眩光值(UGR)计算书"), 0);
    EXPECT_GE(book.Find("眼睛位置(6.00, 0.50, 1.50)，视线方向90°"), 0);
    EXPECT_LT(book.Find("观察点2"), 0);
    EXPECT_GE(book.Find("结论:" + out["verdict"].get<std::string>()), 0);
    ASSERT_EQ(book.tables.size(), 2u); // the inputs, the observer's terms
    EXPECT_EQ(book.tables[1].cells.size(), out["observers"][0]["terms"].size() + 1);

    const auto [status, text] = RunCalc("ugr " + office + " --book " + dir.File("none/x.docx"));
    EXPECT_EQ(status, 1);
    EXPECT_NE(text.find("最大值"), std::string::npos) << text;
}

TEST(RoomUgrCli, HostileInputIsRefused) {
    for (const std::string observer :
         {"abc", "1,2", "1,2,3,4,5", "nan,1,0", "1e400,1,0", "inf,1,0", "1,2,1000", "50,50,0", ",,",
          "", "1,2,0,90", "1,2,-1.2,90", "1,2,nan,90", "1,2,1.2,400"}) {
        const auto [status, out] =
            RunCalc("ugr " + kOffice + " --observer " + ShellQuoted(observer) + " 2>&1");
        EXPECT_EQ(status, 1) << observer << out;
        EXPECT_NE(out.find("请重新输入"), std::string::npos) << observer << out;
    }
    for (const std::string eye : {"abc", "0", "-1", "inf", "1e9", ""}) {
        const auto [status, out] = RunCalc("ugr " + kOffice + " --eye " + ShellQuoted(eye));
        EXPECT_EQ(status, 1) << eye << out;
        EXPECT_NE(out.find("眼睛高度"), std::string::npos) << eye << out;
    }
    // An eye above the luminaires, an outdoor project, a missing file.
    EXPECT_EQ(RunCalc("ugr " + kOffice + " --eye 5").first, 1);
    EXPECT_EQ(RunCalc("ugr " QV_SOURCE_DIR "/data/examples/site_and_road.col").first, 1);
    EXPECT_EQ(RunCalc("ugr /nonexistent/room.cil").first, 1);
}

} // namespace
} // namespace qv::test
