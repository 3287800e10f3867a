#include "ui/WindowPlacement.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace qv {

KvWindowPlacement PlacementOf(const QWidget& window) {
    KvWindowPlacement placement;
    placement.showCmd = window.isMinimized() ? 2 : window.isMaximized() ? 3 : 1;
    const QRect normal = window.isMaximized() || window.isMinimized() || window.isFullScreen()
                             ? window.normalGeometry()
                             : window.geometry();
    placement.rcNormalPosition = {normal.left(), normal.top(), normal.left() + normal.width(),
                                  normal.top() + normal.height()};
    return placement;
}

bool SavePlacement(const QWidget& window, const std::string& settingsFile) {
    const KvWindowPlacement placement = PlacementOf(window);
    return KvIniFile::SaveWindowPlacement(&placement, kMainWindowSection, settingsFile) != 0;
}

int LoadPlacement(QWidget& window, const std::string& settingsFile) {
    KvWindowPlacement placement = PlacementOf(window);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->geometry().size() : QSize(1280, 800);
    KvIniFile::LoadWindowPlacement(&placement, size.width(), size.height(), kMainWindowSection,
                                   settingsFile);
    const KvWindowRect& r = placement.rcNormalPosition;
    const QRect rect(static_cast<int>(r.left), static_cast<int>(r.top),
                     static_cast<int>(r.right - r.left), static_cast<int>(r.bottom - r.top));
    if (rect.width() > 0 && rect.height() > 0) {
        window.setGeometry(rect);
    }
    return placement.showCmd;
}

} // namespace qv
