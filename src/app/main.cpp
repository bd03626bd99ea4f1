#include "app/Startup.h"
#include "app/Wiring.h"
#include "form/MainWindow.h"
#include "fs/FileOps.h"
#include "platform/MessageBoxPrompter.h"
#include "platform/SystemPlatform.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("tovia3-music-manager"));
    // The program ends when its window closes, but only after the closing handler is done:
    // starting the game closes the window first and may still have to report a failure.
    QApplication::setQuitOnLastWindowClosed(false);

    SystemPlatform platform;
    MessageBoxPrompter prompter;
    RealFileOps files;
    MainWindow window(QCoreApplication::applicationDirPath(), platform, prompter, files);
    QObject::connect(&window, &MainWindow::closed, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    Form& form = window.form();
    wireEvents(window, [&form](Action action) { runAction(form, action); });

    // Start-up asks its questions before the window appears.
    Form_Load(form);
    prompter.setParent(&window);
    window.show();
    return app.exec();
}
