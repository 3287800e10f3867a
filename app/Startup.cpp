#include "app/Startup.h"

#include "ui/MainWindow.h"
#include "ui/QtText.h"
#include "ui/WindowPlacement.h"

#include <QFileInfo>

namespace qv {

void StartMainWindow(MainWindow& window, const QStringList& files) {
    const int showState = LoadPlacement(window, window.Registry().paths.settings);
    window.setWindowTitle(QString::fromUtf8(MainWindow::kTitle));
    if (showState == 3) {
        window.showMaximized();
    } else {
        window.show();
    }
    // A restored project stands instead of the file named or the start-up choice.
    const bool restored = window.OfferRecovery();
    if (!restored && (files.isEmpty() || !window.Commands().OpenPath(FromQt(
                                             QFileInfo(files.constFirst()).absoluteFilePath())))) {
        window.Commands().StartChoice();
    }
    window.RebuildPlan();
}

} // namespace qv
