// The undo history of the project's edits, the commands that record and restore its steps
// through the panels, and the window title's modified mark.
#include "panels/ProjectHistory.h"
#include "model/ProjectTestSupport.h"
#include "panels/ProjectCommands.h"

#include <gtest/gtest.h>

#include <deque>

namespace qv {
namespace {

Project Indoor(double length) {
    Project project;
    project.kind = kIndoorProject;
    project.room.dLength = length;
    return project;
}

TEST(ProjectHistory, UndoRedoAndANewEditCutsTheStepsAhead) {
    ProjectHistory history;
    EXPECT_FALSE(history.Started());
    EXPECT_EQ(history.Undo(), nullptr);
    history.Reset(Indoor(1));
    EXPECT_TRUE(history.Record(Indoor(2)));
    EXPECT_TRUE(history.Record(Indoor(3)));
    EXPECT_EQ(history.UndoSteps(), 2);

    ASSERT_NE(history.Undo(), nullptr);
    const Project* first = history.Undo();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->room.dLength, 1.0);
    EXPECT_EQ(history.Undo(), nullptr); // nothing before the start
    EXPECT_EQ(history.RedoSteps(), 2);
    EXPECT_EQ(history.Redo()->room.dLength, 2.0);

    EXPECT_TRUE(history.Record(Indoor(4))); // 3 can no longer be redone
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.Redo(), nullptr);
    EXPECT_EQ(history.Undo()->room.dLength, 2.0);
    EXPECT_EQ(history.Redo()->room.dLength, 4.0);
}

TEST(ProjectHistory, OnlyRealEditsMakeSteps) {
    Project start = Indoor(5);
    Luminaire luminaire;
    luminaire.sName = "A";
    start.luminaires.Add(luminaire);
    ProjectHistory history;
    EXPECT_FALSE(history.Record(start)); // the first record starts the history
    EXPECT_TRUE(history.Started());
    EXPECT_FALSE(history.Record(start));

    // The unit-capacity working values are no edit, but the current state keeps them.
    Project working = start;
    working.luminaires.At(0).unitCapacity.nCount = 7;
    working.luminaires.At(0).dLastContribution = 12.5;
    EXPECT_FALSE(history.Record(working));
    EXPECT_EQ(history.Current().luminaires.At(0).unitCapacity.nCount, 7);
    EXPECT_EQ(history.UndoSteps(), 0);

    // What Luminaire's == leaves out but the user changes is an edit.
    Project curves = working;
    curves.luminaires.At(0).curveA.Append(IntensityRow{});
    EXPECT_TRUE(history.Record(curves));
    Project aim = curves;
    aim.luminaires.At(0).ptAim = {1, 2, 0};
    EXPECT_TRUE(history.Record(aim));
    // The room counts before a kind was chosen, and the road of an indoor project too.
    Project road = aim;
    road.road.m_dLength = 40;
    EXPECT_TRUE(history.Record(road));
    Project none;
    Project noneEdited;
    noneEdited.room.dWidth = 3;
    history.Reset(none);
    EXPECT_TRUE(history.Record(noneEdited));
    EXPECT_FALSE(SameEdits(none, noneEdited));
    EXPECT_TRUE(SameEdits(aim, aim));
}

TEST(ProjectHistory, CleanStateMarksTheModifiedProject) {
    ProjectHistory history;
    EXPECT_FALSE(history.IsModified());
    history.Reset(Indoor(1));
    EXPECT_FALSE(history.IsModified());
    history.Record(Indoor(2));
    EXPECT_TRUE(history.IsModified());
    history.Undo();
    EXPECT_FALSE(history.IsModified()); // back at what was opened
    history.Record(Indoor(3));
    history.Record(Indoor(1)); // typed back to the opened value
    EXPECT_FALSE(history.IsModified());
    history.Record(Indoor(4));
    history.MarkClean(); // saved
    EXPECT_FALSE(history.IsModified());
    history.Undo();
    EXPECT_TRUE(history.IsModified());
    history.Redo();
    EXPECT_FALSE(history.IsModified());
    history.Reset(Indoor(9));
    EXPECT_FALSE(history.IsModified());
    EXPECT_FALSE(history.CanUndo());
}

