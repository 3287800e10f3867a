#include "ui/OutdoorEntryGrid.h"

#include <QHeaderView>

namespace qv {

PanelGrid* NewEntryGrid(const std::vector<const char*>& headers, const std::vector<int>& widths,
                        int headerHeight, const EntryGridColumns& columns, QWidget* parent) {
    auto* grid = new PanelGrid(headers, widths, parent);
    QHeaderView& header = *grid->horizontalHeader();
    header.setFixedHeight(headerHeight);
    // Two header lines fit the row height without the style's margins.
    header.setStyleSheet(QStringLiteral("QHeaderView::section { padding: 0px; }"));
    // The narrow row-number column is narrower than the style's least section width.
    header.setMinimumSectionSize(1);
    for (size_t c = 0; c < widths.size(); ++c) {
        grid->setColumnWidth(static_cast<int>(c), widths[c]);
    }
    grid->SetEditableColumns(columns.editable);
    for (const auto& [column, choices] : columns.choices) {
        grid->SetChoices(column, [choices] { return choices; });
    }
    return grid;
}

} // namespace qv
