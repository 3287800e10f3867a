#include "calc/indoor/LumenMethodPanel.h"

#include "model/FormatTruncated.h"

#include <kelvorin/KvStr.h>

#include <cctype>
#include <climits>

namespace qv {

const std::array<const char*, LumenMethodPanel::kColumnCount> LumenMethodPanel::kHeaders = {
    "", "名称", "类型", "利用系数", "个数", "还需要"};
const std::array<int, LumenMethodPanel::kColumnCount> LumenMethodPanel::kColumnWidths = {
    18, 80, 80, 60, 60, 60};

namespace {

constexpr double kNotPlaced = -1.0;

} // namespace

int ParseCellInteger(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])) != 0) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) != 0; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            value = static_cast<long long>(INT_MAX) + 1;
        }
    }
    value = negative ? -value : value;
    if (value > INT_MAX) {
        return INT_MAX;
    }
    return static_cast<int>(value);
}

void LumenMethodPanel::ReadBack() {
    for (const Edit& edit : m_edits) {
        LumenEntry& entry = m_entries[static_cast<size_t>(edit.row)];
        (edit.column == kCount ? entry.count : entry.needed) = ParseCellInteger(edit.text);
    }
    m_edits.clear();
}

void LumenMethodPanel::EditCell(int row, int column, const std::string& text) {
    if (row >= 0 && row < RowCount() && (column == kCount || column == kNeeded)) {
        m_edits.push_back({row, column, text});
    }
}

std::string LumenMethodPanel::CellText(int row, int column) const {
    if (row < 0 || row >= RowCount()) {
        return std::string();
    }
    for (auto edit = m_edits.rbegin(); edit != m_edits.rend(); ++edit) {
        if (edit->row == row && edit->column == column) {
            return edit->text;
        }
    }
    const LumenEntry& entry = m_entries[static_cast<size_t>(row)];
    switch (column) {
    case kRowNumber:
        return KvStr::Format("%d", row + 1);
    case kName:
        return entry.luminaire.sName;
    case kModel:
        return entry.luminaire.sModel;
    case kCu:
        return KvStr::FormatDouble(entry.u);
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
    m_eText = FormatTruncated(m_e, 2);
    m_message = m_e - room.dLxStandard < 0.0 ? "照度不满足房间照度标准，需增加灯具"
                                             : "照度满足房间照度标准,不需增加灯具";
    m_densities = ShowSecondDensity(LightingPowerDensity(room, luminaires), m_e, room.dLxStandard);
}

bool LumenMethodPanel::ApplyCounts(LuminaireList& roomLuminaires) {
    ReadBack();
    long long total = 0;
    for (const LumenEntry& entry : m_entries) {
        total += entry.count > 0 ? entry.count : 0;
    }
    if (total > kMaxAppliedLuminaires) {
        return false;
    }
    LuminaireList applied;
    applied.Reserve(static_cast<int>(total));
    for (const LumenEntry& entry : m_entries) {
        for (int i = 0; i < entry.count; ++i) {
            Luminaire copy = entry.luminaire;
            if (i > 0) {
                copy.ptCenter.x = kNotPlaced;
                copy.ptCenter.y = kNotPlaced;
            }
            applied.Add(std::move(copy));
        }
    }
    roomLuminaires = std::move(applied);
    return true;
}

} // namespace qv
