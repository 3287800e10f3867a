#pragma once
// How the page of an editing bar sits in its dock: the page scrolls along the dock's long
// side only, and the dock is never narrower (a bottom bar never lower) than the page's
// controls need, so that no field or button is cut off at any window size. Buttons take
// the width of their text instead of the style's wide minimum, which keeps the side bars
// narrow enough to leave the plan most of the window.
#include <QScrollArea>

namespace qv {

// A scroll area holding the page. stacked: the direction the page may scroll in
// (Qt::Vertical for a side bar, Qt::Horizontal for a bar at the top or bottom, which
// then does not scroll at all: its grid scrolls itself).
QScrollArea* NewBarScroll(QWidget* page, Qt::Orientation stacked);

// The width (side bar) or height (bottom bar) the scroll area needs to show the whole page
// across: at least, or as the page would like it (its grids' columns shown).
int BarExtent(const QScrollArea& scroll, Qt::Orientation stacked, bool preferred = false);

} // namespace qv
