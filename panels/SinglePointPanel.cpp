#include "panels/SinglePointPanel.h"

#include "calc/indoor/PointIlluminance.h"

#include <kelvorin/KvStr.h>

namespace qv {

const std::array<const char*, SinglePointPanel::kColumnCount> SinglePointPanel::kHeaders = {
    "",        "点名称",  "X轴位置",  "Y轴位置",  "Z轴位置",   "X轴旋转",
    "Y轴旋转", "Z轴旋转", "水平照度", "垂直照度", "倾斜面照度"};
const std::array<int, SinglePointPanel::kColumnCount> SinglePointPanel::kColumnWidths = {
    18, 60, 51, 51, 51, 51, 51, 51, 58, 58, 70};

std::string SinglePointPanel::CellText(int row, int column) const {
    if (row < 0 || row >= m_grid.RowCount()) {
        return std::string();
    }
    const size_t index = static_cast<size_t>(row);
    const CalcPoint& point = m_grid.Points()[index];
    const bool calculated = index < m_calculatedPoints.size() && m_calculatedPoints[index] == point;
    if (!calculated && (column == kHorizontal || column == kVertical || column == kInclined)) {
        return std::string();
    }
    switch (column) {
    case kRowNumber:
        return KvStr::Format("%d", row + 1);
    case kHorizontal:
        return KvStr::Format("%.2f", point.dEh);
    case kVertical:
        return KvStr::Format("%.2f", point.dEv);
    case kInclined:
        return KvStr::Format("%.2f", point.dEi);
    default:
        return m_grid.Cell(row, column - kFirstPointColumn);
    }
}

void SinglePointPanel::Calculate(const Room& room, const LuminaireList& luminaires) {
    m_grid.ReadBack();
    m_outline = room.outline;
    m_room = room;
    m_luminaires = luminaires;
    m_linearTypes = CalculatePoints(m_grid.Points(), m_outline, m_luminaires);
    m_calculated = true;
    m_calculatedPoints = m_grid.Points();
}

PointIlluminanceRecord SinglePointPanel::BookRecord() const {
    PointIlluminanceRecord record =
        RecordPointCalculation(m_grid.Points(), m_outline, m_luminaires, m_linearTypes);
    if (m_calculated) {
        record.inputs.room = m_room;
    }
    return record;
}

} // namespace qv
