// The dialog "项目信息" without its window, and the project information in the undo
// history: an edit of it alone is a step, and undo gives it back to the project.
#include "panels/ProjectInfoDialogModel.h"
#include "panels/ProjectHistory.h"

#include <kelvorin/KvMessage.h>

#include <gtest/gtest.h>

namespace qv {
namespace {

TEST(ProjectInfoDialogModelTest, ShowsTodayUntilADateIsSetAndTakesCleanTexts) {
    ProjectInfo info;
    info.designer = "张工";
    ProjectInfoDialogModel model(info);
    ASSERT_EQ(model.Texts().size(), 8u);
    EXPECT_EQ(model.Texts()[3], "张工");
    EXPECT_EQ(model.Texts()[6], TodayText());
    EXPECT_TRUE(model.Result().date.empty()); // shown, not yet taken

    ASSERT_TRUE(model.Take({"滨江", "", "", "张\t工", "", "", "2026-12-07", "甲\r\n乙"}));
    EXPECT_EQ(model.Result().name, "滨江");
    EXPECT_EQ(model.Result().designer, "张 工");
    EXPECT_EQ(model.Result().description, "甲\n乙");
    EXPECT_EQ(model.Texts()[3], "张 工");

    info.date = "2025-01-02";
    EXPECT_EQ(ProjectInfoDialogModel(info).Texts()[6], "2025-01-02");
}

TEST(ProjectInfoDialogModelTest, TooLongTextIsRefusedAndTheOldResultKept) {
    std::vector<KvMessage> shown;
    KvScopedMessageHandler capture([&shown](const KvMessage& message) {
        shown.push_back(message);
        return KvMessageSink::DefaultAnswer(message.buttons);
    });
    ProjectInfo info;
    info.checker = "李工";
    ProjectInfoDialogModel model(info);
    std::vector<std::string> texts = model.Texts();
    texts[4] = std::string(201, 'x');
    EXPECT_FALSE(model.Take(texts));
    EXPECT_EQ(model.RefusedField(), 4);
    EXPECT_EQ(model.Result().checker, "李工");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "校对过长,请不超过200个字!");
    texts[4] = std::string(200, 'x'); // the limit itself is kept
    EXPECT_TRUE(model.Take(texts));
    EXPECT_EQ(model.RefusedField(), -1);
}

TEST(ProjectInfoHistoryTest, InformationAloneIsAnUndoStep) {
    Project project;
    project.kind = kIndoorProject;
    Project edited = project;
    edited.info.name = "滨江";
    EXPECT_FALSE(SameEdits(project, edited));
    ProjectHistory history;
    history.Reset(project);
    EXPECT_TRUE(history.Record(edited));
    ASSERT_TRUE(history.CanUndo());
    const Project* undone = history.Undo();
    ASSERT_NE(undone, nullptr);
    EXPECT_TRUE(undone->info.Empty());
}

} // namespace
} // namespace qv
