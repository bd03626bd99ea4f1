#include "LibraryFixture.h"

#include "library/LibraryBrowser.h"
#include "library/Preview.h"
#include "ui/Navigation.h"
#include "widgets/DirList.h"
#include "widgets/DriveList.h"
#include "widgets/FileList.h"
#include "widgets/PreviewPlayer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QStringList sortedCopy(QStringList names) {
    names.sort();
    return names;
}

// What a user's pick in the drive list does: the combo box reports the activated row.
void chooseDrive(DriveList* drives, const QString& root) {
    const int index = drives->findText(root);
    QVERIFY2(index >= 0, qPrintable(root));
    drives->setCurrentIndex(index);
    emit drives->activated(index);
}

} // namespace

class TestLibraryBrowser : public QObject {
    Q_OBJECT

private slots:
    void songListsMatchTheirPatterns();
    void driveChangeMovesFolderAndFilesTogether();
    void unreadableDriveKeepsTheBrowser();
    void pathsAtFolderRoots();
    void eachListPreviewsInItsOwnPlayer();
    void previewPlaysToTheEnd();
    void stopPreviewReleasesTheFile();
    void choosingAPlaylistShowsItsSongsAndStopsTheWelcomePlayer();
};

void TestLibraryBrowser::songListsMatchTheirPatterns() {
    QTemporaryDir browse;
    QVERIFY(browse.isValid());
    for (const char* name : {"song.mp3", "SONG.MP3", "song.mp3.bak", "tune.ogg", ".hidden.mp3"})
        ProgramFolder::putSong(browse.path(), QString::fromLatin1(name));
    QVERIFY(QDir(browse.path()).mkdir(QStringLiteral("folder.mp3")));

    LibraryApp app;
    app.platform.volumes = {QStringLiteral("/"), browse.path()};
    app.folder.addLibrarySong(QStringLiteral("a.mp3"));
    app.folder.addLibrarySong(QStringLiteral("notes.txt"));
    app.folder.addLibrarySong(QStringLiteral(".cache.mp3"));
    app.startOn(ShowLibraryPage);
    Form& f = app.form();

    chooseDrive(f.Drive1, browse.path());
    QCOMPARE(sortedCopy(f.File5->items()), QStringList({"SONG.MP3", "song.mp3", "song.mp3.bak"}));
    QCOMPARE(f.File5->items().last(), QStringLiteral("song.mp3.bak"));

    // The library listing takes songs only; the playlists page offers every visible file.
    QCOMPARE(f.File4->items(), QStringList({"a.mp3"}));
    QCOMPARE(f.librarysongs->items(), QStringList({"a.mp3", "notes.txt"}));
}

void TestLibraryBrowser::driveChangeMovesFolderAndFilesTogether() {
    QTemporaryDir volume;
    QVERIFY(volume.isValid());
    ProgramFolder::putSong(volume.path(), QStringLiteral("top.mp3"));
    ProgramFolder::putSong(volume.path() + QStringLiteral("/inner"), QStringLiteral("deep.mp3"));

    LibraryApp app;
    app.platform.volumes = {QStringLiteral("/"), volume.path()};
    app.startOn(ShowLibraryPage);
    Form& f = app.form();
    QCOMPARE(f.Dir3->path(), QStringLiteral("/"));
    QCOMPARE(f.File5->folder(), QStringLiteral("/"));

    chooseDrive(f.Drive1, volume.path());
    QCOMPARE(f.Dir3->path(), volume.path());
    QCOMPARE(f.File5->folder(), volume.path());
    QCOMPARE(f.File5->items(), QStringList({"top.mp3"}));
    QCOMPARE(f.Dir3->count(), 1);
    QCOMPARE(f.Dir3->entry(0), volume.path() + QStringLiteral("/inner"));

    // Opening a folder in Dir3 carries File5 along.
    QVERIFY(f.Dir3->setPath(f.Dir3->entry(0)));
    QCOMPARE(f.File5->items(), QStringList({"deep.mp3"}));

    chooseDrive(f.Drive1, QStringLiteral("/"));
    QCOMPARE(f.Dir3->path(), QStringLiteral("/"));
    QCOMPARE(f.File5->folder(), QStringLiteral("/"));
    QVERIFY(app.prompter.boxes.isEmpty());
}

