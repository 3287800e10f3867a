#include "ui/ColumnFit.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QTableView>

#include <algorithm>

namespace qv {

void WidenColumnsToContents(QTableView& grid) {
    QHeaderView& header = *grid.horizontalHeader();
    const QAbstractItemModel* model = grid.model();
    if (model == nullptr) {
        return;
    }
    for (int column = 0; column < model->columnCount(); ++column) {
        // The view's hint is public on its base: the widest cell with the style's margins.
        const QAbstractItemView& view = grid;
        const int needed = std::max(view.sizeHintForColumn(column), header.sectionSizeHint(column));
        if (grid.columnWidth(column) < needed) {
            grid.setColumnWidth(column, needed);
        }
    }
}

void FitHeaderHeight(QHeaderView& header, int height) {
    header.setFixedHeight(std::max(height, header.sizeHint().height()));
}

} // namespace qv
