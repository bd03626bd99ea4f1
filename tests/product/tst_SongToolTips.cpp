// Every song list of the window tells a song's details when the pointer rests on it.
#include "ProductApp.h"

#include "library/LibraryBrowser.h"
#include "ui/Navigation.h"
#include "widgets/FileList.h"

#include <QHelpEvent>
#include <QTemporaryDir>
#include <QToolTip>
#include <QtTest>

namespace {

const QString tagged =
    QStringLiteral("Title: Test Tone\nArtist: Tovia Testers\nAlbum: Fixtures\nLength: 0:01");

// What the list shows when the pointer rests on the row of text, "" when nothing shows.
QString hover(ListBox* list, const QString& text) {
    const int row = int(list->items().indexOf(text));
    if (row < 0)
        return QStringLiteral("<no row>");
    QAbstractItemView* view = list;
    const QModelIndex index = view->model()->index(row, 0);
    view->scrollTo(index);
    const QPoint at = view->visualRect(index).center();
    QToolTip::hideText();
    QHelpEvent help(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(list->viewport(), &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

} // namespace

class TestSongToolTips : public QObject {
    Q_OBJECT

private slots:
    void everySongListShowsTheDetails();
    void aSongReplacedInTheLibraryShowsItsNewDetails();
};

void TestSongToolTips::everySongListShowsTheDetails() {
    QTemporaryDir browsed;
    ProgramFolder::putSong(browsed.path(), QStringLiteral("found.mp3"));
    ProductApp app;
    app.platform.volumes = {QStringLiteral("/"), browsed.path()};
    app.folder.addLibrarySong(QStringLiteral("tagged.mp3"), QStringLiteral("tone-a.mp3"));
    app.folder.addLibrarySong(QStringLiteral("plain.mp3"), QStringLiteral("tone-b.mp3"));
    app.folder.addLibrarySong(QStringLiteral("readme.txt"), QStringLiteral("broken.mp3"));
    app.folder.addPlaylist(QStringLiteral("Mix"), {QStringLiteral("in mix.mp3")});
    app.folder.writeState(QStringLiteral("Mix"), QStringLiteral("7/16/2009 3:25:07 PM"),
                          QStringLiteral("/home/anna/Music"));
    app.startOn(ShowWelcomePage);
    Form& f = app.form();

    QCOMPARE(f.File1->toolTipAt(0), tagged);
    QVERIFY(hover(f.File1, QStringLiteral("in mix.mp3")).contains(QStringLiteral("Tovia Testers")));

    ShowPlaylistsPage(f);
    QCOMPARE(f.playlistsons->toolTipAt(0), tagged);
    QCOMPARE(f.librarysongs->items(), QStringList({"plain.mp3", "readme.txt", "tagged.mp3"}));
    QCOMPARE(f.librarysongs->toolTipAt(0), QStringLiteral("plain.mp3\nLength: 0:01"));
    QCOMPARE(f.librarysongs->toolTipAt(1), QStringLiteral("readme.txt"));
    QCOMPARE(f.librarysongs->toolTipAt(2), tagged);
    QVERIFY(
        hover(f.librarysongs, QStringLiteral("tagged.mp3")).contains(QStringLiteral("Fixtures")));

    ShowLibraryPage(f);
    Drive1_Change(f, browsed.path());
    QCOMPARE(f.File5->toolTipAt(0), tagged);
    QCOMPARE(f.File4->items(), QStringList({"plain.mp3", "tagged.mp3"}));
    QCOMPARE(f.File4->toolTipAt(0), QStringLiteral("plain.mp3\nLength: 0:01"));
    QVERIFY(hover(f.File4, QStringLiteral("tagged.mp3")).contains(QStringLiteral("Test Tone")));
    QToolTip::hideText();
}

void TestSongToolTips::aSongReplacedInTheLibraryShowsItsNewDetails() {
    ProductApp app;
    app.folder.addLibrarySong(QStringLiteral("song.mp3"), QStringLiteral("tone-a.mp3"));
    app.startOn(ShowLibraryPage);
    Form& f = app.form();
    QCOMPARE(f.File4->toolTipAt(0), tagged);

    app.folder.addLibrarySong(QStringLiteral("song.mp3"), QStringLiteral("tone-c.mp3"));
    QCOMPARE(f.File4->toolTipAt(0), QStringLiteral("Title: Third\nLength: 0:01"));
    QCOMPARE(f.librarysongs->toolTipAt(0), QStringLiteral("Title: Third\nLength: 0:01"));
}

QTEST_MAIN(TestSongToolTips)
#include "tst_SongToolTips.moc"
