#include "panels/ProjectHistory.h"

#include <algorithm>

namespace qv {
namespace {

// The parts of a luminaire that Luminaire's == leaves out but an edit can change: the
// tables a type brings (an imported type can keep a table name with new rows) and the
// floodlight's aiming point.
bool SameBeyondFile(const Luminaire& a, const Luminaire& b) {
    return a.curveA == b.curveA && a.curveB == b.curveB && a.cuTable == b.cuTable &&
           a.floodTable == b.floodTable && a.ptAim == b.ptAim;
}

} // namespace

bool SameEdits(const Project& a, const Project& b) {
    if (a.kind != b.kind || !(a.room == b.room) || !(a.road == b.road) ||
        !(a.luminaires == b.luminaires)) {
        return false;
    }
    const std::vector<Luminaire>& left = a.luminaires.Items();
    const std::vector<Luminaire>& right = b.luminaires.Items();
    return std::equal(left.begin(), left.end(), right.begin(), SameBeyondFile);
}

ProjectHistory::ProjectHistory(int depth) : m_depth(static_cast<size_t>(std::max(depth, 1))) {}

void ProjectHistory::Reset(const Project& state) {
    m_states.assign(1, state);
    m_current = 0;
    m_clean = state;
}

bool ProjectHistory::Record(const Project& state) {
    if (!Started()) {
        Reset(state);
        return false;
    }
    if (SameEdits(state, m_states[m_current])) {
        m_states[m_current] = state;
        return false;
    }
    m_states.erase(m_states.begin() + static_cast<std::ptrdiff_t>(m_current) + 1, m_states.end());
    m_states.push_back(state);
    if (m_states.size() > m_depth + 1) {
        m_states.pop_front();
    }
    m_current = m_states.size() - 1;
    return true;
}

const Project* ProjectHistory::Undo() {
    if (!CanUndo()) {
        return nullptr;
    }
    return &m_states[--m_current];
}

const Project* ProjectHistory::Redo() {
    if (!CanRedo()) {
        return nullptr;
    }
    return &m_states[++m_current];
}

void ProjectHistory::MarkClean() {
    if (Started()) {
        m_clean = m_states[m_current];
    }
}

bool ProjectHistory::IsModified() const {
    return Started() && !(m_clean && SameEdits(m_states[m_current], *m_clean));
}

} // namespace qv
