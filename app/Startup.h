#pragma once
// The program's start once its main window exists: the window placement from the
// settings file, the title, showing the window, then a project recovered after a crash
// (when the user takes it), the project named on the command line or else the start-up
// choice, and the first plan.
#include <QStringList>

namespace qv {

class MainWindow;

// files: the command-line arguments after the program name; the first one, when given,
// is opened as the project instead of asking for the start-up choice (the choice follows
// when it cannot be read).
void StartMainWindow(MainWindow& window, const QStringList& files);

} // namespace qv
