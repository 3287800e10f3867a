#pragma once
// What the calculation panels with a grid of luminaire entries share: cells edited in
// place and read back before every action, the integer of a cell, and the room's new
// entries when the panel's counts are applied ("确定调整室内灯具数量").
#include "model/Luminaire.h"
#include "model/Room.h"

#include <optional>
#include <string>
#include <vector>

namespace qv {

// The three cells every grid of luminaire entries begins with: column 0 the row number
// from 1, column 1 the luminaire's name, column 2 its model; nothing for another column.
std::optional<std::string> EntryIdentityCell(int row, int column, const Luminaire& luminaire);

// The texts typed into a grid's cells since the last read-back, in the order typed. A
// cell shows its latest pending text until the panel takes the edits back.
class PendingCellEdits {
public:
    struct Edit {
        int row;
        int column;
        std::string text;
    };

    void Add(int row, int column, const std::string& text) {
        m_edits.push_back({row, column, text});
    }
    // The latest text typed into the cell, or nullptr when it was not edited.
    const std::string* Find(int row, int column) const;
    // Hands every edit in typing order to apply, then forgets them.
    template <typename Apply> void TakeBack(Apply apply) {
        for (const Edit& edit : m_edits) {
            apply(edit);
        }
        m_edits.clear();
    }

private:
    std::vector<Edit> m_edits;
};

// One panel entry for the count adjustment: the luminaire and how many of it the room
// is to hold.
struct CountedLuminaire {
    const Luminaire* luminaire;
    int count;
};

// What became of a count adjustment.
enum class CountAdjustment {
    kApplied, // the room holds the new entries
    kTooMany, // the counts add up to more than the limit
    kNoRoom   // the room has no outline to lay the luminaires out in
};

// The room's entries after the adjustment: each luminaire repeated count times (none for
// a count of 0 or less), in entry order. The copies are laid out evenly over the room's
// rectangle in the rows × columns nearest to their total (NearestGrid with the room's
// L/W), filling the places row by row from the lowest y; each copy hangs at its entry's
// mounting height (MountingHeightFor). kTooMany when the counts add up to more than
// maxTotal, kNoRoom when there is something to place but the room has no outline; out is
// untouched then.
CountAdjustment RepeatByCounts(const std::vector<CountedLuminaire>& entries, long long maxTotal,
                               const Room& room, LuminaireList& out);

} // namespace qv
