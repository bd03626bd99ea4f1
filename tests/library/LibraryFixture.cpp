#include "LibraryFixture.h"

#include "ui/Navigation.h"
#include "widgets/ListBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

LibraryApp::LibraryApp(FileOps* files)
    : TestApp(files) {
    folder.writeState(QString(), QStringLiteral("7/16/2009 3:25:07 PM"),
                      QStringLiteral("/home/anna/Music"));
}

void LibraryApp::startOn(void (*showPage)(Form&)) {
    start();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    showPage(form());
}

namespace {

// Scrolls the row into view and gives its centre, or an invalid point when there is no row.
std::optional<QPoint> rowCentre(ListBox* list, const QString& text) {
    const int row = int(list->items().indexOf(text));
    if (row < 0 || !list->isVisible())
        return std::nullopt;
    QAbstractItemView* view = list;
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    return view->visualRect(index).center();
}

} // namespace

bool clickEntry(ListBox* list, const QString& text) {
    const std::optional<QPoint> at = rowCentre(list, text);
    if (at)
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, *at);
    return at.has_value();
}

bool doubleClickEntry(ListBox* list, const QString& text) {
    const std::optional<QPoint> at = rowCentre(list, text);
    if (at) {
        // What the system delivers for a double-click: a click, then the double-click event
        // and its release. The view takes a double-click only on the row it saw pressed.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, *at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, *at);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, *at);
    }
    return at.has_value();
}

bool isOpenHere(const QString& path) {
    const QString target = QFileInfo(path).canonicalFilePath();
    const QDir descriptors(QStringLiteral("/proc/self/fd"));
    for (const QString& fd :
         descriptors.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        if (QFile::symLinkTarget(descriptors.filePath(fd)) == target)
            return true;
    }
    return false;
}

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QStringList songsIn(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*.mp3*")}, QDir::Files,
                                  QDir::Name | QDir::IgnoreCase);
}

QStringList everythingIn(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}
