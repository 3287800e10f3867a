#include "panels/RoadLightingPanel.h"

#include "calc/outdoor/FloodCapacity.h"
#include "model/FormatTruncated.h"
#include "panels/PanelCells.h"

#include <kelvorin/KvStr.h>

namespace qv {

const std::array<const char*, RoadLightingPanel::kColumnCount> RoadLightingPanel::kHeaders = {
    "", "名称", "类型", "排列方式", "间距", "灯杆高度", "仰角", "利用系数", "计算间距"};
const std::array<int, RoadLightingPanel::kColumnCount> RoadLightingPanel::kColumnWidths = {
    18, 80, 80, 120, 50, 60, 50, 60, 60};

namespace {

constexpr int kShownDecimals = 2;
constexpr int kSpacingDecimals = 3;

std::string ArrangementText(int index) {
    return index >= 0 && index < static_cast<int>(kRoadArrangements.size())
               ? kRoadArrangements[static_cast<size_t>(index)]
               : std::string();
}

} // namespace

void RoadLightingPanel::Calculate(const Project& project) {
    const Road& road = project.road;
    const LuminaireList taken =
        LuminairesInRange(project.luminaires, road.m_nStartNum, road.m_nEndNum);
    LuminaireList current;
    for (const RoadEntry& entry : m_entries) {
        current.Add(entry.luminaire);
    }
    if (!(current == taken)) {
        m_entries.clear();
        m_arrangementTexts.clear();
        for (const Luminaire& luminaire : taken.Items()) {
            RoadEntry entry;
            entry.luminaire = luminaire;
            const std::string arrangement = ArrangementText(road.m_nLampType);
            entry.arrangement = ArrangementIndex(arrangement);
            entry.spacing = road.m_dLampDis;
            entry.count = luminaire.unitCapacity.nCount;
            m_entries.push_back(entry);
            m_arrangementTexts.push_back(arrangement);
        }
    }
    m_result = CalculateRoadLighting(road, m_entries);
    m_eText = FormatTruncated(m_result.e, kShownDecimals);
    m_message = m_result.e - m_result.standard >= 0.0 ? "照度满足道路照度标准,不需增加灯具"
                                                      : "照度不满足道路照度标准，需增加灯具";
}

void RoadLightingPanel::EditCell(int row, int column, const std::string& text,
                                 const Project& project) {
    if (row < 0 || row >= RowCount()) {
        return;
    }
    RoadEntry& entry = m_entries[static_cast<size_t>(row)];
    switch (column) {
    case kArrangement:
        entry.arrangement = ArrangementIndex(text);
        m_arrangementTexts[static_cast<size_t>(row)] = text;
        break;
    case kSpacing:
        entry.spacing = KvStr::Atof(text);
        break;
    case kPoleHeight:
        entry.poleHeight = KvStr::Atof(text);
        break;
    case kElevation:
        entry.elevation = KvStr::Atof(text);
        break;
    case kUtilization:
        entry.u = KvStr::Atof(text);
        break;
    default:
        return;
    }
    Calculate(project);
}

void RoadLightingPanel::SetCount(int row, int count, const Project& project) {
    if (row >= 0 && row < RowCount()) {
        m_entries[static_cast<size_t>(row)].count = count;
        Calculate(project);
    }
}

std::string RoadLightingPanel::CellText(int row, int column) const {
    if (row < 0 || row >= RowCount()) {
        return std::string();
    }
    const RoadEntry& entry = m_entries[static_cast<size_t>(row)];
    if (const std::optional<std::string> identity =
            EntryIdentityCell(row, column, entry.luminaire)) {
        return *identity;
    }
    switch (column) {
    case kArrangement:
        return m_arrangementTexts[static_cast<size_t>(row)];
    case kSpacing:
        return KvStr::FormatDouble(entry.spacing);
    case kPoleHeight:
        return KvStr::FormatDouble(entry.poleHeight);
    case kElevation:
        return KvStr::FormatDouble(entry.elevation);
    case kUtilization:
        return KvStr::FormatDouble(entry.u);
    case kComputedSpacing:
        return FormatTruncated(entry.computedSpacing, kSpacingDecimals);
    default:
        return std::string();
    }
}

} // namespace qv
