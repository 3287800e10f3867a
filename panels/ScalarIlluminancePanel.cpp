#include "panels/ScalarIlluminancePanel.h"

#include "catalogue/CatalogueSourceText.h"
#include "model/FormatTruncated.h"
#include "panels/PanelCells.h"

#include <kelvorin/KvStr.h>

#include <cmath>

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

std::optional<KvMessage> ScalarIlluminancePanel::Calculate(const Room& room,
                                                           const LuminaireList& luminaires) {
    m_inputs = {room, luminaires, std::nullopt};
    // A cell whose text is a usable Ks is taken into its entry; any other text stays as
    // typed, and its entry is refused below.
    for (size_t i = 0; i < m_entries.size(); ++i) {
        double typed = 0.0;
        if (m_edited[i] != 0 && IsNumberText(m_ksEdits[i], &typed) && UsableKs(typed)) {
            m_entries[i].ks = typed;
            m_edited[i] = 0;
        }
    }
    Follow(luminaires);
    std::vector<double> ks;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        ks.push_back(m_edited[i] != 0 ? std::nan("") : m_entries[i].ks);
    }
    m_refusedEntry = FirstUnusableKs(ks, ks.size());
    if (m_refusedEntry >= 0) {
        return KvMessage{KvStr::Format("请输入灯%d的换算系数Ks", m_refusedEntry + 1), m_caption,
                         KvMessageIcon::Warning, KvMessageButtons::Ok};
    }
    m_details = AverageSphericalOrCylindrical(room, luminaires, ks, m_kind);
    m_calculatedKs = ks;
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
    return std::nullopt;
}

ScalarIlluminanceRecord ScalarIlluminancePanel::BookRecord() const {
    ScalarIlluminanceRecord record;
    record.kind = m_kind;
    record.rhoF = m_details.cavity.rhoF;
    record.inputs = m_inputs;
    for (size_t i = 0; i < m_details.entries.size(); ++i) {
        const ScalarEntryResult& entry = m_details.entries[i];
        record.entries.push_back({i < m_calculatedKs.size() ? m_calculatedKs[i] : 0.0, entry.eh,
                                  entry.factor, entry.clamped});
    }
    record.result = m_result;
    record.horizontal = m_eh;
    return record;
}

} // namespace qv
