#include "panels/LumenMethodPanel.h"

#include "model/Constants.h"
#include "model/FormatTruncated.h"
#include "panels/NumberCheck.h"
#include "panels/PanelCells.h"

#include <kelvorin/KvStr.h>

namespace qv {
namespace {

// A result shown before anything could be calculated.
constexpr const char* kNotCalculated = "—";

} // namespace

const std::array<const char*, LumenMethodPanel::kColumnCount> LumenMethodPanel::kHeaders = {
    "", "名称", "类型", "利用系数", "个数", "还需要"};
const std::array<int, LumenMethodPanel::kColumnCount> LumenMethodPanel::kColumnWidths = {
    18, 80, 80, 60, 60, 60};

namespace {

const NumberColumn kNumberColumns[] = {
    {LumenMethodPanel::kCount, NumberKind::kCount, "个数"},
    {LumenMethodPanel::kNeeded, NumberKind::kCount, "还需要"},
};

} // namespace

std::string LumenMethodPanel::CellRefusal(int column, const std::string& text) {
    return ColumnRefusal(kNumberColumns, column, text);
}

void LumenMethodPanel::ReadBack() {
    m_edits.TakeBack([this](const PendingCellEdits::Edit& edit) {
        LumenEntry& entry = m_entries[static_cast<size_t>(edit.row)];
        (edit.column == kCount ? entry.count : entry.needed) =
            static_cast<int>(*ReadNumber(edit.text, NumberKind::kCount));
    });
}

void LumenMethodPanel::EditCell(int row, int column, const std::string& text) {
    if (row >= 0 && row < RowCount() && (column == kCount || column == kNeeded) &&
        CellRefusal(column, text).empty()) {
        m_edits.Add(row, column, text);
    }
}

std::string LumenMethodPanel::CellText(int row, int column) const {
    if (row < 0 || row >= RowCount()) {
        return std::string();
    }
    if (const std::string* edited = m_edits.Find(row, column)) {
        return *edited;
    }
    const LumenEntry& entry = m_entries[static_cast<size_t>(row)];
    if (const std::optional<std::string> identity =
            EntryIdentityCell(row, column, entry.luminaire)) {
        return *identity;
    }
    switch (column) {
    case kCu:
        // kNoCu marks an entry whose type has no usable coefficient of utilization.
        return entry.u == kNoCu ? "无" : KvStr::FormatDouble(entry.u);
    case kCount:
        return KvStr::Format("%d", entry.count);
    case kNeeded:
        return KvStr::Format("%d", entry.needed);
    default:
        return std::string();
    }
}

void LumenMethodPanel::Calculate(const Room& room, const LuminaireList& luminaires) {
    ReadBack();
    m_inputs = {room, luminaires, std::nullopt};
    LuminaireList panelList;
    for (const LumenEntry& entry : m_entries) {
        panelList.Add(entry.luminaire);
    }
    if (!(panelList == luminaires)) {
        m_entries.clear();
        for (const Luminaire& luminaire : luminaires.Items()) {
            m_entries.push_back({luminaire, 1, 0.0, 0});
        }
        panelList = luminaires;
    }
    std::vector<int> counts;
    for (const LumenEntry& entry : m_entries) {
        counts.push_back(entry.count);
    }
    m_result = AverageIlluminanceByCu(room, panelList, counts);
    for (size_t i = 0; i < m_result.entries.size(); ++i) {
        m_entries[i].u = m_result.entries[i].u;
        m_entries[i].needed = m_result.entries[i].needed;
    }
    m_e = m_result.e;
    m_densities = ShowSecondDensity(LightingPowerDensity(room, luminaires), m_e, room.dLxStandard);
    // Without luminaires or a room with an extent there is no illuminance to judge: the
    // results stay empty and the message says what is missing.
    const bool calculated = !m_entries.empty() && m_result.area >= kTolerance &&
                            m_result.entries.size() == m_entries.size();
    if (!calculated) {
        m_eText = kNotCalculated;
        m_densities.lpdText = kNotCalculated;
        m_densities.secondText = kNotCalculated;
        m_message = m_entries.empty() ? "尚未计算：房间没有灯具，请先布置灯具"
                                      : "尚未计算：房间面积为0，请输入房间的拐角";
        return;
    }
    m_eText = FormatTruncated(m_e, 2);
    m_basis = LookUpStandardBasis(m_standards, room.standardPlace, room.dLxStandard,
                                  StandardScope::kBuilding);
    m_message = IlluminanceMessage(VerdictSubject::kRoom, IlluminanceMet(m_basis, m_e));
}

LumenMethodRecord LumenMethodPanel::BookRecord(const Room& room) const {
    return {m_entries,          m_result,          room.dLxStandard, m_densities.lpd,
            m_densities.second, m_densities.label, m_inputs,         m_basis};
}

CountAdjustment LumenMethodPanel::ApplyCounts(const Room& room, LuminaireList& roomLuminaires) {
    ReadBack();
    std::vector<CountedLuminaire> counted;
    for (const LumenEntry& entry : m_entries) {
        counted.push_back({&entry.luminaire, entry.count});
    }
    return RepeatByCounts(counted, kMaxAppliedLuminaires, room, roomLuminaires);
}

} // namespace qv
