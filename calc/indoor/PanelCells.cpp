#include "calc/indoor/PanelCells.h"

#include <kelvorin/KvStr.h>

#include <cctype>
#include <climits>

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

int ParseCellInteger(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])) != 0) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) != 0; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            value = static_cast<long long>(INT_MAX) + 1;
        }
    }
    value = negative ? -value : value;
    if (value > INT_MAX) {
        return INT_MAX;
    }
    return static_cast<int>(value);
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
