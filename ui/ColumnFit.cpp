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
        const int needed = std::max(grid.sizeHintForColumn(column), header.sectionSizeHint(column));
        if (grid.columnWidth(column) < needed) {
            grid.setColumnWidth(column, needed);
        }
    }
}

} // namespace qv
