// Quorvel: the lighting-calculation program for electrical designers.
#include "app/AppPaths.h"
#include "app/Startup.h"
#include "ui/AppFont.h"
#include "ui/MainWindow.h"
#include "ui/MessageBoxSink.h"
#include "ui/ShellDialogs.h"

#include <kelvorin/KvMessage.h>

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    qv::UseChineseFont(application);
    const qv::AppPaths paths = qv::AppPaths::ForProgram();
    qv::QtShellDialogs dialogs(paths);
    qv::MainWindow window(paths, dialogs);
    const KvScopedMessageHandler messages(qv::MessageBoxHandler(&window));
    qv::StartMainWindow(window, application.arguments().mid(1));
    return application.exec();
}
