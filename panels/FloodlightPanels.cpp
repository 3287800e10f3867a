#include "panels/FloodlightPanels.h"

#include "model/Constants.h"
#include "panels/NumberCheck.h"

#include <kelvorin/KvIniFile.h>
#include <kelvorin/KvStr.h>

#include <cmath>
#include <utility>

namespace qv {

const std::array<const char*, FloodlightResultPanel::kColumnCount> FloodlightResultPanel::kHeaders =
    {"",
     "点",
     "灯具",
     "水平\n角度",
     "垂直\n角度",
     "入射角",
     "照射方\n向光强",
     "水平\n照度",
     "垂直\n照度",
     "横向垂\n直照度",
     "纵向垂\n直照度"};
const std::array<int, FloodlightResultPanel::kColumnCount> FloodlightResultPanel::kColumnWidths = {
    18, 80, 80, 50, 50, 50, 50, 50, 50, 50, 50};
const std::array<const char*, FloodlightPointPanel::kPointColumnCount>
    FloodlightPointPanel::kPointHeaders = {"",        "点名称",  "X轴位置", "Y轴位置",
                                           "Z轴位置", "X轴旋转", "Y轴旋转", "Z轴旋转"};
const std::array<const char*, FloodlightPointPanel::kAimingColumnCount>
    FloodlightPointPanel::kAimingHeaders = {"灯具", "X", "Y", "Z"};

namespace {

constexpr const char* kResetCoordinate = "0.0";

KvMessage StopMessage(const std::string& text) {
    KvMessage message;
    message.text = text;
    message.icon = KvMessageIcon::Error;
    return message;
}

std::vector<KvMessage> AimAndWarn(LuminaireList& floodlights,
                                  const std::vector<Vector>& aimingPoints) {
    if (AssignAimingPoints(floodlights, aimingPoints)) {
        return {};
    }
    return {AimingCountWarning()};
}

void AddGridWarning(std::vector<KvMessage>& warnings, const FloodPointRecord& record) {
    if (std::optional<KvMessage> warning = FloodGridWarning(record)) {
        warnings.push_back(std::move(*warning));
    }
}

} // namespace

KvMessage AimingCountWarning() {
    return StopMessage("瞄准点数量和灯具数量不符，请刷新。");
}

std::vector<std::string> FloodGridWarningLines(const FloodPointRecord& record) {
    std::vector<std::string> lines;
    for (const FloodGridFluxCheck& check : record.gridChecks) {
        if (!check.exceeds || check.index < 0 || check.index >= record.floodlights.Count()) {
            continue;
        }
        const Luminaire& floodlight = record.floodlights.At(check.index);
        lines.push_back(KvStr::Format(
            "投光灯%d.%s(%s)的等光强表积分光通量为%.0flm，超过其光源光通量%.0flm的%.2f倍",
            check.index + 1, floodlight.sName.c_str(), floodlight.sModel.c_str(), check.gridFlux,
            check.lampFlux, kFloodGridFluxAllowance));
    }
    return lines;
}

std::optional<KvMessage> FloodGridWarning(const FloodPointRecord& record) {
    const std::vector<std::string> lines = FloodGridWarningLines(record);
    if (lines.empty()) {
        return std::nullopt;
    }
    KvMessage message;
    message.text = "等光强表的光强应为该灯光源的光强(kcd)，以下投光灯的照度因此偏大，请检查：";
    for (const std::string& line : lines) {
        message.text += "\n" + line;
    }
    message.icon = KvMessageIcon::Warning;
    return message;
}

std::string ColumnWidthsText(const std::vector<int>& widths) {
    std::string text;
    for (const int width : widths) {
        text += KvStr::Format("%d#", width);
    }
    return text;
}

std::optional<std::vector<int>> ColumnWidthsFromText(const std::string& text, int columns) {
    std::vector<std::string> items;
    if (KvStr::SplitStrBySymbol(items, text, "#") != columns) {
        return std::nullopt;
    }
    std::vector<int> widths;
    for (const std::string& item : items) {
        widths.push_back(static_cast<int>(KvStr::Atof(item)));
    }
    return widths;
}

// ---- result panel ----

void FloodlightResultPanel::Show(std::vector<FloodlightResultRow> rows, std::vector<Vector> outline,
                                 LuminaireList floodlights) {
    m_record.rows = std::move(rows);
    m_outline = std::move(outline);
    m_record.floodlights = std::move(floodlights);
    m_typed.assign(m_record.rows.size(), std::nullopt);
    m_selection = -1;
    // The lookup computes with the intensities the rows held (none yet), so the
    // illuminances are computed again with the intensities it found.
    Compute(FloodMode::kLookUp);
    Compute(FloodMode::kKeepIntensity);
}

std::string FloodlightResultPanel::CellRefusal(int column, const std::string& text) {
    return column == kIntensity ? NumberRefusal(text, NumberKind::kNonNegative, "光强")
                                : std::string();
}

void FloodlightResultPanel::EditCell(int row, int column, const std::string& text) {
    if (row >= 0 && row < RowCount() && column == kIntensity && CellRefusal(column, text).empty()) {
        m_typed[static_cast<size_t>(row)] = text;
    }
}

void FloodlightResultPanel::ReadBack() {
    for (size_t i = 0; i < m_record.rows.size(); ++i) {
        if (m_typed[i]) {
            m_record.rows[i].intensity = KvStr::Atof(*m_typed[i]);
            m_typed[i].reset();
        }
    }
}

void FloodlightResultPanel::Compute(FloodMode mode) {
    ComputeFloodPointRecord(m_record, m_outline, mode);
}

std::vector<KvMessage> FloodlightResultPanel::Calculate(const std::vector<Vector>& outline,
                                                        const LuminaireList& floodlights,
                                                        const std::vector<Vector>& aimingPoints) {
    ReadBack();
    m_outline = outline;
    m_record.floodlights = floodlights;
    std::vector<KvMessage> warnings = AimAndWarn(m_record.floodlights, aimingPoints);
    Compute(FloodMode::kKeepIntensity);
    AddGridWarning(warnings, m_record);
    return warnings;
}

void FloodlightResultPanel::Select(int row) {
    m_selection = row >= 0 && row < RowCount() ? row : -1;
}

void FloodlightResultPanel::Add() {
    ReadBack();
    FloodlightResultRow row =
        m_selection >= 0 ? m_record.rows[static_cast<size_t>(m_selection)] : FloodlightResultRow();
    m_record.rows.push_back(std::move(row));
    m_typed.emplace_back();
    m_selection = RowCount() - 1;
}

std::optional<KvMessage> FloodlightResultPanel::Modify() {
    if (m_selection < 0) {
        return SelectionWarning("请先选中要修改的点！");
    }
    ReadBack();
    return std::nullopt;
}

std::optional<KvMessage> FloodlightResultPanel::Remove() {
    if (m_selection < 0) {
        return SelectionWarning("请先选中要删除的点！");
    }
    ReadBack();
    m_record.rows.erase(m_record.rows.begin() + m_selection);
    m_typed.erase(m_typed.begin() + m_selection);
    m_selection = -1;
    return std::nullopt;
}

void FloodlightResultPanel::Clear() {
    m_record.rows.clear();
    m_typed.clear();
    m_record.steps.clear();
    m_selection = -1;
}

void FloodlightResultPanel::MoveUp() {
    if (m_selection > 0) {
        ReadBack();
        std::swap(m_record.rows[static_cast<size_t>(m_selection)],
                  m_record.rows[static_cast<size_t>(m_selection - 1)]);
        --m_selection;
    }
}

void FloodlightResultPanel::MoveDown() {
    if (m_selection >= 0 && m_selection + 1 < RowCount()) {
        ReadBack();
        std::swap(m_record.rows[static_cast<size_t>(m_selection)],
                  m_record.rows[static_cast<size_t>(m_selection + 1)]);
        ++m_selection;
    }
}

std::string FloodlightResultPanel::CellText(int row, int column) const {
    if (row < 0 || row >= RowCount()) {
        return std::string();
    }
    const size_t index = static_cast<size_t>(row);
    if (column == kIntensity && m_typed[index]) {
        return *m_typed[index];
    }
    const FloodlightResultRow& r = m_record.rows[index];
    const bool firstOfPoint = row == 0 || m_record.rows[index - 1].IsTotal();
    switch (column) {
    case kOrdinal: {
        if (!firstOfPoint) {
            return std::string();
        }
        int ordinal = 1;
        for (size_t i = 0; i < index; ++i) {
            ordinal += m_record.rows[i].IsTotal() ? 1 : 0;
        }
        return KvStr::Format("%d", ordinal);
    }
    case kPoint:
        return firstOfPoint ? r.point.name : std::string();
    case kLabel:
        return r.label;
    case kAlpha:
        return KvStr::Format("%.2f", r.alpha * kRadToDeg);
    case kBeta:
        return KvStr::Format("%.2f", r.beta * kRadToDeg);
    case kDelta:
        return KvStr::Format("%.2f", r.delta * kRadToDeg);
    case kIntensity:
        return KvStr::Format("%.0f", r.intensity);
    case kEh:
        return KvStr::Format("%.3f", r.eh);
    case kEv:
        return KvStr::Format("%.3f", r.ev);
    case kTransverse:
        return KvStr::Format("%.3f", r.transverse);
    case kLongitudinal:
        return KvStr::Format("%.3f", r.longitudinal);
    default:
        return std::string();
    }
}

// ---- point panel ----

void FloodlightPointPanel::LoadColumnWidths(const std::string& settingsPath) {
    const auto load = [&](const char* key, std::vector<int>& widths) {
        const std::string text =
            KvIniFile::ReadKey(kSettingsSection, key, ColumnWidthsText(widths), settingsPath);
        if (auto read = ColumnWidthsFromText(text, static_cast<int>(widths.size()))) {
            widths = std::move(*read);
        }
    };
    load(kPointWidthsKey, m_pointWidths);
    load(kAimingWidthsKey, m_aimingWidths);
}

void FloodlightPointPanel::SaveColumnWidths(const std::string& settingsPath) const {
    KvIniFile::WriteKey(kSettingsSection, kPointWidthsKey, ColumnWidthsText(m_pointWidths),
                        settingsPath);
    KvIniFile::WriteKey(kSettingsSection, kAimingWidthsKey, ColumnWidthsText(m_aimingWidths),
                        settingsPath);
}

void FloodlightPointPanel::RefreshAiming(const LuminaireList& floodlights) {
    m_aiming.clear();
    for (int i = 0; i < floodlights.Count(); ++i) {
        const Luminaire& floodlight = floodlights.At(i);
        m_aiming.push_back(
            {KvStr::Format("%d.%s", i + 1, floodlight.sName.c_str()),
             {KvStr::FormatDouble(floodlight.ptAim.x), KvStr::FormatDouble(floodlight.ptAim.y),
              KvStr::FormatDouble(floodlight.ptAim.z)}});
    }
    m_aimingSelection = -1;
}

std::string FloodlightPointPanel::AimingCell(int row, int column) const {
    if (row < 0 || row >= AimingRowCount() || column < 0 || column >= kAimingColumnCount) {
        return std::string();
    }
    const AimingRow& aiming = m_aiming[static_cast<size_t>(row)];
    return column == 0 ? aiming.label : aiming.cells[static_cast<size_t>(column - 1)];
}

std::optional<KvMessage> FloodlightPointPanel::EditAimingCell(int row, int column,
                                                              const std::string& text) {
    if (row < 0 || row >= AimingRowCount() || column < 1 || column >= kAimingColumnCount) {
        return std::nullopt;
    }
    std::string& cell = m_aiming[static_cast<size_t>(row)].cells[static_cast<size_t>(column - 1)];
    if (!text.empty() && !ReadNumber(text, NumberKind::kCoordinate)) {
        cell = kResetCoordinate;
        return StopMessage("瞄准点坐标必须是数字，请检查。");
    }
    cell = text;
    return std::nullopt;
}

void FloodlightPointPanel::SameAsAbove() {
    if (m_aimingSelection > 0 && m_aimingSelection < AimingRowCount()) {
        m_aiming[static_cast<size_t>(m_aimingSelection)].cells =
            m_aiming[static_cast<size_t>(m_aimingSelection - 1)].cells;
    }
}

void FloodlightPointPanel::AllSame() {
    if (m_aimingSelection < 0 || m_aimingSelection >= AimingRowCount()) {
        return;
    }
    const std::array<std::string, 3> cells = m_aiming[static_cast<size_t>(m_aimingSelection)].cells;
    for (AimingRow& row : m_aiming) {
        row.cells = cells;
    }
}

std::vector<Vector> FloodlightPointPanel::AimingPoints() const {
    std::vector<Vector> points;
    for (const AimingRow& row : m_aiming) {
        points.push_back(
            {KvStr::Atof(row.cells[0]), KvStr::Atof(row.cells[1]), KvStr::Atof(row.cells[2])});
    }
    return points;
}

bool FloodlightPointPanel::KeepAimingPoints(LuminaireList& floodlights) const {
    if (AimingRowCount() != floodlights.Count()) {
        return false;
    }
    const std::vector<Vector> points = AimingPoints();
    bool changed = false;
    for (int i = 0; i < floodlights.Count(); ++i) {
        Vector& aim = floodlights.At(i).ptAim;
        if (!(aim == points[static_cast<size_t>(i)])) {
            aim = points[static_cast<size_t>(i)];
            changed = true;
        }
    }
    return changed;
}

std::vector<KvMessage> FloodlightPointPanel::Calculate(const std::vector<Vector>& outline,
                                                       const LuminaireList& floodlights,
                                                       FloodlightResultPanel& result) {
    m_points.ReadBack();
    LuminaireList aimed = floodlights;
    std::vector<KvMessage> warnings = AimAndWarn(aimed, AimingPoints());
    std::vector<FloodlightResultRow> rows = BuildFloodlightRows(m_points.Points(), aimed);
    result.Show(std::move(rows), outline, std::move(aimed));
    AddGridWarning(warnings, result.Record());
    return warnings;
}

} // namespace qv
