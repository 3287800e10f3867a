#pragma once
// The 16 × 15 images of the toolbar buttons.
#include <QIcon>

namespace qv {

inline constexpr int kToolIconWidth = 16;
inline constexpr int kToolIconHeight = 15;

// The file commands take the style's file images, the about box its help image; every
// other command shows the first character of its label on a coloured tile.
QIcon CommandIcon(int id, const QString& label);

} // namespace qv
