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
    m_room.standardPlace = KeptStandardPlace(m_room.standardPlace, m_placeLux, m_room.dLxStandard);
    return m_room;
}

void OutlinePanelModel::ChooseStandardPlace(const StandardPlace& place, double lux) {
    m_room.standardPlace = place;
    m_placeLux = lux;
}

bool OutlinePanelModel::EditCorner(int row, int column, const std::string& text) {
    if (row < 0 || row >= static_cast<int>(m_rows.size()) || column < 0 || column > 1) {
        return false;
    }
    CornerRow& corner = m_rows[static_cast<size_t>(row)];
    return TakeUnlessRefused(
        column == 0 ? corner.x : corner.y, text,
        NumberRefusal(text, NumberKind::kCoordinate, column == 0 ? "X坐标" : "Y坐标"));
}

void OutlinePanelModel::ReadLeftBottom(const std::string& x, const std::string& y) {
    if (const auto value = ReadNumber(x, NumberKind::kCoordinate)) {
        m_room.ptLeftBot.x = *value;
    }
    if (const auto value = ReadNumber(y, NumberKind::kCoordinate)) {
        m_room.ptLeftBot.y = *value;
    }
}

std::string OutlinePanelModel::LeftBottomRefusal(const std::string* field, const std::string& text,
                                                 const std::string& x) {
    return NumberRefusal(text, NumberKind::kCoordinate,
                         field == &x ? "左下角位置X" : "左下角位置Y");
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
    m_placeLux = m_room.dLxStandard;
    ShowFields();
    ShowCorners();
}

void OutlinePanelModel::ReadCorners() {
    // A cell that holds no coordinate (refused when typed) keeps the corner's value.
    const std::vector<Vector> before = m_room.outline;
    m_room.outline.clear();
    for (size_t i = 0; i < m_rows.size(); ++i) {
        const Vector old = i < before.size() ? before[i] : Vector();
        m_room.outline.push_back({ReadNumber(m_rows[i].x, NumberKind::kCoordinate).value_or(old.x),
                                  ReadNumber(m_rows[i].y, NumberKind::kCoordinate).value_or(old.y),
                                  0.0});
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
