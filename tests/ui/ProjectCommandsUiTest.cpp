// New, Open, Save and Save As through the real window with the dialogs and the prompt
// answered by the test: the modified check in every case, exit included, and Open
// keeping the old path when the chosen file cannot be read.
#include "model/ProjectFile.h"
#include "panels/CommandTable.h"
#include "ui/CornerGridView.h"
#include "ui/OutlinePanelViews.h"
#include "ui/StatusPanes.h"
#include "ui/UiTestSupport.h"
#include "ui/WindowPlacement.h"

#include <QTest>

namespace qv::test {
namespace {

class ProjectCommandsUi : public UiTest {
protected:
    // Adds corners to the room with "增 加".
    void AddCorners(int count) {
        for (int i = 0; i < count; ++i) {
            Button(*window->RoomView(), QStringLiteral("增 加")).click();
        }
    }
    int Corners() const { return window->RoomView()->Corners()->Grid()->rowCount(); }
    void ExpectSavePrompt(const KvMessage& message) {
        EXPECT_EQ(message.text, "当前工程未保存，保存吗？");
        EXPECT_EQ(message.caption, "系统提示");
        EXPECT_EQ(message.buttons, KvMessageButtons::YesNoCancel);
        EXPECT_EQ(message.icon, KvMessageIcon::Warning);
    }
};

TEST_F(ProjectCommandsUi, SaveAsksForAPathOnceAndPanelEditsReachTheFile) {
    MainWindow& w = Start({StartChoice::kNewIndoor});
    RoomPanelView& room = *w.RoomView();
    QTest::keyClicks(&Field(room, QStringLiteral("总长")), QStringLiteral("2.5"));
    AddCorners(2);
    EditCell(*room.Corners()->Grid(), 1, 0, QStringLiteral("7.25"));
    const std::string path = dir.File("room.cil");
    dialogs.files = {path};
    Trigger(kCmdSave);
    ASSERT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(dialogs.fileDialogs[0].filter, SaveProjectDialog(kIndoorProject).filter);
    EXPECT_EQ(w.Status().PaneText(StatusPanes::kPath), QString::fromStdString(path));
    Project saved;
    ASSERT_TRUE(LoadProject(path, saved));
    EXPECT_EQ(saved.kind, kIndoorProject);
    EXPECT_EQ(saved.room.dLength, 2.5);
    ASSERT_EQ(saved.room.outline.size(), 2u);
    EXPECT_EQ(saved.room.outline[1], (Vector{7.25, 0, 0}));

    AddCorners(1); // the second Save writes silently to the same path
    Trigger(kCmdSave);
    EXPECT_EQ(dialogs.fileDialogs.size(), 1u);
    ASSERT_TRUE(LoadProject(path, saved));
    EXPECT_EQ(saved.room.outline.size(), 3u);

    const std::string other = dir.File("other.cil"); // Save As always asks
    dialogs.files = {std::nullopt, other};
    Trigger(kCmdSaveAs);
    EXPECT_EQ(w.CurrentProject().path, path); // cancelled
    Trigger(kCmdSaveAs);
    ASSERT_EQ(dialogs.fileDialogs.size(), 3u);
    EXPECT_EQ(DialogNameFilters(dialogs.fileDialogs[2].filter),
              QStringList{QStringLiteral("室内设计存档 (*.cil)")});
    EXPECT_EQ(w.CurrentProject().path, other);
    EXPECT_EQ(w.Status().PaneText(StatusPanes::kPath), QString::fromStdString(other));
    EXPECT_TRUE(std::filesystem::exists(other));
}

TEST_F(ProjectCommandsUi, NewAsksOnlyForUnsavedWorkThatIsNotEmpty) {
    MainWindow& w = Start({StartChoice::kNewIndoor});
    AddCorners(1); // fewer than two corners and no luminaires: empty
    dialogs.starts = {StartChoice::kNewIndoor};
    Trigger(kCmdNew);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(dialogs.welcomeShown, 2);
    EXPECT_EQ(Corners(), 0); // a new project in fresh panels

    AddCorners(2);
    messages.answers = {KvMessageAnswer::Cancel};
    Trigger(kCmdNew);
    ASSERT_EQ(messages.shown.size(), 1u);
    ExpectSavePrompt(messages.shown[0]);
    EXPECT_EQ(dialogs.welcomeShown, 2); // cancelled: nothing changed
    EXPECT_EQ(Corners(), 2);

    // Yes shows the save dialog; cancelling it stops New with the project kept, and a
    // save that fails (a folder that is not there) stops it too.
    messages.answers = {KvMessageAnswer::Yes};
    dialogs.files = {std::nullopt};
    dialogs.starts = {StartChoice::kNewOutdoor};
    Trigger(kCmdNew);
    EXPECT_EQ(dialogs.fileDialogs.size(), 1u);
    EXPECT_EQ(dialogs.welcomeShown, 2);
    EXPECT_EQ(w.CurrentProject().kind, kIndoorProject);
    EXPECT_EQ(Corners(), 2);
    messages.answers = {KvMessageAnswer::Yes};
    dialogs.files = {dir.File("missing/folder/new.cil")};
    Trigger(kCmdNew);
    EXPECT_EQ(dialogs.welcomeShown, 2);
    EXPECT_EQ(Corners(), 2);
    dialogs.starts = {StartChoice::kNewOutdoor};
    messages.answers = {KvMessageAnswer::Yes};
    dialogs.files = {dir.File("saved.cil")};
    Trigger(kCmdNew);
    EXPECT_EQ(dialogs.welcomeShown, 3);
    EXPECT_EQ(w.CurrentProject().kind, kOutdoorProject);
    const size_t asked = messages.shown.size();

    // An outdoor project is never empty: New always asks.
    messages.answers = {KvMessageAnswer::No};
    dialogs.starts = {StartChoice::kNewIndoor};
    Trigger(kCmdNew);
    EXPECT_EQ(messages.shown.size(), asked + 1);
    EXPECT_EQ(w.CurrentProject().kind, kIndoorProject);
}

TEST_F(ProjectCommandsUi, NewOnASavedProjectMatchingItsFileAsksNothing) {
    const std::string office = Example("office.cil");
    MainWindow& w = Start({}, {QString::fromStdString(office)});
    dialogs.starts = {StartChoice::kClosed};
    Trigger(kCmdNew);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(dialogs.welcomeShown, 1);
    // Closing the choice cancels 新建: the project, its path and its panels stay.
    EXPECT_EQ(w.CurrentProject().path, office);
    EXPECT_EQ(w.CurrentProject().kind, kIndoorProject);
    EXPECT_EQ(Corners(), 4);
    // So does cancelling the open dialog of the choice "打开".
    dialogs.starts = {StartChoice::kOpenFile};
    dialogs.files = {std::nullopt};
    Trigger(kCmdNew);
    EXPECT_EQ(w.CurrentProject().path, office);
    EXPECT_EQ(Corners(), 4);
    // A new project of the chosen kind: no path, fresh panels, nothing to ask on exit.
    dialogs.starts = {StartChoice::kNewIndoor};
    Trigger(kCmdNew);
    EXPECT_TRUE(w.CurrentProject().path.empty());
    EXPECT_EQ(w.CurrentProject().kind, kIndoorProject);
    EXPECT_EQ(Corners(), 0);
    ASSERT_TRUE(w.close());
    EXPECT_TRUE(messages.shown.empty());

    // Yes saves a changed project to its own file before going on.
    const size_t fileDialogs = dialogs.fileDialogs.size();
    Start({}, {QString::fromStdString(office)});
    AddCorners(1);
    messages.answers = {KvMessageAnswer::Yes};
    dialogs.starts = {StartChoice::kNewIndoor};
    Trigger(kCmdNew);
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(dialogs.fileDialogs.size(), fileDialogs); // saved to its own file
    Project saved;
    ASSERT_TRUE(LoadProject(office, saved));
    EXPECT_EQ(saved.room.outline.size(), 5u);
}

TEST_F(ProjectCommandsUi, OpenKeepsTheOldPathWhenTheFileCannotBeRead) {
    const std::string office = Example("office.cil");
    MainWindow& w = Start({}, {QString::fromStdString(office)});
    const int corners = Corners();
    const std::string broken = dir.File("broken.cil");
    WriteFileText(broken, "<Main><unclosed>");
    dialogs.files = {broken};
    Trigger(kCmdOpen);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("无法读取工程文件"), std::string::npos);
    EXPECT_NE(messages.shown[0].text.find(broken), std::string::npos);
    EXPECT_EQ(messages.shown[0].caption, "系统提示");
    EXPECT_NE(messages.shown[0].text.find("文件不是有效的XML（第1行"), std::string::npos)
        << messages.shown[0].text;
    EXPECT_EQ(w.CurrentProject().path, office);
    EXPECT_EQ(w.Status().PaneText(StatusPanes::kPath), QString::fromStdString(office));
    EXPECT_EQ(Corners(), corners);
    // Save As into a folder that does not exist says so in Chinese; the path stays.
    const std::string nowhere = dir.File("missing-folder/office.cil");
    dialogs.files = {nowhere};
    messages.shown.clear();
    Trigger(kCmdSaveAs);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find("文件夹不存在"), std::string::npos)
        << messages.shown[0].text;
    EXPECT_EQ(messages.shown[0].text.find("No such"), std::string::npos);
    EXPECT_EQ(w.CurrentProject().path, office);
    messages.shown.clear();
    // The next Save writes to the old file, not over the one that failed.
    AddCorners(1);
    Trigger(kCmdSave);
    EXPECT_EQ(ReadFileText(broken), "<Main><unclosed>");
    Project saved;
    ASSERT_TRUE(LoadProject(office, saved));
    EXPECT_EQ(static_cast<int>(saved.room.outline.size()), corners + 1);

