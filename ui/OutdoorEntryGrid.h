#pragma once
// What the floodlight unit-capacity and road panels share: the grid of the site's or the
// road's luminaire entries under a header row of the model's height, with its editable
// and drop-down columns, filled from the model's cell texts.
#include "model/Project.h"
#include "ui/PanelGrid.h"

#include <functional>

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

// The grid of a panel model with kHeaders, kColumnWidths and kHeaderHeight. Every edited
// cell goes to the model with a fresh snapshot of the project (the model recalculates),
// then refresh shows the model again.
template <typename Panel>
PanelGrid* NewEntryGrid(const EntryGridColumns& columns, Panel& panel,
                        std::function<Project()> snapshot, std::function<void()> refresh,
                        QWidget* parent) {
    PanelGrid* grid = NewEntryGrid({Panel::kHeaders.begin(), Panel::kHeaders.end()},
                                   {Panel::kColumnWidths.begin(), Panel::kColumnWidths.end()},
                                   Panel::kHeaderHeight, columns, parent);
    grid->SetCellCheck(
        [](int, int column, const std::string& text) { return Panel::CellRefusal(column, text); });
    QObject::connect(grid, &PanelGrid::CellEdited, grid,
                     [&panel, snapshot = std::move(snapshot),
                      refresh = std::move(refresh)](int row, int column, const std::string& text) {
                         panel.EditCell(row, column, text, snapshot());
                         refresh();
                     });
    return grid;
}

template <typename Panel> void ShowEntries(PanelGrid& grid, const Panel& panel) {
    grid.Fill(panel.RowCount(),
              [&panel](int row, int column) { return panel.CellText(row, column); });
}

} // namespace qv
