#pragma once
// Showing a saved document: the desktop's default application for the file opens it.
#include <string>

namespace qv {

// Starts the desktop's opener (xdg-open) for the file and returns without waiting for
// the application; false when it could not be started. The program hands this to
// CalcBookWriter; the command-line runner and the tests never call it.
bool OpenWithDesktopApplication(const std::string& path);

} // namespace qv
