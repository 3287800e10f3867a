// quorvel-calc info --place: the place and its standard illuminance stored in the project,
// the site and the road of an outdoor one, refusals that leave the file alone, and the
// lumen-method book that then names the standard.
#include "model/Project.h"
#include "model/ProjectFile.h"
#include "model/ProjectTestSupport.h"
#include "report/BookReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/wait.h>

namespace qv {
namespace {

using test::ReadFileText;
using test::TempDir;

const std::string kExamples = QV_SOURCE_DIR "/data/examples/";

int Calc(const std::string& arguments, std::string* out = nullptr) {
    // One log per test: ctest runs the tests of this suite side by side.
    const std::string log =
        std::filesystem::path(::testing::TempDir()) /
        (std::string("qv_place_cli_") +
         ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt");
    const int status =
        std::system((std::string(QV_CALC_PATH) + " " + arguments + " >" + log + " 2>&1").c_str());
    if (out != nullptr) {
        *out = ReadFileText(log);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Copy(const TempDir& dir, const std::string& name) {
    const std::string path = dir.File(name);
    std::filesystem::copy_file(kExamples + name, path);
    return path;
}

Project Load(const std::string& path) {
    Project project;
    EXPECT_TRUE(LoadProject(path, project, LoadOptions{false}));
    return project;
}

const std::string kCatalogue = std::string(" --catalogue ") + QV_CATALOGUE_PATH;

TEST(PlaceCli, SetsTheRoomsPlaceAndItsIlluminance) {
    TempDir dir;
    const std::string office = Copy(dir, "office.cil");
    std::string out;
    ASSERT_EQ(Calc("info " + office + " --place '办公建筑/普通办公室'" + kCatalogue, &out), 0)
        << out;
    EXPECT_NE(out.find("办公建筑/普通办公室, 300 lx"), std::string::npos) << out;
    const Project project = Load(office);
    EXPECT_EQ(project.room.standardPlace, (StandardPlace{"办公建筑", "普通办公室"}));
    EXPECT_EQ(project.room.dLxStandard, 300.0);

    // The lumen-method book now judges against the place and names the standard.
    const std::string book = dir.File("cu.docx");
    ASSERT_EQ(Calc("cu " + office + " --book " + book, &out), 0) << out;
    const test::BookDocument read = test::ReadBook(book);
    EXPECT_GE(read.Find("依据《建筑照明设计标准》GB/T 50034-2024,场所:办公建筑/普通办公室"), 0);
    ASSERT_FALSE(read.tables.empty());
    EXPECT_EQ(read.tables.back().cells[0][0], "项目");
    EXPECT_EQ(Calc("info " + office, &out), 0);
    EXPECT_NE(out.find("照度标准场所(房间): 办公建筑/普通办公室"), std::string::npos) << out;
}

TEST(PlaceCli, SiteAndRoadOfAnOutdoorProject) {
    TempDir dir;
    const std::string site = Copy(dir, "site_and_road.col");
    std::string out;
    ASSERT_EQ(Calc("info " + site + " --target road --place '办公建筑/会议室'" + kCatalogue, &out),
              0)
        << out;
    Project project = Load(site);
    EXPECT_EQ(project.road.m_standardPlace.place, "会议室");
    EXPECT_EQ(project.road.m_dLxStandard, 300.0);
    EXPECT_TRUE(project.room.standardPlace.Empty());
    EXPECT_EQ(project.room.dLxStandard, 30.0);
    ASSERT_EQ(Calc("info " + site + " --place '办公建筑/普通办公室'" + kCatalogue, &out), 0) << out;
    project = Load(site);
    EXPECT_EQ(project.room.standardPlace.place, "普通办公室");
    EXPECT_EQ(project.road.m_standardPlace.place, "会议室");
}

TEST(PlaceCli, RefusalsLeaveTheFileAsItWas) {
    TempDir dir;
    const std::string office = Copy(dir, "office.cil");
    const std::string before = ReadFileText(office);
    std::string out;
    EXPECT_EQ(Calc("info " + office + " --place 办公建筑" + kCatalogue, &out), 1);
    EXPECT_NE(out.find("类别/场所"), std::string::npos) << out;
    EXPECT_EQ(Calc("info " + office + " --place '办公建筑/没有的场所'" + kCatalogue, &out), 1);
    EXPECT_NE(out.find("no place"), std::string::npos) << out;
    EXPECT_EQ(Calc("info " + office + " --target road --place '办公建筑/会议室'" + kCatalogue), 1);
    EXPECT_EQ(Calc("info " + office + " --target sky --place '办公建筑/会议室'" + kCatalogue), 2);
    EXPECT_EQ(ReadFileText(office), before);
}

} // namespace
} // namespace qv
