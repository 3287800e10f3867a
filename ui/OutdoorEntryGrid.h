#pragma once
// What the floodlight unit-capacity and road panels share: the grid of the site's or the
// road's luminaire entries under a header row of the model's height, with its editable
// and drop-down columns, filled from the model's cell texts.
#include "ui/PanelGrid.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace qv {

struct EntryGridColumns {
    std::set<int> editable;
    std::map<int, std::vector<std::string>> choices; // the drop-down columns
};

PanelGrid* NewEntryGrid(const std::vector<const char*>& headers, const std::vector<int>& widths,
                        int headerHeight, const EntryGridColumns& columns, QWidget* parent);

// The grid of a panel model with kHeaders, kColumnWidths and kHeaderHeight.
template <typename Panel>
PanelGrid* NewEntryGrid(const EntryGridColumns& columns, QWidget* parent) {
    return NewEntryGrid({Panel::kHeaders.begin(), Panel::kHeaders.end()},
                        {Panel::kColumnWidths.begin(), Panel::kColumnWidths.end()},
                        Panel::kHeaderHeight, columns, parent);
}

template <typename Panel> void ShowEntries(PanelGrid& grid, const Panel& panel) {
    grid.Fill(panel.RowCount(),
              [&panel](int row, int column) { return panel.CellText(row, column); });
}

} // namespace qv
