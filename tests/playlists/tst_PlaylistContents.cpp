// Adding songs to the selected playlist and removing them, over real files.
#include "FaultyFileOps.h"
#include "TestApp.h"

#include "playlists/PlaylistContents.h"
#include "playlists/PlaylistManagement.h"
#include "widgets/FileList.h"
#include "widgets/ListBox.h"
#include "widgets/PreviewPlayer.h"

#include <QFile>
#include <QTest>

namespace {

const QString aDate = QStringLiteral("7/16/2009 3:25:07 PM");

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A started window: library songs a, b, c; the playlist Party (holding p.mp3) selected.
struct Fixture {
    explicit Fixture(FileOps* files = nullptr,
                     const QStringList& library = {"a.mp3", "b.mp3", "c.mp3"})
        : app(files) {
        app.folder.writeState(QString(), aDate, QStringLiteral("/home/anna/Music"));
        for (const QString& song : library)
            app.folder.addLibrarySong(song);
        app.folder.addPlaylist(QStringLiteral("Party"), {QStringLiteral("p.mp3")});
    }
    Form& start() {
        app.start();
        app.prompter.clear();
        return app.form();
    }
    QString party() const { return app.folder.playlist(QStringLiteral("Party")); }
    QStringList partySongs() const { return ProgramFolder::filesIn(party()); }

    TestApp app;
};

QString failOn(const QString& operation, const QString& path, const QString& wantedOperation,
               const QString& name) {
    return operation == wantedOperation && path.endsWith(QLatin1Char('/') + name)
               ? QStringLiteral("Permission denied")
               : QString();
}

} // namespace

class PlaylistContentsTest : public QObject {
    Q_OBJECT

private slots:
    void addSelectedReportsFirstThenCopiesInOrder();
    void addingReplacesASameNamedCopy();
    void addWithNothingSelectedReportsZero();
    void addAllAnsweredNoKeepsTheSelection();
    void addAllCopiesEverySong();
    void addAllFromAnEmptyLibraryReportsZero();
    void removeSelectsTheFirstSongForTheNextRemoval();
    void removeWithoutASelectedSongDeletesNothing();
    void clearKeepsThePlaylist();
    void clearAnsweredNoChangesNothing();
    void withoutASelectedPlaylistNothingChanges_data();
    void withoutASelectedPlaylistNothingChanges();
    void failedCopiesAreNamedAfterTheSuccessMessage();
    void failedDeletionsAreNamedAfterTheSuccessMessage_data();
    void failedDeletionsAreNamedAfterTheSuccessMessage();
};

void PlaylistContentsTest::addSelectedReportsFirstThenCopiesInOrder() {
    FaultyFileOps files;
    Fixture fx(&files);
    files.allowedRoots = {fx.app.folder.path()};
    Form& f = fx.start();
    // A file that is not there: the player holds a path without starting a decoder.
    f.WindowsMediaPlayer1->setUrl(fx.app.folder.library() + QStringLiteral("/gone.mp3"));
    f.librarysongs->setSelected(2, true);
    f.librarysongs->setSelected(0, true);
    QStringList songsWhileOpen;
    fx.app.prompter.whileOpen = [&](const ScriptedPrompter::Box&) {
        songsWhileOpen = fx.partySongs();
    };
    AddSongsToPlaylist(f);

    QCOMPARE(fx.app.prompter.boxes.size(), 1);
    const ScriptedPrompter::Box box = fx.app.prompter.boxes.first();
    QCOMPARE(box.text, QStringLiteral("All '2' song(s) have been added to the 'Party' playlist"));
    QCOMPARE(box.title, QStringLiteral("Songs Added!"));
    QCOMPARE(box.icon, Prompter::Icon::Information);
    QCOMPARE(songsWhileOpen, QStringList{QStringLiteral("p.mp3")});
    QCOMPARE(files.callsOf(QStringLiteral("copy")),
             (QStringList{fx.party() + QStringLiteral("/a.mp3"),
                          fx.party() + QStringLiteral("/c.mp3")}));
    QCOMPARE(fx.partySongs(), (QStringList{"a.mp3", "c.mp3", "p.mp3"}));
    QCOMPARE(f.playlistsons->items(), fx.partySongs());
    QCOMPARE(f.librarysongs->selectedCount(), 0);
    QCOMPARE(f.WindowsMediaPlayer1->url(), QString());
}

