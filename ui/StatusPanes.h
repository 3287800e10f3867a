#pragma once
// The main window's status bar: seven panes (progress text, the progress bar's place,
// "X坐标", mouse x, "Y坐标", mouse y, the project path) and the progress bar, fed by the
// core's progress sink.
#include "panels/ProgressDisplay.h"

#include <QString>

#include <array>
#include <string>

class QLabel;
class QProgressBar;
class QStatusBar;

namespace qv {

class StatusPanes {
public:
    enum Pane { kProgressText, kProgressBar, kXTitle, kX, kYTitle, kY, kPath, kPaneCount };

    // Fills the status bar with the panes; the progress bar starts hidden.
    explicit StatusPanes(QStatusBar& bar);

    // One report of a long loop (position -1 closes the display); the panes repaint at once.
    void Report(const std::string& text, int position, int range);
    void ShowMouse(const std::string& x, const std::string& y);
    void ShowPath(const std::string& path);

    QString PaneText(Pane pane) const;
    QProgressBar* ProgressBar() const { return m_progress; }

private:
    ProgressDisplay m_display;
    std::array<QLabel*, kPaneCount> m_panes{};
    QProgressBar* m_progress = nullptr;
};

} // namespace qv