TEST(ProjectHistory, DepthDropsTheOldestSteps) {
    ProjectHistory history;
    history.Reset(Indoor(0));
    for (int step = 1; step <= 250; ++step) {
        history.Record(Indoor(step));
    }
    EXPECT_EQ(history.UndoSteps(), ProjectHistory::kDefaultDepth);
    while (history.CanUndo()) {
        history.Undo();
    }
    EXPECT_EQ(history.Current().room.dLength, 50.0);
    EXPECT_EQ(history.RedoSteps(), 200);

    // A budget of bytes: heavy snapshots (floodlights with their intensity grids) keep
    // fewer steps, but one step can always be undone.
    Project heavy = Indoor(0);
    Luminaire floodlight;
    for (int row = 0; row < 841; ++row) {
        floodlight.floodTable.Append(FloodIntensityRow{});
    }
    heavy.luminaires.Add(floodlight);
    const size_t bytes = SnapshotBytes(heavy);
    EXPECT_GT(bytes, 841 * sizeof(FloodIntensityRow));
    ProjectHistory budgeted(ProjectHistory::kDefaultDepth, 3 * bytes + bytes / 2);
    budgeted.Reset(heavy);
    for (int step = 1; step <= 10; ++step) {
        heavy.room.dLength = step;
        budgeted.Record(heavy);
    }
    EXPECT_EQ(budgeted.UndoSteps(), 2); // three snapshots fit
    ProjectHistory tiny(ProjectHistory::kDefaultDepth, 1);
    tiny.Reset(heavy);
    heavy.room.dLength = 20;
    tiny.Record(heavy);
    heavy.room.dLength = 21;
    tiny.Record(heavy);
    EXPECT_EQ(tiny.UndoSteps(), 1);
    EXPECT_EQ(tiny.Undo()->room.dLength, 20.0);

    ProjectHistory shallow(0); // at least one step is kept
    shallow.Reset(Indoor(0));
    shallow.Record(Indoor(1));
    shallow.Record(Indoor(2));
    EXPECT_EQ(shallow.UndoSteps(), 1);
    EXPECT_EQ(shallow.Undo()->room.dLength, 1.0);
}

// The window's side of the commands: it opens the panels of a kind and answers the file
// dialogs from a queue.
class ScriptedShell : public ProjectShell {
public:
    explicit ScriptedShell(EditingPanels& panels) : m_panels(panels) {}
    std::deque<std::optional<std::string>> files;
    int distributed = 0;
    int historyChanges = 0;

    std::optional<std::string> ChooseFile(const FileDialogSpec&) override {
        if (files.empty()) {
            return std::nullopt;
        }
        std::optional<std::string> file = files.front();
        files.pop_front();
        return file;
    }
    StartChoice ChooseStart() override { return StartChoice::kClosed; }
    void SwitchKind(int kind) override {
        m_panels.CloseAll();
        if (kind == kIndoorProject) {
            m_panels.room = std::make_unique<RoomPanelModel>();
        } else {
            m_panels.site = std::make_unique<SitePanelModel>();
            m_panels.road = std::make_unique<RoadPanelModel>();
        }
        m_panels.luminaires = std::make_unique<LuminaireListPanelModel>();
    }
    void ShowPath(const std::string&) override {}
    void PanelsDistributed() override { ++distributed; }
    void HistoryChanged() override { ++historyChanges; }

private:
    EditingPanels& m_panels;
};

class ProjectUndo : public ::testing::Test {
protected:
    std::string Title() const { return commands.WindowTitle("T"); }
    void AddLuminaire(const std::string& name, double x) {
        Luminaire luminaire;
        luminaire.sName = name;
        luminaire.ptCenter = {x, 1, 3};
        panels.luminaires->Append(luminaire);
    }

