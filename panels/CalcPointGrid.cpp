#include "panels/CalcPointGrid.h"

#include "panels/NumberCheck.h"

#include <kelvorin/KvStr.h>

#include <algorithm>
#include <utility>

namespace qv {
namespace {

double* NumberOf(CalcPoint& point, int column) {
    switch (column) {
    case CalcPointGrid::kX:
        return &point.position.x;
    case CalcPointGrid::kY:
        return &point.position.y;
    case CalcPointGrid::kZ:
        return &point.position.z;
    case CalcPointGrid::kRotateX:
        return &point.rotation.x;
    case CalcPointGrid::kRotateY:
        return &point.rotation.y;
    case CalcPointGrid::kRotateZ:
        return &point.rotation.z;
    default:
        return nullptr;
    }
}

const NumberColumn kNumberColumns[] = {
    {CalcPointGrid::kX, NumberKind::kCoordinate, "X轴位置"},
    {CalcPointGrid::kY, NumberKind::kCoordinate, "Y轴位置"},
    {CalcPointGrid::kZ, NumberKind::kCoordinate, "Z轴位置"},
    {CalcPointGrid::kRotateX, NumberKind::kAngle, "X轴旋转"},
    {CalcPointGrid::kRotateY, NumberKind::kAngle, "Y轴旋转"},
    {CalcPointGrid::kRotateZ, NumberKind::kAngle, "Z轴旋转"},
};

bool Contains(const std::vector<int>& rows, int row) {
    return std::find(rows.begin(), rows.end(), row) != rows.end();
}

} // namespace

KvMessage SelectionWarning(const std::string& text) {
    KvMessage message;
    message.text = text;
    message.caption = "系统提示";
    message.icon = KvMessageIcon::Warning;
    message.buttons = KvMessageButtons::Ok;
    return message;
}

std::string CalcPointGrid::Cell(int row, int column) const {
    for (auto edit = m_edits.rbegin(); edit != m_edits.rend(); ++edit) {
        if (edit->row == row && edit->column == column) {
            return edit->text;
        }
    }
    if (row < 0 || row >= RowCount() || column < 0 || column >= kColumnCount) {
        return std::string();
    }
    CalcPoint point = m_points[static_cast<size_t>(row)];
    if (column == kName) {
        return point.name;
    }
    return KvStr::FormatDouble(*NumberOf(point, column));
}

std::string CalcPointGrid::CellRefusal(int column, const std::string& text) {
    return ColumnRefusal(kNumberColumns, column, text);
}

bool CalcPointGrid::EditCell(int row, int column, const std::string& text) {
    if (row < 0 || row >= RowCount() || column < 0 || column >= kColumnCount ||
        !CellRefusal(column, text).empty()) {
        return false;
    }
    m_edits.push_back({row, column, text});
    return true;
}

void CalcPointGrid::ReadBack() {
    for (const Edit& edit : m_edits) {
        CalcPoint& point = m_points[static_cast<size_t>(edit.row)];
        if (edit.column == kName) {
            point.name = edit.text;
        } else {
            *NumberOf(point, edit.column) = *ReadNumber(
                edit.text, edit.column >= kRotateX ? NumberKind::kAngle : NumberKind::kCoordinate);
        }
    }
    m_edits.clear();
}

void CalcPointGrid::Select(const std::vector<int>& rows) {
    m_selection.clear();
    for (const int row : rows) {
        if (row >= 0 && row < RowCount() && !Contains(m_selection, row)) {
            m_selection.push_back(row);
        }
    }
    std::sort(m_selection.begin(), m_selection.end());
}

int CalcPointGrid::Append(const CalcPoint& point) {
    ReadBack();
    return AddCalcPoint(m_points, point);
}

void CalcPointGrid::Append(const std::vector<CalcPoint>& points) {
    ReadBack();
    CalcPointNamer namer(m_points);
    m_points.reserve(m_points.size() + points.size());
    for (const CalcPoint& point : points) {
        AddCalcPoint(m_points, point, namer);
    }
}

int CalcPointGrid::Add() {
    ReadBack();
    const CalcPoint copy =
        m_selection.empty() ? CalcPoint() : m_points[static_cast<size_t>(m_selection.front())];
    const int row = AddCalcPoint(m_points, copy);
    m_selection = {row};
    return row;
}

std::optional<KvMessage> CalcPointGrid::Modify() {
    ReadBack();
    if (m_selection.empty()) {
        return SelectionWarning("请先选中要修改的点！");
    }
    return std::nullopt;
}

std::optional<KvMessage> CalcPointGrid::Remove() {
    ReadBack();
    if (m_selection.empty()) {
        return SelectionWarning("请先选中要删除的点！");
    }
    m_points.erase(m_points.begin() + m_selection.front());
    m_selection.clear();
    return std::nullopt;
}

void CalcPointGrid::Clear() {
    m_edits.clear();
    m_points.clear();
    m_selection.clear();
}

void CalcPointGrid::MoveUp() {
    ReadBack();
    for (int& row : m_selection) {
        if (row > 0 && !Contains(m_selection, row - 1)) {
            std::swap(m_points[static_cast<size_t>(row)], m_points[static_cast<size_t>(row - 1)]);
            --row;
        }
    }
}

void CalcPointGrid::MoveDown() {
    ReadBack();
    for (auto row = m_selection.rbegin(); row != m_selection.rend(); ++row) {
        if (*row + 1 < RowCount() && !Contains(m_selection, *row + 1)) {
            std::swap(m_points[static_cast<size_t>(*row)], m_points[static_cast<size_t>(*row + 1)]);
            ++*row;
        }
    }
}

} // namespace qv
