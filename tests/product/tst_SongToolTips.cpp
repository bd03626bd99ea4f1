// Every song list of the window tells a song's details: the rows of each list are files of the
// folder that list shows.
#include "ProductApp.h"

#include "library/LibraryBrowser.h"
#include "ui/Navigation.h"
#include "widgets/FileList.h"

#include <QTemporaryDir>
#include <QtTest>

class TestSongToolTips : public QObject {
    Q_OBJECT

private slots:
    void everySongListShowsTheDetails();
};

void TestSongToolTips::everySongListShowsTheDetails() {
    const QString tagged =
        QStringLiteral("Title: Test Tone\nArtist: Tovia Testers\nAlbum: Fixtures\nLength: 0:01");
    QTemporaryDir browsed;
    ProgramFolder::putSong(browsed.path(), QStringLiteral("found.mp3"));
    ProductApp app;
    app.folder.addLibrarySong(QStringLiteral("tagged.mp3"), QStringLiteral("tone-a.mp3"));
    app.folder.addLibrarySong(QStringLiteral("plain.mp3"), QStringLiteral("tone-b.mp3"));
    app.folder.addLibrarySong(QStringLiteral("readme.txt"), QStringLiteral("broken.mp3"));
    app.folder.addPlaylist(QStringLiteral("Mix"), {QStringLiteral("in mix.mp3")});
    app.folder.writeState(QStringLiteral("Mix"), QStringLiteral("7/16/2009 3:25:07 PM"),
                          QStringLiteral("/home/anna/Music"));
    app.startOn(ShowWelcomePage);
    Form& f = app.form();
    Drive1_Change(f, browsed.path());

    QCOMPARE(f.File1->toolTipAt(0), tagged);
    QCOMPARE(f.playlistsons->toolTipAt(0), tagged);
    QCOMPARE(f.File5->toolTipAt(0), tagged);
    QCOMPARE(f.File4->items(), QStringList({"plain.mp3", "tagged.mp3"}));
    QCOMPARE(f.File4->toolTipAt(0), QStringLiteral("plain.mp3\nLength: 0:01"));
    QCOMPARE(f.File4->toolTipAt(1), tagged);
    QCOMPARE(f.librarysongs->items(), QStringList({"plain.mp3", "readme.txt", "tagged.mp3"}));
    QCOMPARE(f.librarysongs->toolTipAt(1), QStringLiteral("readme.txt"));
    QCOMPARE(f.librarysongs->toolTipAt(2), tagged);

    // A library song replaced behind the lists shows its new details.
    app.folder.addLibrarySong(QStringLiteral("tagged.mp3"), QStringLiteral("tone-c.mp3"));
    QCOMPARE(f.librarysongs->toolTipAt(2), QStringLiteral("Title: Third\nLength: 0:01"));
}

QTEST_MAIN(TestSongToolTips)
#include "tst_SongToolTips.moc"
