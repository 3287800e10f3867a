// The project information: its place in the project file, old files without it, the
// modified check, and hostile texts cleaned as they are kept.
#include "model/ProjectInfo.h"
#include "model/ProjectFile.h"

#include "model/ProjectTestSupport.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

using test::ReadFileText;
using test::TempDir;
using test::WriteFileText;

ProjectInfo SampleInfo() {
    ProjectInfo info;
    info.name = "滨江办公楼照明";
    info.client = "滨江置业有限公司";
    info.designUnit = "市建筑设计院";
    info.designer = "张工";
    info.checker = "李工";
    info.reviewer = "王工";
    info.date = "2026-12-07";
    info.description = "一层办公区\n二层会议室";
    return info;
}

Project IndoorProject() {
    Project project;
    project.kind = kIndoorProject;
    project.room.outline = {{0, 0, 0}, {6, 0, 0}, {6, 4, 0}};
    return project;
}

TEST(ProjectInfoFileTest, RoundTripKeepsEveryFieldAfterTheOtherElements) {
    TempDir dir;
    const std::string path = dir.File("info.cil");
    Project project = IndoorProject();
    project.info = SampleInfo();
    ASSERT_TRUE(SaveProject(project, path));
    const std::string text = ReadFileText(path);
    EXPECT_GT(text.find("<项目信息>"), text.find("<灯具>"));
    EXPECT_NE(text.find("<工程名称>滨江办公楼照明</工程名称>"), std::string::npos);

    Project loaded;
    ASSERT_TRUE(LoadProject(path, loaded, {false}));
    EXPECT_EQ(loaded.info, project.info);
    EXPECT_EQ(loaded.info.description, "一层办公区\n二层会议室");
    EXPECT_TRUE(loaded == project);

    // Cleared values are written over the stored ones, not left by the merge.
    loaded.info = ProjectInfo();
    ASSERT_TRUE(SaveProject(loaded, path));
    Project again;
    again.info = SampleInfo();
    ASSERT_TRUE(LoadProject(path, again, {false}));
    EXPECT_TRUE(again.info.Empty());
}

TEST(ProjectInfoFileTest, OldFileLoadsEmptyAndIsNotRewritten) {
    TempDir dir;
    const std::string path = dir.File("old.cil");
    ASSERT_TRUE(SaveProject(IndoorProject(), path));
    const std::string before = ReadFileText(path);
    EXPECT_EQ(before.find("项目信息"), std::string::npos);

    Project loaded;
    loaded.info = SampleInfo(); // defaults from a previous project must not survive
    ASSERT_TRUE(LoadProject(path, loaded));
    EXPECT_TRUE(loaded.info.Empty());
    EXPECT_EQ(ReadFileText(path), before);
}

TEST(ProjectInfoFileTest, HostileStoredTextsAreCleanedOnLoad) {
    TempDir dir;
    const std::string path = dir.File("hostile.cil");
    const std::string longName(5000, 'x');
    WriteFileText(path,
                  "<?xml version=\"1.0\" ?><Main><计算类型>0</计算类型><项目信息>"
                  "<工程名称>" +
                      longName +
                      "</工程名称><设计者>A&#7;B\tC</设计者>"
                      "<描述>第一行&#13;\n第二行</描述><审核>\xff\xfe王</审核></项目信息></Main>");
    Project loaded;
    ASSERT_TRUE(LoadProject(path, loaded, {false}));
    EXPECT_EQ(loaded.info.name.size(), FindProjectInfoField("工程名称")->limit);
    EXPECT_EQ(loaded.info.designer, "AB C");
    EXPECT_EQ(loaded.info.description, "第一行\n第二行");
    EXPECT_EQ(loaded.info.reviewer, "??王");
}

TEST(ProjectInfoTest, EditsCountAsChangesForEveryKind) {
    for (int kind : {static_cast<int>(kIndoorProject), static_cast<int>(kOutdoorProject),
                     static_cast<int>(kNoProject)}) {
        Project a;
        a.kind = kind;
        Project b = a;
        b.info.checker = "李工";
        EXPECT_FALSE(a == b) << kind;
    }
}

TEST(ProjectInfoTest, CleaningKeepsWholeCharactersAndLineFeedsOnlyWhereAllowed) {
    EXPECT_EQ(CleanInfoText("照明设计院", false, 3), "照明设");
    EXPECT_EQ(CleanInfoText("a\nb", false, 10), "ab");
    EXPECT_EQ(CleanInfoText("a\r\nb", true, 10), "a\nb");
    EXPECT_EQ(CleanInfoText(std::string("a\0b", 3), false, 10), "ab");
    EXPECT_EQ(CleanInfoText("\xe7\x85", false, 10), "??");      // a cut sequence
    EXPECT_EQ(CleanInfoText("\xed\xa0\x80", false, 10), "???"); // a surrogate
    EXPECT_EQ(InfoTextLength("张工ab"), 4u);
    EXPECT_EQ(FindProjectInfoField("客户"), nullptr);
    ASSERT_NE(FindProjectInfoField("描述"), nullptr);
    EXPECT_TRUE(FindProjectInfoField("描述")->multiline);
    EXPECT_EQ(TodayText().size(), 10u);
}

} // namespace
} // namespace qv
