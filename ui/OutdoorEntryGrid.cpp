#include "ui/OutdoorEntryGrid.h"

#include "ui/ColumnFit.h"

#include <QHeaderView>

namespace qv {

PanelGrid* NewEntryGrid(const std::vector<const char*>& headers, const std::vector<int>& widths,
                        int headerHeight, const EntryGridColumns& columns, QWidget* parent) {
    auto* grid = new PanelGrid(headers, widths, parent);
    QHeaderView& header = *grid->horizontalHeader();
    // Two header lines fit the row height without the style's margins.
    header.setStyleSheet(QStringLiteral("QHeaderView::section { padding: 0px; }"));
    FitHeaderHeight(header, headerHeight);
    grid->SetEditableColumns(columns.editable);
    for (const auto& [column, choices] : columns.choices) {
        grid->SetChoices(column, [choices] { return choices; });
    }
    return grid;
}

} // namespace qv
