#include "panels/UnitCapacityPanel.h"

#include "model/FormatTruncated.h"
#include "panels/NumberCheck.h"
#include "panels/PanelCells.h"

#include <kelvorin/KvStr.h>

namespace qv {

const std::array<const char*, UnitCapacityPanel::kColumnCount> UnitCapacityPanel::kHeaders = {
    "", "名称", "类型", "灯具类型", "单位电功率类型", "单位容量", "个数", "还需要"};
const std::array<int, UnitCapacityPanel::kColumnCount> UnitCapacityPanel::kColumnWidths = {
    18, 80, 80, 90, 120, 60, 60, 60};
const std::array<const char*, 3> UnitCapacityPanel::kEfficiencies = {"70", "60", "50"};

namespace {

constexpr int kShownDecimals = 2;
// A result shown before anything could be calculated.
constexpr const char* kNotCalculated = "—";

bool Editable(int column) {
    return column >= UnitCapacityPanel::kClass && column <= UnitCapacityPanel::kNeeded;
}

} // namespace

namespace {

const NumberColumn kNumberColumns[] = {
    {UnitCapacityPanel::kUnitCapacity, NumberKind::kNonNegative, "单位容量"},
    {UnitCapacityPanel::kCount, NumberKind::kCount, "个数"},
    {UnitCapacityPanel::kNeeded, NumberKind::kCount, "还需要"},
};

} // namespace

std::string UnitCapacityPanel::CellRefusal(int column, const std::string& text) {
    return ColumnRefusal(kNumberColumns, column, text);
}

bool UnitCapacityPanel::SetEfficiencyText(const std::string& text) {
    if (text != m_efficiencyText && !CheckNumber(text, NumberKind::kPercent, "灯具效率")) {
        return false;
    }
    m_efficiencyText = text;
    return true;
}

void UnitCapacityPanel::ReadBack() {
    m_edits.TakeBack([this](const PendingCellEdits::Edit& edit) {
        UnitCapacityInputs& inputs = m_entries.At(edit.row).unitCapacity;
        switch (edit.column) {
        case kClass:
            inputs.sDistributionClass = edit.text;
            break;
        case kKind:
            inputs.sUnitPowerKind = edit.text;
            break;
        case kUnitCapacity:
            inputs.dUnitCapacity = *ReadNumber(edit.text, NumberKind::kNonNegative);
            break;
        case kCount:
            inputs.nCount = static_cast<int>(*ReadNumber(edit.text, NumberKind::kCount));
            break;
        default:
            inputs.nNeeded = static_cast<int>(*ReadNumber(edit.text, NumberKind::kCount));
            break;
        }
    });
}

void UnitCapacityPanel::EditCell(int row, int column, const std::string& text) {
    if (row >= 0 && row < RowCount() && Editable(column) && CellRefusal(column, text).empty()) {
        m_edits.Add(row, column, text);
    }
}

std::string UnitCapacityPanel::CellText(int row, int column) const {
    if (row < 0 || row >= RowCount()) {
        return std::string();
    }
    if (const std::string* edited = m_edits.Find(row, column)) {
        return *edited;
    }
    const Luminaire& entry = m_entries.At(row);
    const UnitCapacityInputs& inputs = entry.unitCapacity;
    if (const std::optional<std::string> identity = EntryIdentityCell(row, column, entry)) {
        return *identity;
    }
    switch (column) {
    case kClass:
        return inputs.sDistributionClass;
    case kKind:
        return UnitPowerKindOf(entry);
    case kUnitCapacity:
        return KvStr::FormatDouble(inputs.dUnitCapacity);
    case kCount:
        return KvStr::Format("%d", inputs.nCount);
    case kNeeded:
        return KvStr::Format("%d", inputs.nNeeded);
    default:
        return std::string();
    }
}

std::vector<std::string> UnitCapacityPanel::ChoicesOf(int column) const {
    std::vector<std::string> choices;
    if (column == kClass) {
        choices = CatalogueUnitCapacityTables(*m_catalogue).DistributionClasses();
    } else if (column == kKind) {
        choices = {kIncandescentKind, kFluorescentKind};
    }
    return choices;
}

void UnitCapacityPanel::Calculate(const Room& room, const LuminaireList& luminaires) {
    ReadBack();
    m_inputs = {room, luminaires, std::nullopt};
    if (!(m_entries == luminaires)) {
        m_entries = luminaires;
    }
    const double efficiency = KvStr::Atof(m_efficiencyText);
    CatalogueUnitCapacityTables tables(*m_catalogue);
    m_result = CalculateUnitCapacity(room, m_entries, efficiency, tables);
    m_densities =
        ShowSecondDensity(LightingPowerDensity(room, luminaires), m_result.e, room.dLxStandard);
    // Without luminaires, a room with an extent or the tables there is no illuminance to
    // judge: the results stay empty and the message says what is missing.
    if (m_entries.Empty() || m_result.status != UnitCapacityStatus::Calculated) {
        m_eText = kNotCalculated;
        m_densities.lpdText = kNotCalculated;
        m_densities.secondText = kNotCalculated;
        m_message = m_entries.Empty() ? "尚未计算：房间没有灯具，请先布置灯具"
                    : m_result.status == UnitCapacityStatus::NoDatabase
                        ? "尚未计算：无法打开灯具数据库"
                        : "尚未计算：房间面积为0，请输入房间的拐角";
        return;
    }
    m_eText = FormatTruncated(m_result.e, kShownDecimals);
    m_basis = LookUpStandardBasis(m_catalogue, room.standardPlace, room.dLxStandard,
                                  StandardScope::kBuilding);
    m_message = IlluminanceMessage(VerdictSubject::kRoom, IlluminanceMet(m_basis, m_result.e));
}

CountAdjustment UnitCapacityPanel::ApplyCounts(const Room& room, LuminaireList& roomLuminaires) {
    ReadBack();
    std::vector<Luminaire> singles(m_entries.Items());
    std::vector<CountedLuminaire> counted;
    for (Luminaire& single : singles) {
        const int count = single.unitCapacity.nCount;
        single.unitCapacity.nCount = 1;
        counted.push_back({&single, count});
    }
    return RepeatByCounts(counted, kMaxAppliedLuminaires, room, roomLuminaires);
}

} // namespace qv
