// Creating, deleting and showing playlists over a real program folder.
#include "FaultyFileOps.h"
#include "TestApp.h"

#include "playlists/PlaylistManagement.h"
#include "widgets/DirList.h"
#include "widgets/FileList.h"
#include "widgets/ListBox.h"
#include "widgets/PreviewPlayer.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString aDate = QStringLiteral("7/16/2009 3:25:07 PM");

// A started window over a program folder holding the playlists Alpha (two songs) and Beta.
struct Fixture {
    explicit Fixture(FileOps* files = nullptr)
        : app(files) {
        app.folder.writeState(QString(), aDate, QStringLiteral("/home/anna/Music"));
        app.folder.addLibrarySong(QStringLiteral("lib.mp3"));
        app.folder.addPlaylist(QStringLiteral("Alpha"),
                               {QStringLiteral("a1.mp3"), QStringLiteral("a2.mp3")});
        app.folder.addPlaylist(QStringLiteral("Beta"), {QStringLiteral("b1.mp3")});
    }
    Form& start() {
        app.start();
        app.prompter.clear();
        return app.form();
    }
    QStringList playlistFolders() const {
        return QDir(app.folder.playlists()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    }

    TestApp app;
};

} // namespace

class PlaylistManagementTest : public QObject {
    Q_OBJECT

private slots:
    void createMakesTheFolderAndSelectsTheFirstPlaylist();
    void refusedNamesChangeNothing_data();
    void refusedNamesChangeNothing();
    void anEmptyNameIsMissingText();
    void aNameOfSpacesIsAllowed();
    void deleteAnsweredNoChangesNothing();
    void deleteRemovesTheFolderWithItsSongs();
    void deletingAFolderAlreadyGoneStillReportsDeleted();
    void deletingTheLastPlaylistLeavesAnEmptyPage();
    void deleteWithoutASelectedPlaylistDeletesNothing_data();
    void deleteWithoutASelectedPlaylistDeletesNothing();
    void aFailedDeletionIsReportedNotCelebrated();
    void aLinkedPlaylistNeverTakesItsTargetAlong();
    void clickingAPlaylistRemovedOutsideShowsNothing();
};

void PlaylistManagementTest::createMakesTheFolderAndSelectsTheFirstPlaylist() {
    Fixture fx;
    Form& f = fx.start();
    f.newplaylistname->setText(QStringLiteral("Zulu"));
    QString textWhileOpen;
    fx.app.prompter.whileOpen = [&](const ScriptedPrompter::Box&) {
        textWhileOpen = f.newplaylistname->text();
    };
    CreatePlaylist(f);

    QVERIFY(QFileInfo(fx.app.folder.playlist(QStringLiteral("Zulu"))).isDir());
    QCOMPARE(fx.app.prompter.boxes.size(), 1);
    const ScriptedPrompter::Box box = fx.app.prompter.boxes.first();
    QCOMPARE(box.text, QStringLiteral("The New Playlist 'Zulu' has been created"));
    QCOMPARE(box.title, QStringLiteral("Created"));
    QCOMPARE(box.icon, Prompter::Icon::Information);
    QCOMPARE(textWhileOpen, QStringLiteral("Zulu")); // cleared only after the message
    QCOMPARE(f.newplaylistname->text(), QString());
    QCOMPARE(f.playlists->items(), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Beta"),
                                                QStringLiteral("Zulu")}));
    QCOMPARE(f.playlists->selectedRow(), 0);
    QCOMPARE(f.playlistsons->items(),
             (QStringList{QStringLiteral("a1.mp3"), QStringLiteral("a2.mp3")}));
}

void PlaylistManagementTest::refusedNamesChangeNothing_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("existing") << QStringLiteral("Beta");
    QTest::newRow("slash") << QStringLiteral("Rock/Pop");
    QTest::newRow("leading up") << QStringLiteral("../Escaped");
    QTest::newRow("absolute") << QStringLiteral("/tmp/Escaped");
    QTest::newRow("backslash") << QStringLiteral("Rock\\Pop");
    QTest::newRow("dot") << QStringLiteral(".");
    QTest::newRow("dot dot") << QStringLiteral("..");
    QTest::newRow("nul") << QStringLiteral("Ro") + QChar(0) + QStringLiteral("ck");
    QTest::newRow("line break") << QStringLiteral("Rock\nPop");
    QTest::newRow("too long") << QString(300, QLatin1Char('x'));
}

