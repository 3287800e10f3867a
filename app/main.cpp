// Quorvel: the lighting-calculation program for electrical designers.
#include "app/Startup.h"
#include "ui/AppFont.h"
#include "ui/AppPaths.h"
#include "ui/MainWindow.h"
#include "ui/MessageBoxSink.h"
#include "ui/QtChinese.h"
#include "ui/ShellDialogs.h"

#include <kelvorin/KvAccess.h>
#include <kelvorin/KvMessage.h>

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    qv::UseChineseFont(application);
    qv::InstallQtChinese(application);
    const qv::AppPaths paths = qv::AppPaths::ForProgram();
    KvAccess catalogueAccess; // the program's one catalogue connection
    qv::CatalogueDatabase catalogue(catalogueAccess, paths.database);
    qv::QtShellDialogs dialogs(paths, catalogue);
    qv::MainWindow window(paths, dialogs, catalogue);
    const KvScopedMessageHandler messages(qv::MessageBoxHandler(&window));
    qv::StartMainWindow(window, application.arguments().mid(1));
    return application.exec();
}
