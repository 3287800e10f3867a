#include "panels/FloodCapacityPanel.h"

#include "model/FormatTruncated.h"
#include "panels/NumberCheck.h"
#include "panels/PanelCells.h"

#include <kelvorin/KvStr.h>

#include <algorithm>
#include <climits>
#include <cmath>

namespace qv {

const std::array<const char*, FloodCapacityPanel::kColumnCount> FloodCapacityPanel::kHeaders = {
    "",         "名称", "类型",  "全部照射灯\n的比例", "灯具\n效率", "照度\n均匀度",
    "光源类型", "个数", "还需要"};
const std::array<int, FloodCapacityPanel::kColumnCount> FloodCapacityPanel::kColumnWidths = {
    18, 80, 80, 100, 50, 60, 120, 60, 60};

namespace {

constexpr double kNotPlaced = -1.0;
constexpr int kShownDecimals = 2;
// A value shown before anything could be calculated.
constexpr const char* kNotCalculated = "—";

LuminaireList LuminairesOf(const std::vector<FloodCapacityEntry>& entries) {
    LuminaireList list;
    for (const FloodCapacityEntry& entry : entries) {
        list.Add(entry.luminaire);
    }
    return list;
}

} // namespace

void FloodCapacityPanel::Calculate(const Project& project) {
    const Room& site = project.room;
    const LuminaireList taken = LuminairesInRange(project.luminaires, site.nStartNum, site.nEndNum);
    m_inputs = {site, taken, std::nullopt};
    // An aiming point or road value edited elsewhere keeps the typed entries.
    if (!SameFittings(LuminairesOf(m_entries), taken)) {
        m_entries.clear();
        for (const Luminaire& luminaire : taken.Items()) {
            FloodCapacityEntry entry;
            entry.luminaire = luminaire;
            entry.additional = luminaire.unitCapacity.nNeeded;
            m_entries.push_back(entry);
        }
    }
    m_result = CalculateFloodCapacity(m_eMin, site, m_entries);
    const bool eMinGiven = std::isfinite(m_eMin) && m_eMin > 0.0;
    m_basis =
        std::fabs(m_eMin - site.dLxStandard) < 1e-6
            ? LookUpStandardBasis(m_standards, site.standardPlace, m_eMin, StandardScope::kBuilding)
            : DesignRequirement(m_eMin);
    std::vector<std::string> uncounted;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (!m_entries[i].counted) {
            uncounted.push_back(KvStr::Format("灯%d(%s)", static_cast<int>(i) + 1,
                                              m_entries[i].luminaire.sName.c_str()));
        }
    }
    m_calculated = !m_result.degenerate && uncounted.size() < m_entries.size();
    m_eText = m_calculated ? FormatTruncated(m_result.e, kShownDecimals) : kNotCalculated;
    if (m_entries.empty()) {
        m_message = "尚未计算：场地没有投光灯，请在应用场地中设置投光灯的灯具编号";
    } else if (m_result.degenerate) {
        m_message = "尚未计算：场地面积为0，请输入场地的拐角";
    } else if (!m_calculated) {
        m_message = std::string("尚未计算：请输入") + (eMinGiven ? "" : "平面上最低照度和") +
                    "各灯的灯具效率、照度均匀度";
    } else if (!eMinGiven) {
        m_message = "请输入平面上最低照度";
    } else {
        m_message = IlluminanceMessage(VerdictSubject::kSite, IlluminanceMet(m_basis, m_result.e));
    }
    if (m_calculated && !uncounted.empty()) {
        std::string names;
        for (const std::string& name : uncounted) {
            names += (names.empty() ? "" : "、") + name;
        }
        m_message += "；" + names + "的灯具效率或照度均匀度为0，未计入";
    }
    // Installed power (every floodlight the counts give) per site area, as labelled.
    m_densities = ShowSecondDensity(FloodInstalledPowerDensity(site, m_entries), m_result.e,
                                    site.dLxStandard);
    if (!m_calculated) {
        m_densities.second = 0.0;
        m_densities.secondText = kNotCalculated;
    }
}

namespace {

const NumberColumn kNumberColumns[] = {
    {FloodCapacityPanel::kEfficiency, NumberKind::kFraction, "灯具效率"},
    {FloodCapacityPanel::kUniformity, NumberKind::kFraction, "照度均匀度"},
    {FloodCapacityPanel::kCount, NumberKind::kCount, "个数"},
};

} // namespace

std::string FloodCapacityPanel::CellRefusal(int column, const std::string& text) {
    return ColumnRefusal(kNumberColumns, column, text);
}