void TestLibraryBrowser::unreadableDriveKeepsTheBrowser() {
    QTemporaryDir base;
    QVERIFY(base.isValid());
    const QString music = base.path() + QStringLiteral("/music");
    const QString disc = base.path() + QStringLiteral("/musicbox/disc");
    const QString gone = base.path() + QStringLiteral("/gone");
    ProgramFolder::putSong(music, QStringLiteral("m.mp3"));
    ProgramFolder::putSong(disc, QStringLiteral("d.mp3"));

    LibraryApp app;
    // "music" reads like the start of "musicbox" but does not hold it; base does.
    app.platform.volumes = {QStringLiteral("/"), base.path(), music, gone};
    app.startOn(ShowLibraryPage);
    Form& f = app.form();
    chooseDrive(f.Drive1, music);
    QVERIFY(f.Dir3->setPath(disc));
    QCOMPARE(f.File5->items(), QStringList({"d.mp3"}));

    chooseDrive(f.Drive1, gone);
    QCOMPARE(f.Dir3->path(), disc);
    QCOMPARE(f.File5->folder(), disc);
    QCOMPARE(f.File5->items(), QStringList({"d.mp3"}));
    QCOMPARE(f.Drive1->drive(), base.path());
    QCOMPARE(app.prompter.boxes.size(), 1);
    const ScriptedPrompter::Box& box = app.prompter.boxes.first();
    QVERIFY(!box.question);
    QCOMPARE(box.icon, Prompter::Icon::Exclamation);
    QVERIFY2(box.text.contains(gone), qPrintable(box.text));

    // Still usable: the next drive works as usual.
    chooseDrive(f.Drive1, music);
    QCOMPARE(f.File5->items(), QStringList({"m.mp3"}));
    QCOMPARE(app.prompter.boxes.size(), 1);
}

void TestLibraryBrowser::pathsAtFolderRoots() {
    LibraryApp app;
    app.folder.addLibrarySong(QStringLiteral("a.mp3"));
    app.startOn(ShowLibraryPage);
    Form& f = app.form();

    // The file system root: entries below it are "/" + name, never "//" + name.
    QCOMPARE(f.File5->folder(), QStringLiteral("/"));
    QCOMPARE(f.File5->pathOf(QStringLiteral("x.mp3")), QStringLiteral("/x.mp3"));
    for (int i = 0; i < f.Dir3->count(); ++i)
        QVERIFY2(!f.Dir3->entry(i).startsWith(QStringLiteral("//")), qPrintable(f.Dir3->entry(i)));

    // The library folder is kept with its closing separator, as a drive root is.
    QVERIFY(f.File4->folder().endsWith(QLatin1Char('/')));
    QVERIFY(clickEntry(f.File4, QStringLiteral("a.mp3")));
    QCOMPARE(f.WindowsMediaPlayer2->url(), app.folder.library() + QStringLiteral("/a.mp3"));
}

void TestLibraryBrowser::eachListPreviewsInItsOwnPlayer() {
    QTemporaryDir browse;
    QVERIFY(browse.isValid());
    ProgramFolder::putSong(browse.path(), QStringLiteral("c.mp3"), QStringLiteral("tone-c.mp3"));

    LibraryApp app;
    app.platform.volumes = {QStringLiteral("/"), browse.path()};
    app.folder.addLibrarySong(QStringLiteral("a.mp3"));
    app.folder.addLibrarySong(QStringLiteral("b.mp3"), QStringLiteral("tone-b.mp3"));
    app.folder.addPlaylist(QStringLiteral("Mix"), {QStringLiteral("p.mp3")});
    app.folder.writeState(QStringLiteral("Mix"), QStringLiteral("7/16/2009 3:25:07 PM"),
                          QStringLiteral("/home/anna/Music"));
    app.startOn(ShowLibraryPage);
    Form& f = app.form();
    PreviewPlayer* const players[] = {f.WindowsMediaPlayer1, f.WindowsMediaPlayer2,
                                      f.WindowsMediaPlayer3};
    auto urls = [&players] {
        QStringList result;
        for (PreviewPlayer* player : players)
            result << player->url();
        return result;
    };

    chooseDrive(f.Drive1, browse.path());
    QVERIFY(clickEntry(f.File5, QStringLiteral("c.mp3")));
    QCOMPARE(urls(), QStringList({"", "", ""})); // a single click only selects
    QVERIFY(doubleClickEntry(f.File5, QStringLiteral("c.mp3")));
    QCOMPARE(urls(), QStringList({"", browse.path() + "/c.mp3", ""}));
    QVERIFY(clickEntry(f.File4, QStringLiteral("b.mp3")));
    QCOMPARE(urls(), QStringList({"", app.folder.library() + "/b.mp3", ""}));

    ShowPlaylistsPage(f);
    // Another entry stays selected; the double-clicked one is what plays.
    QVERIFY(clickEntry(f.librarysongs, QStringLiteral("b.mp3")));
    QVERIFY(doubleClickEntry(f.librarysongs, QStringLiteral("a.mp3")));
    QCOMPARE(urls(), QStringList({app.folder.library() + "/a.mp3", "", ""}));
    QVERIFY(doubleClickEntry(f.playlistsons, QStringLiteral("p.mp3")));
    QCOMPARE(urls(), QStringList({app.folder.playlist("Mix") + "/p.mp3", "", ""}));

    ShowWelcomePage(f);
    QVERIFY(clickEntry(f.File1, QStringLiteral("p.mp3")));
    QCOMPARE(urls(), QStringList({"", "", ""}));
    QVERIFY(doubleClickEntry(f.File1, QStringLiteral("p.mp3")));
    QCOMPARE(urls(), QStringList({"", "", app.folder.playlist("Mix") + "/p.mp3"}));
    QVERIFY(app.prompter.boxes.isEmpty());
}

