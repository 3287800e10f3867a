// The standard place of the room (site) and of the road: kept through a save and a load,
// empty for files written without it, and part of the modified check.
#include "model/Project.h"
#include "model/ProjectFile.h"

#include "model/ProjectTestSupport.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::ElementOutline;
using test::ReadFileText;
using test::TempDir;

Project OutdoorWithPlaces() {
    Project project;
    project.kind = kOutdoorProject;
    project.room.outline = {{0, 0, 0}, {60, 0, 0}, {60, 40, 0}};
    project.room.dLxStandard = 50;
    project.room.standardPlace = {"体育建筑", "室外训练场"};
    project.road.m_dLxStandard = 20;
    project.road.m_standardPlace = {"道路", "主干路"};
    return project;
}

TEST(StandardPlaceFile, PlacesReadBackAfterTheOtherElements) {
    TempDir dir;
    const std::string path = dir.File("p.col");
    const Project saved = OutdoorWithPlaces();
    ASSERT_TRUE(SaveProject(saved, path));
    Project loaded;
    ASSERT_TRUE(LoadProject(path, loaded));
    EXPECT_EQ(loaded.room.standardPlace, saved.room.standardPlace);
    EXPECT_EQ(loaded.road.m_standardPlace, saved.road.m_standardPlace);
    const std::vector<std::string> outline = ElementOutline(path);
    ASSERT_FALSE(outline.empty());
    EXPECT_EQ(outline.back().find("Main/照度标准场所"), 0u) << outline.back();
}

TEST(StandardPlaceFile, FilesWithoutPlacesLoadWithNone) {
    TempDir dir;
    const std::string path = dir.File("old.cil");
    Project project;
    project.kind = kIndoorProject;
    project.room.outline = {{0, 0, 0}, {6, 0, 0}, {6, 4, 0}, {0, 4, 0}};
    project.room.dLxStandard = 300;
    ASSERT_TRUE(SaveProject(project, path));
    EXPECT_EQ(ReadFileText(path).find("照度标准场所"), std::string::npos);

    Project loaded;
    loaded.room.standardPlace = {"办公建筑", "普通办公室"}; // nothing carries over
    ASSERT_TRUE(LoadProject(path, loaded, LoadOptions{false}));
    EXPECT_TRUE(loaded.room.standardPlace.Empty());
    EXPECT_DOUBLE_EQ(loaded.room.dLxStandard, 300);
}

TEST(StandardPlaceFile, SavingWithoutPlaceOverAFileWithOneClearsIt) {
    TempDir dir;
    const std::string path = dir.File("p.col");
    Project project = OutdoorWithPlaces();
    ASSERT_TRUE(SaveProject(project, path));
    project.room.standardPlace = {};
    project.road.m_standardPlace = {};
    ASSERT_TRUE(SaveProject(project, path));
    Project loaded;
    ASSERT_TRUE(LoadProject(path, loaded, LoadOptions{false}));
    EXPECT_TRUE(loaded.room.standardPlace.Empty());
    EXPECT_TRUE(loaded.road.m_standardPlace.Empty());
}

TEST(StandardPlaceFile, APlaceAloneIsAnEdit) {
    Project a = OutdoorWithPlaces();
    Project b = a;
    b.road.m_standardPlace = {};
    EXPECT_FALSE(a == b);
    b = a;
    b.room.standardPlace.place = "室外场地";
    EXPECT_FALSE(a == b);
}

TEST(StandardPlaceFile, PlaceTextNeedsBothHalves) {
    EXPECT_EQ(StandardPlace::FromText("办公建筑/普通办公室"),
              (StandardPlace{"办公建筑", "普通办公室"}));
    EXPECT_EQ(StandardPlace::FromText("a/b/c").place, "b/c");
    EXPECT_TRUE(StandardPlace::FromText("办公建筑").Empty());
    EXPECT_TRUE(StandardPlace::FromText("/普通办公室").Empty());
    EXPECT_TRUE(StandardPlace::FromText("办公建筑/").Empty());
}

} // namespace
} // namespace qv
