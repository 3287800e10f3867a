#pragma once
// The undo history of the project's edits: whole-project snapshots taken from the editing
// panels each time an edit ends, the step shown now, and the state last opened or saved
// (the clean state) that tells whether the project is modified.
#include "model/Project.h"

#include <deque>
#include <optional>

namespace qv {

// Whether two snapshots hold the same edits: the kind, the room (or site), the road and
// the luminaires with everything the user can change. That is what the project file
// stores (compared as Project's == does, but the road and the room always), and besides
// each luminaire's tables and its aiming point, which == leaves out. The unit-capacity
// working values and the last calculated contribution take no part: a calculation panel
// writing them is no edit.
bool SameEdits(const Project& a, const Project& b);

// About how many bytes a snapshot holds: the luminaires with their tables weigh most (a
// floodlight's intensity grid has hundreds of rows).
size_t SnapshotBytes(const Project& project);

class ProjectHistory {
public:
    static constexpr int kDefaultDepth = 200;
    static constexpr size_t kDefaultBudget = size_t{256} << 20;

    // depth: the most steps that can be undone (at least 1); budget: about the most bytes
    // the snapshots take together (SnapshotBytes). The oldest steps go first, yet one step
    // can always be undone.
    explicit ProjectHistory(int depth = kDefaultDepth, size_t budget = kDefaultBudget);

    // Starts afresh from the state, which is the clean state too.
    void Reset(const Project& state);
    // Whether a history was started (Reset or a first Record).
    bool Started() const { return !m_states.empty(); }

    // An edit ended with the panels holding the state. When it differs from the current
    // state (SameEdits) it becomes a new step: the steps that could be redone are dropped,
    // and the oldest steps beyond the depth or the budget. Otherwise it replaces the
    // current state's copy, keeping the working values it carries, and no step is made.
    // Before the history started the state starts it (as Reset). True for a new step.
    bool Record(const Project& state);

    bool CanUndo() const { return m_current > 0; }
    bool CanRedo() const { return m_current + 1 < m_states.size(); }
    int UndoSteps() const { return static_cast<int>(m_current); }
    int RedoSteps() const {
        return Started() ? static_cast<int>(m_states.size() - m_current - 1) : 0;
    }
    // One step back or forward: the state to show, or nullptr when there is none.
    const Project* Undo();
    const Project* Redo();
    // The state shown now. Precondition: Started().
    const Project& Current() const { return m_states[m_current]; }

    // The current state is the one in the file (it was just saved).
    void MarkClean();
    // The current state differs from the clean state; false before the start.
    bool IsModified() const;

private:
    void Replace(size_t index, const Project& state);

    std::deque<Project> m_states;
    std::deque<size_t> m_sizes; // SnapshotBytes of each state
    size_t m_bytes = 0;         // their sum
    size_t m_current = 0;
    std::optional<Project> m_clean;
    size_t m_depth;
    size_t m_budget;
};

} // namespace qv