void TestLibraryBrowser::previewPlaysToTheEnd() {
    LibraryApp app;
    app.folder.addLibrarySong(QStringLiteral("a.mp3"));
    app.folder.addLibrarySong(QStringLiteral("broken.mp3"), QStringLiteral("broken.mp3"));
    app.startOn(ShowLibraryPage);
    Form& f = app.form();
    QMediaPlayer* media = f.WindowsMediaPlayer2->mediaPlayer();

    QVERIFY(clickEntry(f.File4, QStringLiteral("a.mp3")));
    // Reached by playing the 1-second song through, in real time even without a sound device.
    QTRY_COMPARE_WITH_TIMEOUT(media->mediaStatus(), QMediaPlayer::EndOfMedia, 20000);
    QVERIFY(media->duration() > 500);
    QCOMPARE(media->error(), QMediaPlayer::NoError);

    // A file that is no song shows a notice in the bar, never a box.
    QVERIFY(clickEntry(f.File4, QStringLiteral("broken.mp3")));
    QTRY_VERIFY_WITH_TIMEOUT(!f.WindowsMediaPlayer2->notice().isEmpty(), 20000);
    QCOMPARE(f.WindowsMediaPlayer2->url(), app.folder.library() + QStringLiteral("/broken.mp3"));
    QVERIFY(app.prompter.boxes.isEmpty());
}

void TestLibraryBrowser::stopPreviewReleasesTheFile() {
    LibraryApp app;
    app.folder.addLibrarySong(QStringLiteral("a.mp3"));
    app.startOn(ShowLibraryPage);
    Form& f = app.form();
    const QString song = app.folder.library() + QStringLiteral("/a.mp3");

    QVERIFY(clickEntry(f.File4, QStringLiteral("a.mp3")));
    QTRY_VERIFY_WITH_TIMEOUT(isOpenHere(song), 20000);
    StopPreview(f.WindowsMediaPlayer2);
    QCOMPARE(f.WindowsMediaPlayer2->url(), QString());
    QTRY_VERIFY_WITH_TIMEOUT(!isOpenHere(song), 20000);
    QVERIFY(QFile::remove(song));
}

void TestLibraryBrowser::choosingAPlaylistShowsItsSongsAndStopsTheWelcomePlayer() {
    LibraryApp app;
    app.folder.addPlaylist(QStringLiteral("Mix"), {QStringLiteral("m.mp3")});
    app.folder.addPlaylist(QStringLiteral("Rock"),
                           {QStringLiteral("r1.mp3"), QStringLiteral("r2.MP3")});
    ProgramFolder::putSong(app.folder.playlist(QStringLiteral("Rock")),
                           QStringLiteral("cover.jpg"));
    app.folder.writeState(QStringLiteral("Mix"), QStringLiteral("7/16/2009 3:25:07 PM"),
                          QStringLiteral("/home/anna/Music"));
    app.startOn(ShowWelcomePage);
    Form& f = app.form();
    QCOMPARE(f.List1->selectedText(), QStringLiteral("Mix"));
    QCOMPARE(f.File1->items(), QStringList({"m.mp3"}));

    const QString playing = app.folder.playlist(QStringLiteral("Mix")) + QStringLiteral("/m.mp3");
    QVERIFY(doubleClickEntry(f.File1, QStringLiteral("m.mp3")));
    QCOMPARE(f.WindowsMediaPlayer3->url(), playing);
    QTRY_VERIFY_WITH_TIMEOUT(isOpenHere(playing), 20000);

    QVERIFY(clickEntry(f.List1, QStringLiteral("Rock")));
    QCOMPARE(f.File1->folder(), app.folder.playlist(QStringLiteral("Rock")));
    QCOMPARE(f.File1->items(), QStringList({"r1.mp3", "r2.MP3"}));
    QCOMPARE(f.WindowsMediaPlayer3->url(), QString());
    QTRY_VERIFY_WITH_TIMEOUT(!isOpenHere(playing), 20000);
    QVERIFY(app.prompter.boxes.isEmpty());
}

QTEST_MAIN(TestLibraryBrowser)
#include "tst_LibraryBrowser.moc"
