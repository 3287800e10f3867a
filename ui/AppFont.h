#pragma once
// The program's fonts: every text in Simplified Chinese glyph shapes.
#include <QFont>

class QApplication;

namespace qv {

inline constexpr const char* kUiFontFamily = "Noto Sans CJK SC";
// The plan's labels: the Song (Ming) style of Simplified Chinese.
inline constexpr const char* kPlanFontFamily = "Noto Serif CJK SC";

// Sets the application font to the Simplified Chinese CJK family; without it the font
// configuration may pick Japanese glyph shapes for the same characters.
void UseChineseFont(QApplication& application);

} // namespace qv
