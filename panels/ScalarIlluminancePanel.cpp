#include "panels/ScalarIlluminancePanel.h"

#include "model/FormatTruncated.h"
#include "panels/PanelCells.h"

#include <kelvorin/KvStr.h>

namespace qv {

const std::array<const char*, ScalarIlluminancePanel::kColumnCount>
    ScalarIlluminancePanel::kHeaders = {"", "名称", "类型", "换算系数Ks"};
const std::array<int, ScalarIlluminancePanel::kColumnCount> ScalarIlluminancePanel::kColumnWidths =
    {18, 100, 100, 100};

namespace {

constexpr int kShownDecimals = 2;

} // namespace

ScalarIlluminancePanel::ScalarIlluminancePanel(int kind)
    : m_kind(kind), m_caption(kind == kCylindrical ? "平均柱面照度计算" : "平均球面照度计算"),
      m_header(kind == kCylindrical ? "ρw = 0.5, RI = 1.5" : "") {}

bool ScalarIlluminancePanel::Follow(const LuminaireList& luminaires) {
    LuminaireList panelList;
    for (const ScalarEntry& entry : m_entries) {
        panelList.Add(entry.luminaire);
    }
    if (panelList == luminaires) {
        return false;
    }
    m_entries.clear();
    for (const Luminaire& luminaire : luminaires.Items()) {
        m_entries.push_back({luminaire, 0.0, 0.0});
    }
    m_ksEdits.assign(m_entries.size(), std::string());
    m_edited.assign(m_entries.size(), 0);
    return true;
}

void ScalarIlluminancePanel::Open(const LuminaireList& luminaires) {
    Follow(luminaires);
}

void ScalarIlluminancePanel::EditCell(int row, int column, const std::string& text) {
    if (row >= 0 && row < RowCount() && column == kKs) {
        m_ksEdits[static_cast<size_t>(row)] = text;
        m_edited[static_cast<size_t>(row)] = 1;
    }
}

std::string ScalarIlluminancePanel::CellText(int row, int column) const {
    if (row < 0 || row >= RowCount()) {
        return std::string();
    }
    const size_t slot = static_cast<size_t>(row);
    const ScalarEntry& entry = m_entries[slot];
    if (const std::optional<std::string> identity =
            EntryIdentityCell(row, column, entry.luminaire)) {
        return *identity;
    }
    switch (column) {
    case kKs:
        return m_edited[slot] != 0 ? m_ksEdits[slot] : KvStr::FormatDouble(entry.ks);
    default:
        return std::string();
    }
}

void ScalarIlluminancePanel::Calculate(const Room& room, const LuminaireList& luminaires) {
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_edited[i] != 0) {
            m_entries[i].ks = KvStr::Atof(m_ksEdits[i]);
            m_edited[i] = 0;
        }
    }
    Follow(luminaires);
    std::vector<double> ks;
    for (const ScalarEntry& entry : m_entries) {
        ks.push_back(entry.ks);
    }
    m_details = AverageSphericalOrCylindrical(room, luminaires, ks, m_kind);
    for (size_t i = 0; i < m_details.entries.size(); ++i) {
        m_entries[i].u = m_details.entries[i].u;
    }
    m_ehText = FormatTruncated(m_details.eh, kShownDecimals);
    m_eh = KvStr::Atof(m_ehText);
    m_resultText = FormatTruncated(m_details.result, kShownDecimals);
    m_result = KvStr::Atof(m_resultText);
    const CavityRatio cavity = RoomCavityRatio(room, luminaires);
    m_header = KvStr::Format("根据ρw = %.2f, RI = %.2f, 请在BZ曲线上查询Ks值", cavity.rhoW * 0.01,
                             RoomIndex(cavity.rcr));
}

ScalarIlluminanceRecord ScalarIlluminancePanel::BookRecord() const {
    ScalarIlluminanceRecord record;
    record.kind = m_kind;
    record.rhoF = m_details.cavity.rhoF;
    for (size_t i = 0; i < m_details.entries.size(); ++i) {
        const ScalarEntryResult& entry = m_details.entries[i];
        record.entries.push_back(
            {i < m_entries.size() ? m_entries[i].ks : 0.0, entry.eh, entry.factor});
    }
    record.result = m_result;
    record.horizontal = m_eh;
    return record;
}

} // namespace qv
