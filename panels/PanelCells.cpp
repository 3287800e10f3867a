#include "panels/PanelCells.h"

#include <kelvorin/KvStr.h>

namespace qv {
namespace {

constexpr double kNotPlaced = -1.0;

} // namespace

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

bool RepeatByCounts(const std::vector<CountedLuminaire>& entries, long long maxTotal,
                    LuminaireList& out) {
    long long total = 0;
    for (const CountedLuminaire& entry : entries) {
        total += entry.count > 0 ? entry.count : 0;
    }
    if (total > maxTotal) {
        return false;
    }
    LuminaireList repeated;
    repeated.Reserve(static_cast<int>(total));
    for (const CountedLuminaire& entry : entries) {
        for (int i = 0; i < entry.count; ++i) {
            Luminaire copy = *entry.luminaire;
            if (i > 0) {
                copy.ptCenter.x = kNotPlaced;
                copy.ptCenter.y = kNotPlaced;
            }
            repeated.Add(std::move(copy));
        }
    }
    out = std::move(repeated);
    return true;
}

} // namespace qv
