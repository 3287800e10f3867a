#include "panels/OutlinePanelModel.h"

#include "panels/PanelText.h"

#include <algorithm>

namespace qv {

void OutlinePanelModel::SetWorking(const Room& room) {
    m_room = room;
    Show();
}

const Room& OutlinePanelModel::TakeValues() {
    ReadFields();
    ReadCorners();
    return m_room;
}

void OutlinePanelModel::SelectCorner(int row) {
    m_selected = row >= 0 && row < static_cast<int>(m_rows.size()) ? row : -1;
}

void OutlinePanelModel::AddCorner() {
    TakeValues();
    std::vector<Vector>& outline = m_room.outline;
    if (static_cast<int>(outline.size()) < kMaxCorners) {
        outline.push_back(outline.empty() ? Vector() : outline.back());
    }
    Show();
}

void OutlinePanelModel::InsertCorner() {
    TakeValues();
    std::vector<Vector>& outline = m_room.outline;
    if (m_selected >= 0 && static_cast<int>(outline.size()) < kMaxCorners) {
        const Vector copy = outline[static_cast<size_t>(m_selected)];
        outline.insert(outline.begin() + m_selected, copy);
    }
    Show();
}

void OutlinePanelModel::DeleteCorner() {
    TakeValues();
    if (m_selected >= 0) {
        m_room.outline.erase(m_room.outline.begin() + m_selected);
    }
    Show();
}

void OutlinePanelModel::SetCornerCount(int count) {
    TakeValues();
    const size_t wanted = static_cast<size_t>(std::clamp(count, 0, kMaxCorners));
    std::vector<Vector>& outline = m_room.outline;
    const Vector last = outline.empty() ? Vector() : outline.back();
    outline.resize(wanted, last);
    Show();
}

void OutlinePanelModel::ResetOutline() {
    TakeValues();
    const double left = m_room.ptLeftBot.x;
    const double bottom = m_room.ptLeftBot.y;
    const double right = left + m_room.dLength;
    const double top = bottom + m_room.dWidth;
    m_room.outline = {
        {left, bottom, 0.0}, {right, bottom, 0.0}, {right, top, 0.0}, {left, top, 0.0}};
    Show();
}

void OutlinePanelModel::Show() {
    ShowFields();
    ShowCorners();
}

void OutlinePanelModel::ReadCorners() {
    m_room.outline.clear();
    for (const CornerRow& row : m_rows) {
        m_room.outline.push_back({NumberFromText(row.x), NumberFromText(row.y), 0.0});
    }
}

void OutlinePanelModel::ShowCorners() {
    m_rows.clear();
    for (const Vector& corner : m_room.outline) {
        m_rows.push_back({NumberText(corner.x), NumberText(corner.y)});
    }
    SelectCorner(m_selected);
}

} // namespace qv