    // Cancel in the open dialog changes nothing; a missing name opens as an empty
    // outdoor project and leaves an empty project file there.
    dialogs.files = {std::nullopt};
    Trigger(kCmdOpen);
    EXPECT_EQ(w.CurrentProject().path, office);
    const std::string fresh = dir.File("fresh.cil");
    dialogs.files = {fresh};
    Trigger(kCmdOpen);
    EXPECT_EQ(w.CurrentProject().kind, kOutdoorProject);
    EXPECT_EQ(w.CurrentProject().path, fresh);
    EXPECT_TRUE(std::filesystem::exists(fresh));
}

TEST_F(ProjectCommandsUi, ExitAsksToSaveUnsavedWork) {
    MainWindow& w = Start({StartChoice::kNewIndoor});
    AddCorners(2);
    messages.answers = {KvMessageAnswer::Cancel};
    EXPECT_FALSE(w.close()); // Cancel keeps the program open
    EXPECT_TRUE(w.isVisible());
    ASSERT_EQ(messages.shown.size(), 1u);
    ExpectSavePrompt(messages.shown[0]);

    // Yes, then the save dialog cancelled: the program stays open with the work.
    messages.answers = {KvMessageAnswer::Yes};
    dialogs.files = {std::nullopt};
    Trigger(kCmdExit);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(Corners(), 2);

    const std::string path = dir.File("kept.cil");
    messages.answers = {KvMessageAnswer::Yes};
    dialogs.files = {path};
    Trigger(kCmdExit);
    EXPECT_FALSE(w.isVisible());
    Project saved;
    ASSERT_TRUE(LoadProject(path, saved));
    EXPECT_EQ(saved.room.outline.size(), 2u);
    EXPECT_EQ(KvIniFile::ReadKey("主窗口", "showCmd", 0, dir.File("Quorvel.ini")), 1);

    const size_t asked = messages.shown.size();
    Start({StartChoice::kNewOutdoor}); // No closes without saving
    messages.answers = {KvMessageAnswer::No};
    EXPECT_TRUE(window->close());
    EXPECT_EQ(messages.shown.size(), asked + 1);
}

} // namespace
} // namespace qv::test