void PlaylistContentsTest::addingReplacesASameNamedCopy() {
    Fixture fx;
    ProgramFolder::putSong(fx.party(), QStringLiteral("a.mp3"), QStringLiteral("tone-b.mp3"));
    Form& f = fx.start();
    f.librarysongs->setSelected(0, true);
    AddSongsToPlaylist(f);

    QCOMPARE(bytesOf(fx.party() + QStringLiteral("/a.mp3")),
             bytesOf(ProgramFolder::sample(QStringLiteral("tone-a.mp3"))));
    QCOMPARE(f.playlistsons->items(), (QStringList{"a.mp3", "p.mp3"}));
    QCOMPARE(fx.partySongs(), (QStringList{"a.mp3", "p.mp3"})); // no temporary file left
}

void PlaylistContentsTest::addWithNothingSelectedReportsZero() {
    Fixture fx;
    Form& f = fx.start();
    AddSongsToPlaylist(f);

    QCOMPARE(fx.app.prompter.boxes.size(), 1);
    QCOMPARE(fx.app.prompter.boxes.first().text,
             QStringLiteral("All '0' song(s) have been added to the 'Party' playlist"));
    QCOMPARE(fx.partySongs(), QStringList{QStringLiteral("p.mp3")});
}

void PlaylistContentsTest::addAllAnsweredNoKeepsTheSelection() {
    Fixture fx;
    Form& f = fx.start();
    f.librarysongs->setSelected(1, true);
    fx.app.prompter.queueAnswers({false});
    AddAllToPlaylist(f);

    QCOMPARE(fx.app.prompter.boxes.size(), 1);
    const ScriptedPrompter::Box box = fx.app.prompter.boxes.first();
    QVERIFY(box.question);
    QCOMPARE(box.text, QStringLiteral(
                           "Are you sure you want to add all '3' songs to your current playlist?"));
    QCOMPARE(box.title, QStringLiteral("Add All Songs?"));
    QCOMPARE(f.librarysongs->selectedCount(), 1);
    QVERIFY(f.librarysongs->isSelected(1));
    QCOMPARE(fx.partySongs(), QStringList{QStringLiteral("p.mp3")});
}

void PlaylistContentsTest::addAllCopiesEverySong() {
    Fixture fx;
    Form& f = fx.start();
    AddAllToPlaylist(f);

    QCOMPARE(fx.app.prompter.boxes.size(), 2);
    QCOMPARE(fx.app.prompter.boxes.last().text,
             QStringLiteral("All '3' song(s) have been added to the 'Party' playlist"));
    QCOMPARE(fx.partySongs(), (QStringList{"a.mp3", "b.mp3", "c.mp3", "p.mp3"}));
    QCOMPARE(f.librarysongs->selectedCount(), 0);
}

void PlaylistContentsTest::addAllFromAnEmptyLibraryReportsZero() {
    Fixture fx(nullptr, {});
    Form& f = fx.start();
    AddAllToPlaylist(f);

    QCOMPARE(fx.app.prompter.boxes.size(), 2);
    QCOMPARE(
        fx.app.prompter.boxes.first().text,
        QStringLiteral("Are you sure you want to add all '0' songs to your current playlist?"));
    QCOMPARE(fx.app.prompter.boxes.last().text,
             QStringLiteral("All '0' song(s) have been added to the 'Party' playlist"));
    QCOMPARE(fx.partySongs(), QStringList{QStringLiteral("p.mp3")});
}

void PlaylistContentsTest::removeSelectsTheFirstSongForTheNextRemoval() {
    Fixture fx;
    fx.app.folder.addPlaylist(QStringLiteral("Party"), {"q.mp3", "r.mp3"});
    Form& f = fx.start();
    f.playlistsons->selectRow(1); // q.mp3
    bool fileThereWhileReporting = false;
    fx.app.prompter.whileOpen = [&](const ScriptedPrompter::Box& box) {
        if (!box.question)
            fileThereWhileReporting = fx.partySongs().contains(QStringLiteral("q.mp3"));
    };
    RemovePlaylistSong(f);

    QCOMPARE(fx.app.prompter.boxes.size(), 2);
    QCOMPARE(fx.app.prompter.boxes[0].text, QStringLiteral("Are you want to delete ' q.mp3'?"));
    QCOMPARE(fx.app.prompter.boxes[0].title, QStringLiteral("Cofirm Delete"));
    QCOMPARE(fx.app.prompter.boxes[1].text, QStringLiteral("Song Removed"));
    QCOMPARE(fx.app.prompter.boxes[1].title, QStringLiteral("Removed Complete"));
    QVERIFY(fileThereWhileReporting);
    QCOMPARE(fx.partySongs(), (QStringList{"p.mp3", "r.mp3"}));
    QCOMPARE(f.playlistsons->selectedName(), QStringLiteral("p.mp3"));

    RemovePlaylistSong(f); // without choosing: the first song goes
    QCOMPARE(fx.partySongs(), QStringList{QStringLiteral("r.mp3")});
    QCOMPARE(f.playlistsons->selectedName(), QStringLiteral("r.mp3"));
    RemovePlaylistSong(f);
    QCOMPARE(fx.partySongs(), QStringList());
    QCOMPARE(f.playlistsons->selectedRow(), -1);
}

