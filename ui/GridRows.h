#pragma once
// The grids of the editing panels: a table of texts filled from a panel model's rows
// without echoing the filling back as edits, and its single selected row.
#include <QStringList>

#include <string>
#include <vector>

class QTableWidget;
class QWidget;

namespace qv {

using GridRow = std::vector<std::string>;

// A table with the column headers, whole-row single selection, and cells that may be
// typed in or not.
QTableWidget* NewGrid(const QStringList& headers, bool editable, QWidget* parent);

// Shows the rows (signals blocked) and selects the row, or none for -1.
void FillGrid(QTableWidget& table, const std::vector<GridRow>& rows, int selected);

// The selected row, -1 for none.
int SelectedGridRow(const QTableWidget& table);

} // namespace qv
