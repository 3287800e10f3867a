#pragma once
// Showing a saved document: the desktop's default application for the file opens it.
#include <string>

namespace qv {

// Starts the desktop's opener (xdg-open) for the file and returns without waiting for
// the application; false when it could not be started. The program hands this to
// CalcBookWriter; the command-line runner and the tests never call it.
bool OpenWithDesktopApplication(const std::string& path);

// Whether the desktop's opener can be started: an executable xdg-open in one of the
// folders of PATH. Without it the program says where a saved file is instead of claiming
// to show it.
bool DesktopOpenerAvailable();
// The same search in the folders of a PATH-like list (folders separated by ':').
bool DesktopOpenerIn(const std::string& searchPath);

} // namespace qv
