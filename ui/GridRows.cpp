#include "ui/GridRows.h"

#include "ui/QtText.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QSignalBlocker>
#include <QTableWidget>

namespace qv {

QTableWidget* NewGrid(const QStringList& headers, bool editable, QWidget* parent) {
    auto* table = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    table->setHorizontalHeaderLabels(headers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(editable ? QAbstractItemView::AllEditTriggers
                                    : QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->setDefaultSectionSize(22);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

void FillGrid(QTableWidget& table, const std::vector<GridRow>& rows, int selected) {
    const QSignalBlocker quiet(table);
    const QSignalBlocker quietSelection(table.selectionModel());
    table.clearSelection();
    table.setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < table.rowCount(); ++r) {
        const GridRow& row = rows[static_cast<size_t>(r)];
        for (int c = 0; c < table.columnCount() && c < static_cast<int>(row.size()); ++c) {
            QTableWidgetItem* item = table.item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                table.setItem(r, c, item);
            }
            item->setText(ToQt(row[static_cast<size_t>(c)]));
        }
    }
    if (selected >= 0 && selected < table.rowCount()) {
        table.selectRow(selected);
    }
}

int SelectedGridRow(const QTableWidget& table) {
    const QModelIndexList rows = table.selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.constFirst().row();
}

} // namespace qv
