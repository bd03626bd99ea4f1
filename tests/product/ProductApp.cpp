#include "ProductApp.h"

#include <QFileInfo>
#include <QtTest>

ProductApp::ProductApp(FileOps* files)
    : TestApp(files) {
    folder.writeState(QString(), QStringLiteral("7/16/2009 3:25:07 PM"),
                      QStringLiteral("/home/anna/Music"));
}

void ProductApp::startOn(void (*showPage)(Form&)) {
    start();
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    showPage(form());
}

QString ProductApp::librarySong(const QString& name) const {
    return folder.library() + QLatin1Char('/') + name;
}

FileResult FullDiskFileOps::copyReplace(const QString& src, const QString& dst) {
    return FileResult::failure(
        QStringLiteral("Could not copy '%1' to '%2': No space left on device")
            .arg(QFileInfo(src).fileName(), dst));
}
