#pragma once
// The main window's placement in the settings file (section "主窗口"): the window's show
// state and restored rectangle mapped to the placement keys, saved at the end and restored
// before the window is first shown.
#include <kelvorin/KvIniFile.h>

#include <string>

class QWidget;

namespace qv {

inline constexpr const char* kMainWindowSection = "主窗口";

// The placement of a top-level window: show state 1 normal, 2 minimised, 3 maximised, and
// the rectangle of the window when restored.
KvWindowPlacement PlacementOf(const QWidget& window);

// Writes the window's placement keys; false when the file cannot be written.
bool SavePlacement(const QWidget& window, const std::string& settingsFile);

// Reads the keys (missing ones keep the window's current placement), fits the rectangle
// to the primary screen and gives it to the window. Returns the show state to show the
// window with (a minimised window comes back restored).
int LoadPlacement(QWidget& window, const std::string& settingsFile);

} // namespace qv
