#pragma once
// Grid columns never narrower than what they show: no header or cell text of a result
// grid is cut short with "…", whatever width a column was given or kept in the settings.
class QHeaderView;
class QTableView;

namespace qv {

// Widens every column that is narrower than its header or its widest cell; wider
// columns keep their width.
void WidenColumnsToContents(QTableView& grid);

// Fixes the header's height at height, or at what its texts need when that is more (two
// lines of a larger font would otherwise be cut, "方" reading as "万").
void FitHeaderHeight(QHeaderView& header, int height);

} // namespace qv
