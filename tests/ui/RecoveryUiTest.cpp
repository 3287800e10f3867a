// Crash recovery in the running program: a modified project is copied beside the settings
// (by the timer and before a calculation), the next start after a crash offers it, 是
// brings it back modified over its file with one undo step to the file, 否 removes it,
// and a save or a normal exit leaves no copy.
#include "panels/CommandTable.h"
#include "ui/SinglePointPanelWindow.h"
#include "ui/UiTestSupport.h"

#include <QApplication>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace qv::test {
namespace {

class RecoveryUi : public UiTest {
protected:
    // This program's copy and note (named by its process id).
    std::string CopyFile() const { return dir.File(Stem() + ".cil"); }
    std::string NoteFile() const { return dir.File(Stem() + ".note"); }
    static std::string Stem() { return "recovery-" + std::to_string(::getpid()); }
    int Luminaires() const { return window->Registry().editing.luminaires->RowCount(); }
    // Removes the first luminaire as the bar's 删除 does, one edit.
    void RemoveFirstLuminaire() {
        window->Registry().editing.luminaires->RemoveRow(0);
        window->ProjectEdited();
    }
    // The program ends without closing its window, and its process is gone: the note
    // names a process id no process can have.
    void Crash() {
        window.reset();
        const std::string note = NoteFile();
        std::ifstream in(note, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        const std::string content = text.str();
        ASSERT_NE(content.find(' '), std::string::npos);
        in.close();
        std::ofstream(note, std::ios::binary | std::ios::trunc)
            << "2147483646" << content.substr(content.find(' '));
    }
};

TEST_F(RecoveryUi, AfterACrashTheModifiedProjectComesBackAndUndoLeadsToItsFile) {
    const std::string office = Example("office.cil");
    Start({}, {QString::fromStdString(office)});
    const int stored = Luminaires();
    ASSERT_GT(stored, 1);
    window->Commands().KeepRecoveryCopy(); // nothing modified: no copy
    EXPECT_FALSE(std::filesystem::exists(CopyFile()));
    RemoveFirstLuminaire();
    window->Commands().KeepRecoveryCopy(); // as the timer does
    ASSERT_TRUE(std::filesystem::exists(CopyFile()));
    Crash();

    messages.answers = {KvMessageAnswer::Yes};
    MainWindow& w = Start({}, {QString::fromStdString(office)});
    ASSERT_FALSE(messages.shown.empty());
    EXPECT_EQ(messages.shown[0].caption, "恢复工程");
    EXPECT_NE(messages.shown[0].text.find(office), std::string::npos);
    EXPECT_EQ(dialogs.welcomeShown, 0);
    EXPECT_EQ(Luminaires(), stored - 1);
    EXPECT_EQ(w.CurrentProject().path, office);
    EXPECT_TRUE(w.windowTitle().startsWith(QStringLiteral("office.cil*")));
    EXPECT_TRUE(std::filesystem::exists(CopyFile())); // kept until the project is saved
    Trigger(kCmdUndo);
    EXPECT_EQ(Luminaires(), stored);
    Trigger(kCmdRedo);

    // A normal exit (not saving) leaves no copy behind.
    messages.answers = {KvMessageAnswer::No};
    EXPECT_TRUE(w.close());
    EXPECT_FALSE(std::filesystem::exists(CopyFile()));
    EXPECT_FALSE(std::filesystem::exists(NoteFile()));
}

TEST_F(RecoveryUi, DecliningRemovesTheCopyAndOpensTheFileNamed) {
    const std::string office = Example("office.cil");
    Start({}, {QString::fromStdString(office)});
    const int stored = Luminaires();
    RemoveFirstLuminaire();
    window->Commands().KeepRecoveryCopy();
    Crash();

    messages.answers = {KvMessageAnswer::No};
    Start({}, {QString::fromStdString(office)});
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(Luminaires(), stored);
    EXPECT_FALSE(std::filesystem::exists(CopyFile()));
    window.reset();
    messages.shown.clear();
    Start({}, {QString::fromStdString(office)}); // nothing left to offer
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(RecoveryUi, ACalculationCopiesTheEditsAndASaveRemovesTheCopy) {
    Start({}, {QString::fromStdString(Example("office.cil"))});
    RemoveFirstLuminaire();
    auto* panel = &Open<SinglePointPanelWindow>(kCmdPointIlluminance);
    Button(*panel, QStringLiteral("新  增")).click();
    Button(*panel, QStringLiteral("计  算")).click();
    EXPECT_TRUE(std::filesystem::exists(CopyFile()));
    Trigger(kCmdSave);
    EXPECT_FALSE(std::filesystem::exists(CopyFile()));
    window->Commands().KeepRecoveryCopy(); // saved: nothing to copy
    EXPECT_FALSE(std::filesystem::exists(CopyFile()));
}

} // namespace
} // namespace qv::test