void FloodCapacityPanel::EditCell(int row, int column, const std::string& text,
                                  const Project& project) {
    double number = 0.0;
    if (row < 0 || row >= RowCount() || !CellRefusal(column, text).empty()) {
        return;
    }
    for (const NumberColumn& cell : kNumberColumns) {
        if (cell.column == column) {
            number = *ReadNumber(text, cell.kind);
        }
    }
    UnitCapacityInputs& inputs = m_entries[static_cast<size_t>(row)].luminaire.unitCapacity;
    switch (column) {
    case kShare:
        inputs.sShareClass = text;
        break;
    case kEfficiency:
        inputs.dEfficiency = number;
        break;
    case kUniformity:
        inputs.dUniformity = number;
        break;
    case kLampType:
        inputs.sLampType = text;
        break;
    case kCount:
        inputs.nCount = static_cast<int>(number);
        break;
    default:
        return;
    }
    Calculate(project);
}

std::string FloodCapacityPanel::CellText(int row, int column) const {
    if (row < 0 || row >= RowCount()) {
        return std::string();
    }
    const FloodCapacityEntry& entry = m_entries[static_cast<size_t>(row)];
    const UnitCapacityInputs& inputs = entry.luminaire.unitCapacity;
    if (const std::optional<std::string> identity =
            EntryIdentityCell(row, column, entry.luminaire)) {
        return *identity;
    }
    switch (column) {
    case kShare:
        return inputs.sShareClass;
    case kEfficiency:
        return KvStr::FormatDouble(inputs.dEfficiency);
    case kUniformity:
        return KvStr::FormatDouble(inputs.dUniformity);
    case kLampType:
        return inputs.sLampType;
    case kCount:
        return KvStr::Format("%d", inputs.nCount);
    case kAdditional:
        return KvStr::Format("%d", inputs.nNeeded);
    default:
        return std::string();
    }
}

FloodCapacityRecord FloodCapacityPanel::BookRecord() const {
    return {m_eMin, m_entries, m_result, m_eText, m_densities, m_inputs, m_basis};
}

std::vector<std::string> FloodCapacityPanel::ChoicesOf(int column) {
    if (column == kShare) {
        return {kFloodShareClasses.begin(), kFloodShareClasses.end()};
    }
    if (column == kLampType) {
        return {kFloodLampTypes.begin(), kFloodLampTypes.end()};
    }
    return {};
}

bool FloodCapacityPanel::ApplyCounts(Project& project) const {
    long long total = 0;
    for (const FloodCapacityEntry& entry : m_entries) {
        total += std::max(entry.luminaire.unitCapacity.nCount, 0);
    }
    if (total > kMaxAppliedLuminaires) {
        return false;
    }
    LuminaireList expanded;
    expanded.Reserve(static_cast<int>(total));
    for (const FloodCapacityEntry& entry : m_entries) {
        for (int i = 0; i < entry.luminaire.unitCapacity.nCount; ++i) {
            Luminaire copy = entry.luminaire;
            copy.unitCapacity.nCount = 1;
            copy.unitCapacity.nNeeded = 1;
            if (i > 0) {
                copy.ptCenter.x = kNotPlaced;
                copy.ptCenter.y = kNotPlaced;
            }
            expanded.Add(std::move(copy));
        }
    }
    ReplaceLuminaireRange(project.luminaires, {&project.room.nStartNum, &project.room.nEndNum},
                          expanded, {&project.road.m_nStartNum, &project.road.m_nEndNum});
    return true;
}

void ReplaceLuminaireRange(LuminaireList& luminaires, RangeNumbers replaced,
                           const LuminaireList& replacement, const std::vector<int*>& others) {
    const int count = luminaires.Count();
    // The existing luminaires of the range are [from, to) counted from 0.
    const int from = std::clamp(*replaced.first, 1, count + 1) - 1;
    const int to = std::max(from, std::min(*replaced.last, count));
    LuminaireList result;
    result.Reserve(count - (to - from) + replacement.Count());
    for (int i = 0; i < from; ++i) {
        result.Add(luminaires.At(i));
    }
    for (const Luminaire& luminaire : replacement.Items()) {
        result.Add(luminaire);
    }
    for (int i = to; i < count; ++i) {
        result.Add(luminaires.At(i));
    }
    const long long shift = static_cast<long long>(replacement.Count()) - (to - from);
    for (int* number : others) {
        if (*number > to) {
            *number = static_cast<int>(std::clamp<long long>(*number + shift, 1, INT_MAX));
        }
    }
    *replaced.first = from + 1;
    *replaced.last = from + replacement.Count();
    luminaires = std::move(result);
}

} // namespace qv
