#include "panels/ProjectHistory.h"

#include <algorithm>

namespace qv {
namespace {

// The parts of a luminaire that Luminaire's == leaves out but an edit can change: the
// tables a type brings (an imported type can keep a table name with new rows).
bool SameBeyondFile(const Luminaire& a, const Luminaire& b) {
    return a.curveA == b.curveA && a.curveB == b.curveB && a.cuTable == b.cuTable &&
           a.floodTable == b.floodTable;
}

} // namespace

bool SameEdits(const Project& a, const Project& b) {
    if (a.kind != b.kind || !(a.room == b.room) || !(a.road == b.road) ||
        !(a.luminaires == b.luminaires) || !(a.info == b.info)) {
        return false;
    }
    const std::vector<Luminaire>& left = a.luminaires.Items();
    const std::vector<Luminaire>& right = b.luminaires.Items();
    return std::equal(left.begin(), left.end(), right.begin(), SameBeyondFile);
}

size_t SnapshotBytes(const Project& project) {
    size_t bytes = sizeof(Project) + project.room.outline.size() * sizeof(Vector) +
                   project.road.components.size() * sizeof(RoadComponent);
    for (const Luminaire& l : project.luminaires.Items()) {
        bytes += sizeof(Luminaire) +
                 static_cast<size_t>(l.curveA.Count() + l.curveB.Count()) * sizeof(IntensityRow) +
                 static_cast<size_t>(l.cuTable.Count()) * sizeof(CuRow) +
                 static_cast<size_t>(l.floodTable.Count()) * sizeof(FloodIntensityRow);
    }
    return bytes;
}

ProjectHistory::ProjectHistory(int depth, size_t budget)
    : m_depth(static_cast<size_t>(std::max(depth, 1))), m_budget(budget) {}

void ProjectHistory::Reset(const Project& state) {
    m_states.assign(1, state);
    m_sizes.assign(1, SnapshotBytes(state));
    m_bytes = m_sizes.front();
    m_current = 0;
    m_clean = state;
}

void ProjectHistory::Replace(size_t index, const Project& state) {
    m_states[index] = state;
    m_bytes -= m_sizes[index];
    m_sizes[index] = SnapshotBytes(state);
    m_bytes += m_sizes[index];
}

bool ProjectHistory::Record(const Project& state) {
    if (!Started()) {
        Reset(state);
        return false;
    }
    if (SameEdits(state, m_states[m_current])) {
        Replace(m_current, state);
        return false;
    }
    while (m_states.size() > m_current + 1) {
        m_bytes -= m_sizes.back();
        m_states.pop_back();
        m_sizes.pop_back();
    }
    m_states.push_back(state);
    m_sizes.push_back(SnapshotBytes(state));
    m_bytes += m_sizes.back();
    while (m_states.size() > 2 && (m_states.size() > m_depth + 1 || m_bytes > m_budget)) {
        m_bytes -= m_sizes.front();
        m_states.pop_front();
        m_sizes.pop_front();
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
