#include "panels/RoadLightingPanel.h"

#include "calc/outdoor/FloodCapacity.h"
#include "model/Constants.h"
#include "model/FormatTruncated.h"
#include "panels/NumberCheck.h"
#include "panels/PanelCells.h"

#include <kelvorin/KvStr.h>

#include <algorithm>
#include <cmath>

namespace qv {

const std::array<const char*, RoadLightingPanel::kColumnCount> RoadLightingPanel::kHeaders = {
    "", "名称", "类型", "排列方式", "间距", "灯杆高度", "仰角", "利用系数", "计算间距"};
const std::array<int, RoadLightingPanel::kColumnCount> RoadLightingPanel::kColumnWidths = {
    18, 80, 80, 120, 50, 60, 50, 60, 60};

namespace {

constexpr int kShownDecimals = 2;
constexpr int kSpacingDecimals = 3;
// The illuminance shown while no entry gives light.
constexpr const char* kNotCalculated = "—";

std::string Joined(const std::vector<std::string>& parts, const char* separator) {
    std::string text;
    for (const std::string& part : parts) {
        text += (text.empty() ? "" : separator) + part;
    }
    return text;
}

// "灯%d(%s)": the row number the grid shows and the light's name.
std::string EntryName(const std::vector<RoadEntry>& entries, size_t i) {
    return KvStr::Format("灯%d(%s)", static_cast<int>(i) + 1, entries[i].luminaire.sName.c_str());
}

// The inputs the calculation could not use: U or S that is not a positive number.
std::string MissingInputs(const std::vector<RoadEntry>& entries) {
    std::vector<std::string> utilization;
    std::vector<std::string> spacing;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (!entries[i].utilizationGiven) {
            utilization.push_back(EntryName(entries, i));
        }
        if (!entries[i].spacingGiven) {
            spacing.push_back(EntryName(entries, i));
        }
    }
    std::vector<std::string> asked;
    if (!utilization.empty()) {
        asked.push_back(Joined(utilization, "、") + "的利用系数");
    }
    if (!spacing.empty()) {
        asked.push_back(Joined(spacing, "、") + "的间距");
    }
    return asked.empty() ? std::string()
                         : "请输入" + Joined(asked, "和") + "，利用系数或间距为0的灯不产生照度";
}

// Entries of one kind of light listed more than once: every entry stands for all the
// poles of its kind, so each repetition adds that kind's whole illuminance again.
std::string RepeatedKinds(const std::vector<RoadEntry>& entries) {
    std::vector<bool> grouped(entries.size(), false);
    std::vector<std::string> groups;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (grouped[i]) {
            continue;
        }
        const Luminaire& kind = entries[i].luminaire;
        std::vector<std::string> rows = {KvStr::Format("灯%d", static_cast<int>(i) + 1)};
        for (size_t j = i + 1; j < entries.size(); ++j) {
            const Luminaire& other = entries[j].luminaire;
            if (!grouped[j] && other.sName == kind.sName && other.sModel == kind.sModel &&
                other.nLuminousFlux == kind.nLuminousFlux) {
                grouped[j] = true;
                rows.push_back(KvStr::Format("灯%d", static_cast<int>(j) + 1));
            }
        }
        if (rows.size() > 1) {
            groups.push_back(Joined(rows, "、"));
        }
    }
    if (groups.empty()) {
        return std::string();
    }
    return Joined(groups, "；") +
           "是同一种灯：每种灯只需一行，间距和排列方式已代表这种灯的全部灯杆，每根灯杆各列一行会使"
           "照度乘以行数";
}

} // namespace

void RoadLightingPanel::Calculate(const Project& project) {
    const Road& road = project.road;
    const LuminaireList taken =
        LuminairesInRange(project.luminaires, road.m_nStartNum, road.m_nEndNum);
    m_inputs = {std::nullopt, taken, road};
    LuminaireList current;
    for (const RoadEntry& entry : m_entries) {
        current.Add(entry.luminaire);
    }
    if (!(current == taken)) {
        m_entries.clear();
        m_arrangementTexts.clear();
        for (const Luminaire& luminaire : taken.Items()) {
            std::string arrangement;
            m_entries.push_back(StartingRoadEntry(road, luminaire, arrangement));
            m_arrangementTexts.push_back(arrangement);
        }
    }
    m_result = CalculateRoadLighting(road, m_entries);
    std::vector<std::string> parts;
    if (m_entries.empty()) {
        parts.push_back("道路没有路灯：请在道路方案中设置路灯的灯具编号");
    } else if (m_result.width < kTolerance) {
        parts.push_back("道路宽度为0：请在道路方案中输入街道组成");
    }
    if (const std::string missing = MissingInputs(m_entries); !missing.empty()) {
        parts.push_back(missing);
    }
    const bool lit = std::any_of(m_entries.begin(), m_entries.end(), [](const RoadEntry& entry) {
        return entry.counted && entry.utilizationGiven;
    });
    // Until some entry gives light there is no illuminance to judge: "—", and the
    // message says what is missing.
    m_eText = lit ? FormatTruncated(m_result.e, kShownDecimals) : kNotCalculated;
    m_basis = LookUpStandardBasis(m_standards, road.m_standardPlace, m_result.standard,
                                  StandardScope::kRoad);
    if (lit) {
        parts.push_back(
            IlluminanceMessage(VerdictSubject::kRoad, IlluminanceMet(m_basis, m_result.e)));
    }
    if (const std::string repeated = RepeatedKinds(m_entries); !repeated.empty()) {
        parts.push_back(repeated);
    }
    m_message = Joined(parts, "；");
}

std::string RoadLightingPanel::CellRefusal(int column, const std::string& text) {
    static const NumberColumn numbers[] = {
        {kSpacing, NumberKind::kSize, "间距"},
        {kPoleHeight, NumberKind::kSize, "灯杆高度"},
        {kElevation, NumberKind::kAngle, "仰角"},
        {kUtilization, NumberKind::kFraction, "利用系数"},
    };
    return ColumnRefusal(numbers, column, text);
}

bool RoadLightingPanel::EditCell(int row, int column, const std::string& text, Project& project) {
    if (row < 0 || row >= RowCount() || !CellRefusal(column, text).empty()) {
        return false;
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
        return false;
    }
    // The entry's light in the project: the road's range starts at its first number.
    const RoadLightValues values =
        RoadValuesOf(entry, m_arrangementTexts[static_cast<size_t>(row)]);
    entry.luminaire.road = values;
    const int index = std::max(project.road.m_nStartNum, 1) - 1 + row;
    if (index < project.luminaires.Count()) {
        project.luminaires.At(index).road = values;
    }
    Calculate(project);
    return true;
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
        // An entry that gives no light has no spacing to reach the standard with.
        return entry.counted && entry.utilizationGiven
                   ? FormatTruncated(entry.computedSpacing, kSpacingDecimals)
                   : std::string();
    default:
        return std::string();
    }
}

} // namespace qv
