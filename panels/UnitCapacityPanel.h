#pragma once
// The unit-capacity panel ("单位容量计算") without a window: the room's luminaire entries
// with their distribution class, reference-lamp kind, unit capacity and counts, the
// actual illuminance against the standard, the power densities, and applying the edited
// counts to the room.
#include "calc/common/PowerDensity.h"
#include "calc/indoor/UnitCapacity.h"
#include "calc/indoor/UnitCapacityRecord.h"
#include "catalogue/CatalogueDatabase.h"
#include "model/Luminaire.h"
#include "model/Room.h"
#include "panels/PanelCells.h"

#include <array>
#include <string>
#include <vector>

namespace qv {

class UnitCapacityPanel {
public:
    enum Column {
        kRowNumber = 0,
        kName,
        kModel,
        kClass,        // "灯具类型", a drop-down of the distribution classes
        kKind,         // "单位电功率类型", a drop-down of the two reference lamps
        kUnitCapacity, // "单位容量", P0
        kCount,
        kNeeded,
        kColumnCount
    };
    static const std::array<const char*, kColumnCount> kHeaders;
    static const std::array<int, kColumnCount> kColumnWidths;
    // The items of the efficiency combo "灯具效率%", the first one selected.
    static const std::array<const char*, 3> kEfficiencies;
    // "确定调整室内灯具数量" refuses to place more luminaires than this in the room.
    static constexpr long long kMaxAppliedLuminaires = 100000;

    explicit UnitCapacityPanel(CatalogueDatabase& catalogue) : m_catalogue(&catalogue) {}

    // Opening the panel calculates once.
    void Open(const Room& room, const LuminaireList& luminaires) { Calculate(room, luminaires); }

    // "计  算": takes the edited cells back, follows the room's entries when they changed
    // (with the room's unit-capacity values), and recalculates.
    void Calculate(const Room& room, const LuminaireList& luminaires);

    // "确定调整室内灯具数量": the room's new entries, each panel entry repeated count times
    // (copies with a count of 1), laid out evenly over the room (RepeatByCounts).
    // kTooMany when the counts add up to more than kMaxAppliedLuminaires, kNoRoom when the
    // room has no outline; the list is untouched then.
    CountAdjustment ApplyCounts(const Room& room, LuminaireList& roomLuminaires);

    // The efficiency combo's text; η is the number in it, in per cent. False, with the
    // message and the text kept, when it is not a number within 0 … 100.
    bool SetEfficiencyText(const std::string& text);
    const std::string& EfficiencyText() const { return m_efficiencyText; }

    int RowCount() const { return m_entries.Count(); }
    std::string CellText(int row, int column) const;
    // The class, kind, unit capacity, "个数" and "还需要" cells are edited in place; other
    // cells ignore edits. The kind cell shows the kind that follows the entry's first lamp
    // until a kind is typed or picked there; that choice is then kept (an empty text
    // makes the kind follow the lamp again).
    // Why a text typed into a number cell is refused (named by its header); empty when it
    // is taken or the cell holds no number. A refused text is not taken.
    static std::string CellRefusal(int column, const std::string& text);
    void EditCell(int row, int column, const std::string& text);
    // The drop-down list of a column: the catalogue's distribution classes or the two
    // reference-lamp kinds; empty for other columns.
    std::vector<std::string> ChoicesOf(int column) const;

    // The entries with their unit-capacity values as last calculated.
    const LuminaireList& Entries() const { return m_entries; }
    double Illuminance() const { return m_result.e; }                    // E, unrounded
    const std::string& IlluminanceText() const { return m_eText; }       // "实际照度lx"
    const std::string& Message() const { return m_message; }             // the message line
    const PowerDensityDisplay& Densities() const { return m_densities; } // 1273, 1277 + label
    // Everything the last calculation worked out (with η and the standard illuminance),
    // for the calculation book.
    const UnitCapacityResult& Result() const { return m_result; }
    // What the calculation book of the last calculation states.
    UnitCapacityBookRecord BookRecord() const {
        return {m_entries, m_result, m_eText, m_efficiencyText, m_densities, m_inputs, m_basis};
    }

    const std::string& Caption() const { return m_caption; }
    void BookWritten() { m_caption = "单位容量计算书"; }
    // What the last calculation was judged against (the message and the book's "结论"):
    // the room's standard place with its limits from the panel's catalogue.
    const StandardBasis& Basis() const { return m_basis; }

private:
    void ReadBack();

    CatalogueDatabase* m_catalogue;
    StandardBasis m_basis;
    std::string m_caption = "单位容量计算";
    std::string m_efficiencyText = kEfficiencies[0];
    LuminaireList m_entries;
    PendingCellEdits m_edits;
    UnitCapacityResult m_result;
    std::string m_eText;
    std::string m_message;
    PowerDensityDisplay m_densities;
    BookInputs m_inputs; // the room and luminaires of the last calculation
};

} // namespace qv
