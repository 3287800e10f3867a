#pragma once
// The lumen-method panel ("利用系数法照度计算") without a window: the room's luminaire
// entries with their coefficient of utilization and the counts the user may edit, the
// average illuminance against the standard, the power densities, and applying the
// edited counts to the room.
#include "calc/common/PowerDensity.h"
#include "calc/indoor/LumenMethod.h"
#include "calc/indoor/LumenMethodRecord.h"
#include "catalogue/CatalogueDatabase.h"
#include "model/Luminaire.h"
#include "model/Room.h"
#include "panels/PanelCells.h"

#include <array>
#include <string>
#include <vector>

namespace qv {

class LumenMethodPanel {
public:
    enum Column { kRowNumber = 0, kName, kModel, kCu, kCount, kNeeded, kColumnCount };
    static const std::array<const char*, kColumnCount> kHeaders;
    static const std::array<int, kColumnCount> kColumnWidths;
    // "确定调整室内灯具数量" refuses to place more luminaires than this in the room.
    static constexpr long long kMaxAppliedLuminaires = 100000;

    // Opening the panel calculates once.
    void Open(const Room& room, const LuminaireList& luminaires) { Calculate(room, luminaires); }

    // "计  算": takes the edited counts back, follows the room's entries when they changed
    // (their counts start at 1 again), and recalculates.
    void Calculate(const Room& room, const LuminaireList& luminaires);

    // "确定调整室内灯具数量": the room's new entries, each panel entry repeated count times,
    // laid out evenly over the room (RepeatByCounts). kTooMany when the counts add up to
    // more than kMaxAppliedLuminaires, kNoRoom when the room has no outline; the list is
    // untouched then.
    CountAdjustment ApplyCounts(const Room& room, LuminaireList& roomLuminaires);

    int RowCount() const { return static_cast<int>(m_entries.size()); }
    std::string CellText(int row, int column) const;
    // Why a text typed into a number cell is refused (named by its header); empty when it
    // is taken or the cell holds no number. A refused text is not taken.
    static std::string CellRefusal(int column, const std::string& text);
    // The "个数" and "还需要" cells are edited in place; other cells ignore edits.
    void EditCell(int row, int column, const std::string& text);

    const std::vector<LumenEntry>& Entries() const { return m_entries; }
    double Illuminance() const { return m_e; }                           // E, unrounded
    const std::string& IlluminanceText() const { return m_eText; }       // "实际照度lx"
    const std::string& Message() const { return m_message; }             // the message line
    const PowerDensityDisplay& Densities() const { return m_densities; } // 1132, 1135 + label
    // Everything the last calculation worked out.
    const LumenMethodResult& Result() const { return m_result; }
    // What the calculation book states: the entries as they stand (counts applied by
    // "确定调整室内灯具数量" included), the last calculation, and the standard illuminance
    // of the given room.
    LumenMethodRecord BookRecord(const Room& room) const;

    const std::string& Caption() const { return m_caption; }
    void BookWritten() { m_caption = "利用系数法照度计算书"; }

    // The catalogue whose standards table gives the limits of the room's standard place;
    // without one the place is judged by its illuminance alone.
    void SetStandards(CatalogueDatabase* catalogue) { m_standards = catalogue; }
    // What the last calculation was judged against (the message and the book's "结论").
    const StandardBasis& Basis() const { return m_basis; }

private:
    void ReadBack();

    std::string m_caption = "利用系数法照度计算";
    std::vector<LumenEntry> m_entries;
    PendingCellEdits m_edits;
    LumenMethodResult m_result;
    double m_e = 0.0;
    std::string m_eText;
    std::string m_message;
    PowerDensityDisplay m_densities;
    BookInputs m_inputs; // the room and luminaires of the last calculation
    CatalogueDatabase* m_standards = nullptr;
    StandardBasis m_basis;
};

} // namespace qv
