// The undo history of the project's edits: steps, what counts as an edit, the clean state
// and the bounds. The window's side (panels, title, menu) is tested under tests/ui.
#include "panels/ProjectHistory.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(history.Undo(), nullptr);
    history.Reset(Indoor(1));
    EXPECT_TRUE(history.Record(Indoor(2)));
    EXPECT_TRUE(history.Record(Indoor(3)));
    history.Undo();
    EXPECT_EQ(history.Undo()->room.dLength, 1.0);
    EXPECT_EQ(history.Undo(), nullptr);
    EXPECT_EQ(history.Redo()->room.dLength, 2.0);
    EXPECT_TRUE(history.Record(Indoor(4))); // 3 can no longer be redone
    EXPECT_EQ(history.Redo(), nullptr);
    EXPECT_EQ(history.Undo()->room.dLength, 2.0);
    EXPECT_EQ(history.Redo()->room.dLength, 4.0);
}

TEST(ProjectHistory, OnlyRealEditsMakeSteps) {
    Project state = Indoor(5);
    state.luminaires.Add(Luminaire());
    ProjectHistory history;
    EXPECT_FALSE(history.Record(state)); // the first record starts the history
    EXPECT_FALSE(history.Record(state));
    // Working values are no edit, but the current state keeps them.
    state.luminaires.At(0).unitCapacity.nCount = 7;
    EXPECT_FALSE(history.Record(state));
    EXPECT_EQ(history.Current().luminaires.At(0).unitCapacity.nCount, 7);
    // What Luminaire's == leaves out but the user changes is an edit, and so is the room
    // before a kind was chosen (Project's == compares only the luminaires then).
    state.luminaires.At(0).curveA.Append(IntensityRow{});
    EXPECT_TRUE(history.Record(state));
    state.luminaires.At(0).ptAim = {1, 2, 0};
    EXPECT_TRUE(history.Record(state));
    state.kind = kNoProject;
    history.Reset(state);
    state.room.dWidth = 3;
    EXPECT_TRUE(history.Record(state));
    EXPECT_EQ(history.UndoSteps(), 1);
}

TEST(ProjectHistory, CleanStateMarksTheModifiedProject) {
    ProjectHistory history;
    EXPECT_FALSE(history.IsModified());
    history.Reset(Indoor(1));
    history.Record(Indoor(2));
    EXPECT_TRUE(history.IsModified());
    history.Undo();
    EXPECT_FALSE(history.IsModified()); // back at what was opened
    history.Record(Indoor(3));
    history.Record(Indoor(1)); // typed back to the opened value
    EXPECT_FALSE(history.IsModified());
    history.Record(Indoor(4));
    history.MarkClean(); // saved
    history.Undo();
    EXPECT_TRUE(history.IsModified());
    history.Redo();
    EXPECT_FALSE(history.IsModified());
}

TEST(ProjectHistory, DepthAndBudgetDropTheOldestSteps) {
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

    // Floodlights with their intensity grids weigh more: fewer steps fit the budget, but
    // one can always be undone.
    Project heavy = Indoor(0);
    Luminaire floodlight;
    for (int row = 0; row < 841; ++row) {
        floodlight.floodTable.Append(FloodIntensityRow{});
    }
    heavy.luminaires.Add(floodlight);
    const size_t bytes = SnapshotBytes(heavy);
    EXPECT_GT(bytes, 841 * sizeof(FloodIntensityRow));
    for (const size_t budget : {3 * bytes + bytes / 2, size_t{1}}) {
        ProjectHistory budgeted(ProjectHistory::kDefaultDepth, budget);
        budgeted.Reset(heavy);
        for (int step = 1; step <= 10; ++step) {
            heavy.room.dLength = step;
            budgeted.Record(heavy);
        }
        EXPECT_EQ(budgeted.UndoSteps(), budget == 1 ? 1 : 2);
        EXPECT_EQ(budgeted.Undo()->room.dLength, 9.0);
    }
}

} // namespace
} // namespace qv
