#include "panels/PanelCells.h"

#include "calc/common/LuminaireLayout.h"

#include <kelvorin/KvStr.h>

namespace qv {

std::optional<std::string> EntryIdentityCell(int row, int column, const Luminaire& luminaire) {
    switch (column) {
    case 0:
        return KvStr::Format("%d", row + 1);
    case 1:
        return luminaire.sName;
    case 2:
        return luminaire.sModel;
    default:
        return std::nullopt;
    }
}

const std::string* PendingCellEdits::Find(int row, int column) const {
    for (auto edit = m_edits.rbegin(); edit != m_edits.rend(); ++edit) {
        if (edit->row == row && edit->column == column) {
            return &edit->text;
        }
    }
    return nullptr;
}

CountAdjustment RepeatByCounts(const std::vector<CountedLuminaire>& entries, long long maxTotal,
                               const Room& room, LuminaireList& out) {
    long long total = 0;
    for (const CountedLuminaire& entry : entries) {
        total += entry.count > 0 ? entry.count : 0;
    }
    if (total > maxTotal || total > kMaxLayoutLuminaires) {
        return CountAdjustment::kTooMany;
    }
    std::vector<Vector> places;
    if (total > 0) {
        LayoutArea area;
        std::string refusal;
        if (!LayoutAreaOf(room, area, refusal)) {
            return CountAdjustment::kNoRoom;
        }
        const GridShape grid = NearestGrid(total, area.length / area.width);
        ArrayLayout layout;
        layout.rows = grid.rows;
        layout.columns = grid.columns;
        places = ArrayPositions(room, layout, refusal);
    }
    LuminaireList repeated;
    repeated.Reserve(static_cast<int>(total));
    size_t place = 0;
    for (const CountedLuminaire& entry : entries) {
        const double height = MountingHeightFor(room, *entry.luminaire);
        for (int i = 0; i < entry.count; ++i) {
            Luminaire copy = *entry.luminaire;
            copy.ptCenter = places[place++];
            copy.ptCenter.z = height;
            repeated.Add(std::move(copy));
        }
    }
    out = std::move(repeated);
    return CountAdjustment::kApplied;
}

} // namespace qv