void PlaylistContentsTest::removeWithoutASelectedSongDeletesNothing() {
    Fixture fx;
    Form& f = fx.start();
    f.playlistsons->clearSelection();
    RemovePlaylistSong(f);

    QCOMPARE(fx.app.prompter.titles(), QStringList{QStringLiteral("No Song Selected")});
    QCOMPARE(fx.partySongs(), QStringList{QStringLiteral("p.mp3")});
}

void PlaylistContentsTest::clearKeepsThePlaylist() {
    Fixture fx;
    fx.app.folder.addPlaylist(QStringLiteral("Party"), {"q.mp3", "r.mp3"});
    Form& f = fx.start();
    QStringList songsWhileReporting;
    fx.app.prompter.whileOpen = [&](const ScriptedPrompter::Box& box) {
        if (!box.question)
            songsWhileReporting = fx.partySongs();
    };
    ClearPlaylist(f);

    QCOMPARE(fx.app.prompter.boxes.size(), 2);
    QCOMPARE(fx.app.prompter.boxes[0].text,
             QStringLiteral("Are you want to delete all songs from playlist?"));
    QCOMPARE(fx.app.prompter.boxes[0].title, QStringLiteral("Confirm Delete"));
    QCOMPARE(fx.app.prompter.boxes[1].text, QStringLiteral("All Songs Removed"));
    QCOMPARE(fx.app.prompter.boxes[1].title, QStringLiteral("Removed Complete"));
    QCOMPARE(songsWhileReporting, (QStringList{"p.mp3", "q.mp3", "r.mp3"}));
    QVERIFY(QFileInfo(fx.party()).isDir());
    QCOMPARE(fx.partySongs(), QStringList());
    QCOMPARE(f.playlistsons->count(), 0);
    QCOMPARE(f.playlists->items(), QStringList{QStringLiteral("Party")});

    fx.app.prompter.whileOpen = nullptr;
    f.librarysongs->setSelected(0, true);
    AddSongsToPlaylist(f);
    QCOMPARE(fx.partySongs(), QStringList{QStringLiteral("a.mp3")});
}

void PlaylistContentsTest::clearAnsweredNoChangesNothing() {
    Fixture fx;
    Form& f = fx.start();
    fx.app.prompter.queueAnswers({false});
    ClearPlaylist(f);

    QCOMPARE(fx.app.prompter.titles(), QStringList{QStringLiteral("Confirm Delete")});
    QCOMPARE(fx.partySongs(), QStringList{QStringLiteral("p.mp3")});
}

void PlaylistContentsTest::withoutASelectedPlaylistNothingChanges_data() {
    QTest::addColumn<int>("operation");
    QTest::addColumn<bool>("anyPlaylist");
    for (bool any : {false, true}) {
        const char* suffix = any ? " (none chosen)" : " (none exists)";
        QTest::addRow("add%s", suffix) << 0 << any;
        QTest::addRow("add all%s", suffix) << 1 << any;
        QTest::addRow("remove%s", suffix) << 2 << any;
        QTest::addRow("clear%s", suffix) << 3 << any;
    }
}

