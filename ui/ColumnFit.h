#pragma once
// Grid columns never narrower than what they show: no header or cell text of a result
// grid is cut short with "…", whatever width a column was given or kept in the settings.
class QTableView;

namespace qv {

// Widens every column that is narrower than its header or its widest cell; wider
// columns keep their width.
void WidenColumnsToContents(QTableView& grid);

} // namespace qv
