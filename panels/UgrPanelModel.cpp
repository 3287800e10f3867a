#include "panels/UgrPanelModel.h"

#include "calc/common/Outline.h"
#include "catalogue/StandardsCatalogue.h"
#include "panels/CalcPointGrid.h"
#include "panels/NumberCheck.h"
#include "panels/PanelText.h"

#include <kelvorin/KvStr.h>

#include <algorithm>
#include <cmath>

namespace qv {

const std::array<const char*, UgrPanelModel::kColumnCount> UgrPanelModel::kHeaders = {
    "", "X", "Y", "视线方向(°)", "UGR", "Lb(cd/m²)"};
const std::array<int, UgrPanelModel::kColumnCount> UgrPanelModel::kColumnWidths = {24, 70,  70,
                                                                                   90, 160, 80};
const std::array<const char*, 2> UgrPanelModel::kEyeChoices = {"1.2 坐姿", "1.5 站姿"};

namespace {

constexpr const char* kEyeLabel = "眼睛高度";

KvMessage Warning(const std::string& text) {
    return {text, "统一眩光值(UGR)计算", KvMessageIcon::Warning, KvMessageButtons::Ok};
}

// UGR as printed: 0.1 precision.
std::string UgrText(double ugr) {
    return KvStr::Format("%.1f", std::round(ugr * 10.0) / 10.0);
}

} // namespace

void UgrPanelModel::Open(const Project& project) {
    m_observers.clear();
    if (project.kind != kOutdoorProject && project.room.outline.size() >= 3) {
        m_observers = StandardUgrObservers(project.room, m_eye);
        if (m_start == Start::kOneObserver) {
            m_observers.resize(1);
        }
    }
    m_selection.clear();
    ForgetResults();
}

std::string UgrPanelModel::SetEyeHeightText(const std::string& text) {
    const std::string trimmed = KvStr::Trim(text);
    for (const char* choice : kEyeChoices) {
        if (trimmed == choice) {
            m_eye = KvStr::Atof(choice);
            ForgetResults();
            return std::string();
        }
    }
    double value = 0.0;
    std::string refusal = NumberRefusal(trimmed, NumberKind::kLength, kEyeLabel, &value);
    if (refusal.empty()) {
        if (value != m_eye) {
            m_eye = value;
            ForgetResults();
        }
    }
    return refusal;
}

std::string UgrPanelModel::EyeHeightText() const {
    for (const char* choice : kEyeChoices) {
        if (KvStr::Atof(choice) == m_eye) {
            return choice;
        }
    }
    return NumberText(m_eye);
}

std::string UgrPanelModel::CellText(int row, int column) const {
    if (row < 0 || row >= RowCount()) {
        return std::string();
    }
    const size_t slot = static_cast<size_t>(row);
    const UgrObserver& observer = m_observers[slot];
    const std::optional<ObserverUgr>& result = slot < m_rows.size() ? m_rows[slot] : std::nullopt;
    switch (column) {
    case kRowNumber:
        return std::to_string(row + 1);
    case kX:
        return NumberText(observer.x);
    case kY:
        return NumberText(observer.y);
    case kDirection:
        return NumberText(observer.direction);
    case kUgr:
        return !result ? std::string() : result->ugr ? UgrText(*result->ugr) : result->reason;
    case kLb:
        return result ? KvStr::Format("%.2f", result->lb) : std::string();
    default:
        return std::string();
    }
}

std::string UgrPanelModel::CellRefusal(int column, const std::string& text) {
    static const NumberColumn kNumbers[] = {{kX, NumberKind::kCoordinate, "X"},
                                            {kY, NumberKind::kCoordinate, "Y"},
                                            {kDirection, NumberKind::kAngle, "视线方向"}};
    return ColumnRefusal(kNumbers, column, text);
}

void UgrPanelModel::EditCell(int row, int column, const std::string& text) {
    if (row < 0 || row >= RowCount() || column < kX || column > kDirection) {
        return;
    }
    const std::optional<double> value =
        ReadNumber(text, column == kDirection ? NumberKind::kAngle : NumberKind::kCoordinate);
    if (!value) {
        return;
    }
    UgrObserver& observer = m_observers[static_cast<size_t>(row)];
    double& cell = column == kX ? observer.x : column == kY ? observer.y : observer.direction;
    if (cell != *value) {
        cell = *value;
        if (static_cast<size_t>(row) < m_rows.size()) {
            m_rows[static_cast<size_t>(row)].reset();
        }
    }
}

void UgrPanelModel::Select(const std::vector<int>& rows) {
    m_selection.clear();
    for (const int row : rows) {
        if (row >= 0 && row < RowCount()) {
            m_selection.push_back(row);
        }
    }
    std::sort(m_selection.begin(), m_selection.end());
    m_selection.erase(std::unique(m_selection.begin(), m_selection.end()), m_selection.end());
}

int UgrPanelModel::Add(const Project& project) {
    UgrObserver observer;
    if (!m_selection.empty()) {
        observer = m_observers[static_cast<size_t>(m_selection.back())];
    } else if (project.room.outline.size() >= 3) {
        observer = StandardUgrObservers(project.room, m_eye).front();
    }
    m_observers.push_back(observer);
    m_rows.resize(m_observers.size() - 1);
    m_rows.emplace_back();
    m_selection = {RowCount() - 1};
    return RowCount() - 1;
}

std::optional<KvMessage> UgrPanelModel::Remove() {
    if (m_selection.empty()) {
        return SelectionWarning("请先选中要删除的观察点！");
    }
    m_rows.resize(m_observers.size());
    for (auto row = m_selection.rbegin(); row != m_selection.rend(); ++row) {
        m_observers.erase(m_observers.begin() + *row);
        m_rows.erase(m_rows.begin() + *row);
    }
    m_selection.clear();
    return std::nullopt;
}

std::optional<KvMessage> UgrPanelModel::Calculate(const Project& project,
                                                  std::optional<double> limit) {
    if (project.kind == kOutdoorProject) {
        return Warning("统一眩光值(UGR)只对室内房间计算,室外项目请用眩光值(GR)计算!");
    }
    if (m_observers.empty()) {
        return Warning("请先新增观察点!");
    }
    for (size_t i = 0; i < m_observers.size(); ++i) {
        const UgrObserver& o = m_observers[i];
        if (PointInOutline(project.room.outline, Vector{o.x, o.y, 0.0}) < kOutlineOnEdge) {
            return Warning(
                KvStr::Format("观察点%d不在房间内,请重新输入!", static_cast<int>(i) + 1));
        }
    }
    RoomUgr result = ComputeRoomUgr(project, m_observers, m_eye);
    if (!result.ok) {
        return Warning(result.reason);
    }
    m_result = std::move(result);
    m_rows.assign(m_result.observers.begin(), m_result.observers.end());
    m_calculated = true;
    m_calculatedEye = m_eye;
    m_limit = limit;
    return std::nullopt;
}

std::string UgrPanelModel::MaxText() const {
    return m_calculated && m_result.max ? UgrText(*m_result.max) : std::string();
}

std::string UgrPanelModel::VerdictText() const {
    return m_calculated && m_result.max ? UgrVerdictText(*m_result.max, m_limit) : std::string();
}

std::string UgrPanelModel::NoteText() const {
    return m_calculated ? KvStr::Format("%s; 背景亮度 Lb = %.2f cd/m²", kTwoPlaneEstimate,
                                        m_result.background.lb)
                        : std::string(kTwoPlaneEstimate);
}

std::optional<double> UgrPanelModel::UgrLimitOf(CatalogueDatabase* catalogue, const Room& room) {
    if (catalogue == nullptr || room.standardPlace.Empty() || !catalogue->Connect()) {
        return std::nullopt;
    }
    PlaceStandard limits;
    if (LoadPlaceStandard(*catalogue, room.standardPlace.category, room.standardPlace.place,
                          limits) != 1) {
        return std::nullopt;
    }
    return limits.ugr;
}

void UgrPanelModel::ForgetResults() {
    m_rows.assign(m_observers.size(), std::nullopt);
}

} // namespace qv