void PlaylistContentsTest::withoutASelectedPlaylistNothingChanges() {
    QFETCH(int, operation);
    QFETCH(bool, anyPlaylist);
    TestApp app;
    app.folder.writeState(QString(), aDate, QStringLiteral("/home/anna/Music"));
    app.folder.addLibrarySong(QStringLiteral("a.mp3"));
    if (anyPlaylist)
        app.folder.addPlaylist(QStringLiteral("Party"), {QStringLiteral("p.mp3")});
    // What a playlist-less page would otherwise have worked on.
    ProgramFolder::putSong(app.folder.playlists(), QStringLiteral("stray.mp3"));
    app.start();
    app.prompter.clear();
    Form& f = app.form();
    f.playlists->clearSelection();
    f.librarysongs->setSelected(0, true);
    f.playlistsons->selectRow(0);
    const QStringList before = ProgramFolder::filesIn(app.folder.playlists());
    const QStringList partyBefore = ProgramFolder::filesIn(app.folder.playlist("Party"));

    void (*const routines[])(Form&) = {AddSongsToPlaylist, AddAllToPlaylist, RemovePlaylistSong,
                                       ClearPlaylist};
    routines[operation](f);

    QCOMPARE(app.prompter.titles(), QStringList{QStringLiteral("No Playlist Selected")});
    QCOMPARE(ProgramFolder::filesIn(app.folder.playlists()), before);
    QCOMPARE(ProgramFolder::filesIn(app.folder.playlist("Party")), partyBefore);
    QVERIFY(QFileInfo::exists(app.folder.library() + QStringLiteral("/a.mp3")));
}

void PlaylistContentsTest::failedCopiesAreNamedAfterTheSuccessMessage() {
    FaultyFileOps files;
    Fixture fx(&files);
    files.allowedRoots = {fx.app.folder.path()};
    files.fault = [](const QString& operation, const QString& path) {
        return failOn(operation, path, QStringLiteral("copy"), QStringLiteral("b.mp3"));
    };
    Form& f = fx.start();
    AddAllToPlaylist(f);

    QCOMPARE(fx.app.prompter.titles(),
             (QStringList{QStringLiteral("Add All Songs?"), QStringLiteral("Songs Added!"),
                          QStringLiteral("Songs Not Added")}));
    const ScriptedPrompter::Box report = fx.app.prompter.boxes.last();
    QVERIFY(report.text.contains(QStringLiteral("'b.mp3'")));
    QVERIFY(report.text.contains(QStringLiteral("Permission denied")));
    QVERIFY(!report.text.contains(QStringLiteral("a.mp3")));
    QCOMPARE(report.icon, Prompter::Icon::Exclamation);
    QCOMPARE(fx.partySongs(), (QStringList{"a.mp3", "c.mp3", "p.mp3"}));
    QCOMPARE(f.playlistsons->items(), fx.partySongs());
}

void PlaylistContentsTest::failedDeletionsAreNamedAfterTheSuccessMessage_data() {
    QTest::addColumn<bool>("clear");
    QTest::newRow("remove") << false;
    QTest::newRow("clear") << true;
}

void PlaylistContentsTest::failedDeletionsAreNamedAfterTheSuccessMessage() {
    QFETCH(bool, clear);
    FaultyFileOps files;
    Fixture fx(&files);
    fx.app.folder.addPlaylist(QStringLiteral("Party"), {"q.mp3", "r.mp3"});
    files.allowedRoots = {fx.app.folder.path()};
    files.fault = [](const QString& operation, const QString& path) {
        return failOn(operation, path, QStringLiteral("remove"), QStringLiteral("q.mp3"));
    };
    Form& f = fx.start();
    f.playlistsons->selectRow(1); // q.mp3
    clear ? ClearPlaylist(f) : RemovePlaylistSong(f);

    const QStringList titles = fx.app.prompter.titles();
    QCOMPARE(titles.size(), 3);
    QCOMPARE(titles[1], QStringLiteral("Removed Complete"));
    QCOMPARE(titles[2], clear ? QStringLiteral("Songs Not Removed") : "Song Not Removed");
    const ScriptedPrompter::Box report = fx.app.prompter.boxes.last();
    QVERIFY(report.text.contains(QStringLiteral("q.mp3")));
    QVERIFY(report.text.contains(QStringLiteral("Permission denied")));
    QVERIFY(!report.text.contains(QStringLiteral("r.mp3")));
    const QStringList left = clear ? QStringList{"q.mp3"} : QStringList{"p.mp3", "q.mp3", "r.mp3"};
    QCOMPARE(fx.partySongs(), left);
    QCOMPARE(f.playlistsons->items(), left);
}

QTEST_MAIN(PlaylistContentsTest)
#include "tst_PlaylistContents.moc"