void PlaylistManagementTest::refusedNamesChangeNothing() {
    QFETCH(QString, name);
    Fixture fx;
    Form& f = fx.start();
    f.playlists->selectRow(1);
    playlists_Click(f);
    const QStringList programEntries = QDir(fx.app.folder.path()).entryList(QDir::AllEntries);
    const QStringList before = fx.playlistFolders();
    f.newplaylistname->setText(name);
    CreatePlaylist(f);

    QCOMPARE(fx.app.prompter.boxes.size(), 1);
    const ScriptedPrompter::Box box = fx.app.prompter.boxes.first();
    QCOMPARE(box.text, QStringLiteral("Sorry, That Playlist name already exists!"));
    QCOMPARE(box.title, QStringLiteral("Playlist Exists"));
    QCOMPARE(box.icon, Prompter::Icon::Exclamation);
    QCOMPARE(fx.playlistFolders(), before);
    QCOMPARE(QDir(fx.app.folder.path()).entryList(QDir::AllEntries), programEntries);
    QVERIFY(!QFileInfo::exists(QStringLiteral("/tmp/Escaped")));
    QCOMPARE(f.newplaylistname->text(), name);
    QCOMPARE(f.playlists->items(), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Beta")}));
    QCOMPARE(f.playlists->selectedRow(), 1);
}

void PlaylistManagementTest::anEmptyNameIsMissingText() {
    Fixture fx;
    Form& f = fx.start();
    const QStringList before = fx.playlistFolders();
    CreatePlaylist(f);

    QCOMPARE(fx.app.prompter.boxes.size(), 1);
    const ScriptedPrompter::Box box = fx.app.prompter.boxes.first();
    QCOMPARE(box.text, QStringLiteral("You need to put in a name for the playlist"));
    QCOMPARE(box.title, QStringLiteral("Missing Text"));
    QCOMPARE(box.icon, Prompter::Icon::Critical);
    QCOMPARE(fx.playlistFolders(), before);
}

void PlaylistManagementTest::aNameOfSpacesIsAllowed() {
    Fixture fx;
    Form& f = fx.start();
    f.newplaylistname->setText(QStringLiteral("   "));
    CreatePlaylist(f);

    QCOMPARE(fx.app.prompter.titles(), QStringList{QStringLiteral("Created")});
    QVERIFY(QFileInfo(fx.app.folder.playlist(QStringLiteral("   "))).isDir());
    QVERIFY(f.playlists->items().contains(QStringLiteral("   ")));
}

void PlaylistManagementTest::deleteAnsweredNoChangesNothing() {
    Fixture fx;
    Form& f = fx.start();
    f.playlists->selectRow(1);
    playlists_Click(f);
    fx.app.prompter.queueAnswers({false});
    DeletePlaylist(f);

    QCOMPARE(fx.app.prompter.boxes.size(), 1);
    const ScriptedPrompter::Box box = fx.app.prompter.boxes.first();
    QVERIFY(box.question);
    QCOMPARE(box.text, QStringLiteral("Are you want to delete ' Beta'?"));
    QCOMPARE(box.title, QStringLiteral("Delete?"));
    QCOMPARE(fx.playlistFolders(), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Beta")}));
    QCOMPARE(f.playlists->selectedRow(), 1);
    QCOMPARE(f.playlistsons->items(), QStringList{QStringLiteral("b1.mp3")});
}

void PlaylistManagementTest::deleteRemovesTheFolderWithItsSongs() {
    Fixture fx;
    Form& f = fx.start();
    // A file that is not there: the player holds a path without starting a decoder.
    f.WindowsMediaPlayer1->setUrl(fx.app.folder.playlist(QStringLiteral("Alpha")) + "/gone.mp3");
    DeletePlaylist(f); // Alpha, selected at start-up

    QVERIFY(!QFileInfo::exists(fx.app.folder.playlist(QStringLiteral("Alpha"))));
    QCOMPARE(fx.app.folder.filesIn(fx.app.folder.library()),
             QStringList{QStringLiteral("lib.mp3")});
    QCOMPARE(fx.app.prompter.boxes.size(), 2);
    const ScriptedPrompter::Box report = fx.app.prompter.boxes.last();
    QCOMPARE(report.text, QStringLiteral("Playlist has been deleted!"));
    QCOMPARE(report.title, QStringLiteral("Playlist Deleted"));
    QCOMPARE(report.icon, Prompter::Icon::Critical);
    QCOMPARE(f.playlists->items(), QStringList{QStringLiteral("Beta")});
    QCOMPARE(f.playlists->selectedRow(), 0);
    QCOMPARE(f.playlistsons->items(), QStringList{QStringLiteral("b1.mp3")});
    QCOMPARE(f.WindowsMediaPlayer1->url(), QString());
}

void PlaylistManagementTest::deletingAFolderAlreadyGoneStillReportsDeleted() {
    Fixture fx;
    Form& f = fx.start();
    QVERIFY(QDir(fx.app.folder.playlist(QStringLiteral("Alpha"))).removeRecursively());
    DeletePlaylist(f);

    QCOMPARE(fx.app.prompter.titles(),
             (QStringList{QStringLiteral("Delete?"), QStringLiteral("Playlist Deleted")}));
    QCOMPARE(f.playlists->items(), QStringList{QStringLiteral("Beta")});
    QVERIFY(QFileInfo(fx.app.folder.playlists()).isDir());
}

void PlaylistManagementTest::deletingTheLastPlaylistLeavesAnEmptyPage() {
    Fixture fx;
    Form& f = fx.start();
    DeletePlaylist(f);
    DeletePlaylist(f);

    QCOMPARE(fx.app.prompter.titles(),
             (QStringList{QStringLiteral("Delete?"), QStringLiteral("Playlist Deleted"),
                          QStringLiteral("Delete?"), QStringLiteral("Playlist Deleted")}));
    QCOMPARE(f.playlists->count(), 0);
    QCOMPARE(f.playlistsons->count(), 0);
    QVERIFY(QFileInfo(fx.app.folder.playlists()).isDir());
    // A file lying in the playlists folder is no playlist's song.
    ProgramFolder::putSong(fx.app.folder.playlists(), QStringLiteral("stray.mp3"));
    f.playlistsons->refresh();
    QCOMPARE(f.playlistsons->count(), 0);
}

void PlaylistManagementTest::deleteWithoutASelectedPlaylistDeletesNothing_data() {
    QTest::addColumn<bool>("anyPlaylist");
    QTest::newRow("none exists") << false;
    QTest::newRow("none chosen") << true;
}

void PlaylistManagementTest::deleteWithoutASelectedPlaylistDeletesNothing() {
    QFETCH(bool, anyPlaylist);
    TestApp app;
    app.folder.writeState(QString(), aDate, QStringLiteral("/home/anna/Music"));
    if (anyPlaylist)
        app.folder.addPlaylist(QStringLiteral("Alpha"), {QStringLiteral("a1.mp3")});
    ProgramFolder::putSong(app.folder.playlists(), QStringLiteral("stray.mp3"));
    app.start();
    app.prompter.clear();
    Form& f = app.form();
    f.playlists->clearSelection();
    DeletePlaylist(f);

    QCOMPARE(app.prompter.boxes.size(), 1);
    QCOMPARE(app.prompter.boxes.first().title, QStringLiteral("No Playlist Selected"));
    QVERIFY(!app.prompter.boxes.first().question);
    QVERIFY(QFileInfo::exists(app.folder.playlists() + QStringLiteral("/stray.mp3")));
    QCOMPARE(QFileInfo::exists(app.folder.playlist(QStringLiteral("Alpha")) + "/a1.mp3"),
             anyPlaylist);
}

void PlaylistManagementTest::aFailedDeletionIsReportedNotCelebrated() {
    FaultyFileOps files;
    Fixture fx(&files);
    files.allowedRoots = {fx.app.folder.path()};
    files.fault = [](const QString& operation, const QString&) {
        return operation == QLatin1String("removeTree") ? QStringLiteral("Permission denied")
                                                        : QString();
    };
    Form& f = fx.start();
    DeletePlaylist(f);

    QCOMPARE(fx.app.prompter.titles(),
             (QStringList{QStringLiteral("Delete?"), QStringLiteral("Playlist Not Deleted")}));
    const ScriptedPrompter::Box report = fx.app.prompter.boxes.last();
    QVERIFY(report.text.contains(QStringLiteral("'Alpha'")));
    QVERIFY(report.text.contains(QStringLiteral("Permission denied")));
    QCOMPARE(report.icon, Prompter::Icon::Exclamation);
    QCOMPARE(f.playlists->items(), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Beta")}));
    QCOMPARE(f.playlistsons->items(),
             (QStringList{QStringLiteral("a1.mp3"), QStringLiteral("a2.mp3")}));
}

void PlaylistManagementTest::aLinkedPlaylistNeverTakesItsTargetAlong() {
    QTemporaryDir elsewhere;
    ProgramFolder::putSong(elsewhere.path(), QStringLiteral("precious.mp3"));
    TestApp app;
    app.folder.writeState(QString(), aDate, QStringLiteral("/home/anna/Music"));
    QVERIFY(QFile::link(elsewhere.path(), app.folder.playlist(QStringLiteral("Linked"))));
    app.start();
    app.prompter.clear();
    Form& f = app.form();
    QCOMPARE(f.playlists->selectedText(), QStringLiteral("Linked"));
    DeletePlaylist(f);

    QVERIFY(QFileInfo::exists(elsewhere.path() + QStringLiteral("/precious.mp3")));
    QCOMPARE(app.prompter.boxes.last().title, QStringLiteral("Playlist Not Deleted"));
}

void PlaylistManagementTest::clickingAPlaylistRemovedOutsideShowsNothing() {
    Fixture fx;
    Form& f = fx.start();
    QVERIFY(QDir(fx.app.folder.playlist(QStringLiteral("Beta"))).removeRecursively());
    f.playlists->selectRow(1);
    playlists_Click(f);

    QCOMPARE(f.playlistsons->count(), 0);
    QVERIFY(fx.app.prompter.boxes.isEmpty());
}

QTEST_MAIN(PlaylistManagementTest)
#include "tst_PlaylistManagement.moc"