    test::TempDir dir;
    Project project;
    EditingPanels panels;
    ScriptedShell shell{panels};
    ProjectCommands commands{project, panels, shell};
};

TEST_F(ProjectUndo, StepsGoBackToThePanelsWithoutNewSteps) {
    EXPECT_EQ(Title(), "T"); // no project yet
    commands.SwitchTo(kIndoorProject);
    EXPECT_EQ(Title(), "未命名 - T");
    EXPECT_FALSE(commands.History().CanUndo());

    AddLuminaire("A", 2);
    EXPECT_TRUE(commands.RecordEdit());
    EXPECT_EQ(Title(), "未命名* - T");
    panels.room->Fields().length = "7";
    EXPECT_TRUE(commands.RecordEdit());
    EXPECT_FALSE(commands.RecordEdit()); // nothing new

    const int distributed = shell.distributed;
    EXPECT_TRUE(commands.Undo());
    EXPECT_EQ(panels.room->Fields().length, "0");
    EXPECT_EQ(panels.luminaires->RowCount(), 1);
    EXPECT_EQ(shell.distributed, distributed + 1);
    EXPECT_FALSE(commands.RecordEdit()); // what was distributed is the current step
    EXPECT_TRUE(commands.Undo());
    EXPECT_EQ(panels.luminaires->RowCount(), 0);
    EXPECT_EQ(Title(), "未命名 - T");
    EXPECT_FALSE(commands.Undo());

    EXPECT_TRUE(commands.Redo());
    EXPECT_TRUE(commands.Redo());
    EXPECT_EQ(panels.room->Fields().length, "7");
    EXPECT_EQ(panels.luminaires->Working().At(0).sName, "A");
    EXPECT_FALSE(commands.Redo());

    // An edit not yet recorded (a field still being typed in) is undone first.
    panels.luminaires->MoveRow(0, {5, 5, 3});
    EXPECT_TRUE(commands.Undo());
    EXPECT_EQ(panels.luminaires->Working().At(0).ptCenter, (Vector{2, 1, 3}));
    EXPECT_TRUE(commands.Redo());
    EXPECT_EQ(panels.luminaires->Working().At(0).ptCenter, (Vector{5, 5, 3}));
    EXPECT_GT(shell.historyChanges, 0);
}

TEST_F(ProjectUndo, SaveAndOpenSetTheCleanStateAndOpenStartsAfresh) {
    commands.SwitchTo(kIndoorProject);
    AddLuminaire("A", 2);
    commands.RecordEdit();
    const std::string path = dir.File("office.cil");
    shell.files = {path};
    ASSERT_TRUE(commands.Save());
    EXPECT_EQ(Title(), "office.cil - T");
    EXPECT_TRUE(commands.History().CanUndo()); // saving keeps the steps

    AddLuminaire("B", 4);
    commands.RecordEdit();
    EXPECT_EQ(Title(), "office.cil* - T");
    commands.Undo();
    EXPECT_EQ(Title(), "office.cil - T");
    commands.Undo();
    EXPECT_EQ(Title(), "office.cil* - T"); // before what was saved

    // A save of an edit not yet recorded records it and marks it clean.
    commands.Redo();
    panels.room->Fields().width = "6";
    ASSERT_TRUE(commands.Save());
    EXPECT_EQ(Title(), "office.cil - T");
    commands.Undo();
    EXPECT_EQ(panels.room->Fields().width, "0");
    EXPECT_EQ(Title(), "office.cil* - T");

    ASSERT_TRUE(commands.OpenPath(path));
    EXPECT_FALSE(commands.History().CanUndo());
    EXPECT_FALSE(commands.History().CanRedo());
    EXPECT_EQ(panels.room->Fields().width, "6");
    EXPECT_EQ(Title(), "office.cil - T");

    commands.SwitchTo(kOutdoorProject); // a kind switch starts afresh too
    EXPECT_FALSE(commands.History().CanUndo());
    EXPECT_FALSE(commands.History().IsModified());
}

} // namespace
} // namespace qv
