#pragma once
// The 16 × 15 images of the toolbar buttons, drawn as vector pictures so that they stay
// sharp on screens of twice the density.
#include <QIcon>

namespace qv {

inline constexpr int kToolIconWidth = 16;
inline constexpr int kToolIconHeight = 15;

// The picture of a command (a room outline for "房间参数", a street lamp for the road
// calculation, ...), at 1× and 2×; the null icon for a command without one.
QIcon CommandIcon(int id);

} // namespace qv
