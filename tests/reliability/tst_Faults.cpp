// Every operation that changes files, with a fault injected into its file operations: the
// source gone, the destination read-only or in use, a folder missing, a full disk, a state file
// that cannot be written. Cases the operations' own suites already cover are left out.
#include "FaultyFileOps.h"
#include "Sandbox.h"
#include "TestApp.h"

#include "form/FolderLayout.h"
#include "game/MusicFolderSettings.h"
#include "library/LibraryMaintenance.h"
#include "playlists/PlaylistContents.h"
#include "playlists/PlaylistManagement.h"
#include "playlists/SetGamePlaylist.h"
#include "widgets/CaptionLabel.h"
#include "widgets/DirList.h"
#include "widgets/FileList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>

using Call = FaultyFileOps::Call;
using Fault = FaultyFileOps::Fault;

namespace {

const QString aDate = QStringLiteral("7/16/2009 3:25:07 PM");

enum class Operation {
    AddSongToLibrary,
    RemoveLibrarySong,
    CreatePlaylist,
    DeletePlaylist,
    AddSongsToPlaylist,
    AddAllToPlaylist,
    RemovePlaylistSong,
    ClearPlaylist,
    SetGamePlaylist,
    ChangeMusicFolder,
    UseDefaultMusicFolder,
    FirstRun,         // start-up of a new user writes the default music folder
    StateFileMissing, // start-up makes data.txt
    LibraryMissing,   // start-up makes Library/
};

void select(ListBox* list, const QString& text) {
    list->selectRow(int(list->items().indexOf(text)));
}

// A program folder with three library songs, the playlists Mix (the three songs) and Empty,
// Mix set as the game's music, in a sandbox whose games/Custom Music is the music folder.
struct Scene {
    explicit Scene(Operation operation) {
        app = sandbox.makeApp(&files);
        ProgramFolder& folder = app->folder;
        const QStringList songs{QStringLiteral("a.mp3"), QStringLiteral("b.mp3"),
                                QStringLiteral("c.mp3")};
        const QStringList samples{QStringLiteral("tone-a.mp3"), QStringLiteral("tone-b.mp3"),
                                  QStringLiteral("tone-c.mp3")};
        for (int i = 0; i < 3; ++i) {
            folder.addLibrarySong(songs[i], samples[i]);
            ProgramFolder::putSong(folder.playlist(QStringLiteral("Mix")), songs[i], samples[i]);
        }
        // The browser's s1.mp3 replaces this older copy.
        folder.addLibrarySong(QStringLiteral("s1.mp3"), QStringLiteral("tone-b.mp3"));
        folder.addPlaylist(QStringLiteral("Empty"));
        const bool firstRun = operation == Operation::FirstRun;
        folder.writeState(QStringLiteral("Mix"), firstRun ? QStringLiteral("Never") : aDate,
                          sandbox.musicFolder());
        if (operation == Operation::StateFileMissing)
            QFile::remove(folder.stateFile());
        if (operation == Operation::LibraryMissing)
            QDir(folder.library()).removeRecursively();
        app->prompter.defaultAnswer = false; // no tutorial
    }

    void start() {
        app->start();
        app->prompter.defaultAnswer = true;
    }

    Form& form() { return app->form(); }
    QString program() const { return app->folder.path(); }

    Sandbox sandbox;
    FaultyFileOps files;
    std::unique_ptr<TestApp> app;
};

void run(Scene& scene, Operation operation) {
    Form& f = scene.form();
    switch (operation) {
    case Operation::AddSongToLibrary:
        f.Dir3->setPath(scene.sandbox.path(QStringLiteral("songs")));
        select(f.File5, QStringLiteral("s1.mp3"));
        AddSongToLibrary(f);
        break;
    case Operation::RemoveLibrarySong:
        select(f.File4, QStringLiteral("b.mp3"));
        RemoveLibrarySong(f);
        break;
    case Operation::CreatePlaylist:
        f.newplaylistname->setText(QStringLiteral("Fresh"));
        CreatePlaylist(f);
        break;
    case Operation::DeletePlaylist:
        select(f.playlists, QStringLiteral("Mix"));
        playlists_Click(f);
        DeletePlaylist(f);
        break;
    case Operation::AddSongsToPlaylist:
        select(f.playlists, QStringLiteral("Empty"));
        playlists_Click(f);
        for (int row = 0; row < 3; ++row)
            f.librarysongs->setSelected(row, true);
        AddSongsToPlaylist(f);
        break;
    case Operation::AddAllToPlaylist:
        select(f.playlists, QStringLiteral("Empty"));
        playlists_Click(f);
        AddAllToPlaylist(f);
        break;
    case Operation::RemovePlaylistSong:
        select(f.playlists, QStringLiteral("Mix"));
        playlists_Click(f);
        select(f.playlistsons, QStringLiteral("b.mp3"));
        RemovePlaylistSong(f);
        break;
    case Operation::ClearPlaylist:
        select(f.playlists, QStringLiteral("Mix"));
        playlists_Click(f);
        ClearPlaylist(f);
        break;
    case Operation::SetGamePlaylist:
        select(f.List1, QStringLiteral("Mix"));
        SetGamePlaylist(f);
        break;
    case Operation::ChangeMusicFolder:
        f.settings_Dir->setPath(scene.sandbox.path(QStringLiteral("games/Alt Music")));
        ChangeMusicFolder(f);
        break;
    case Operation::UseDefaultMusicFolder:
        UseDefaultMusicFolder(f);
        break;
    default: // start-up did it
        break;
    }
}

QString same(const char* list, const QStringList& shown, const QStringList& held) {
    if (sortedNames(shown) == held)
        return {};
    return QStringLiteral("%1 shows [%2], the folder holds [%3]")
        .arg(QLatin1String(list), shown.join(QStringLiteral(", ")),
             held.join(QStringLiteral(", ")));
}

// The lists the operation rebuilds; all of them when nothing else touched the folders.
QStringList listsOutOfStep(Scene& scene, Operation operation, bool external) {
    const Form& f = scene.form();
    const QString library = FolderLayout::libraryFolder(scene.program());
    const QString playlists = FolderLayout::playlistsFolder(scene.program());
    const auto rebuilds = [&](std::initializer_list<Operation> operations) {
        return !external ||
               std::find(operations.begin(), operations.end(), operation) != operations.end() ||
               operation >= Operation::FirstRun;
    };
    QStringList errors;
    if (rebuilds({Operation::AddSongToLibrary, Operation::RemoveLibrarySong})) {
        errors << same("File4", f.File4->items(), filesOf(library, QStringLiteral("*.mp3*")))
               << same("librarysongs", f.librarysongs->items(), filesOf(library));
    }
    // (A playlist that could not be made rebuilds nothing.)
    if (rebuilds({Operation::DeletePlaylist}))
        errors << same("playlists", f.playlists->items(), subfoldersOf(playlists));
    // Setting a playlist lists its songs before copying them.
    if (rebuilds({Operation::DeletePlaylist, Operation::AddSongsToPlaylist,
                  Operation::AddAllToPlaylist, Operation::RemovePlaylistSong,
                  Operation::ClearPlaylist}))
        errors << same("playlistsons", f.playlistsons->items(),
                       f.playlistsons->folder().isEmpty() ? QStringList()
                                                          : filesOf(f.playlistsons->folder()));
    if (operation == Operation::SetGamePlaylist || operation >= Operation::FirstRun)
        errors << same("List1", f.List1->items(), subfoldersOf(playlists));
    errors.removeAll(QString());
    return errors;
}

} // namespace

class FaultsTest : public QObject {
    Q_OBJECT

private slots:
    void faultEndsInAMessageAndLosesNothing_data();
    void faultEndsInAMessageAndLosesNothing();
    void cleanupTestCase();

private:
    int m_faults = 0;
};

void FaultsTest::faultEndsInAMessageAndLosesNothing_data() {
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<Call>("call");
    QTest::addColumn<int>("nth");
    QTest::addColumn<Fault>("fault");
    // False where the fault leaves what was asked for: a file to delete that is already gone.
    QTest::addColumn<bool>("told");

    const auto row = [](const char* operation, Operation op, Call call, int nth, Fault fault,
                        bool told = true) {
        const QString name = QStringLiteral("%1, %2 %3: %4")
                                 .arg(QLatin1String(operation), FaultyFileOps::nameOf(call))
                                 .arg(nth)
                                 .arg(FaultyFileOps::nameOf(fault));
        QTest::newRow(qPrintable(name)) << op << call << nth << fault << told;
    };
    using O = Operation;
    row("AddSongToLibrary", O::AddSongToLibrary, Call::Copy, 1, Fault::ReadOnly);
    row("AddSongToLibrary", O::AddSongToLibrary, Call::Copy, 1, Fault::InUse);
    row("AddSongToLibrary", O::AddSongToLibrary, Call::Copy, 1, Fault::FolderMissing);
    row("RemoveLibrarySong", O::RemoveLibrarySong, Call::Remove, 1, Fault::ReadOnly);
    row("RemoveLibrarySong", O::RemoveLibrarySong, Call::Remove, 1, Fault::InUse);
    row("RemoveLibrarySong", O::RemoveLibrarySong, Call::Remove, 1, Fault::SourceGone, false);
    row("CreatePlaylist", O::CreatePlaylist, Call::MakeDir, 1, Fault::ReadOnly);
    row("CreatePlaylist", O::CreatePlaylist, Call::MakeDir, 1, Fault::DiskFull);
    row("CreatePlaylist", O::CreatePlaylist, Call::MakeDir, 1, Fault::FolderMissing);
    row("DeletePlaylist", O::DeletePlaylist, Call::RemoveTree, 1, Fault::InUse);
    row("DeletePlaylist", O::DeletePlaylist, Call::RemoveTree, 1, Fault::ReadOnly);
    row("AddSongsToPlaylist", O::AddSongsToPlaylist, Call::Copy, 2, Fault::SourceGone);
    row("AddSongsToPlaylist", O::AddSongsToPlaylist, Call::Copy, 2, Fault::ReadOnly);
    row("AddSongsToPlaylist", O::AddSongsToPlaylist, Call::Copy, 2, Fault::InUse);
    row("AddSongsToPlaylist", O::AddSongsToPlaylist, Call::Copy, 2, Fault::DiskFull);
    row("AddSongsToPlaylist", O::AddSongsToPlaylist, Call::Copy, 1, Fault::FolderMissing);
    row("AddAllToPlaylist", O::AddAllToPlaylist, Call::Copy, 3, Fault::DiskFull);
    row("AddAllToPlaylist", O::AddAllToPlaylist, Call::Copy, 1, Fault::SourceGone);
    row("RemovePlaylistSong", O::RemovePlaylistSong, Call::Remove, 1, Fault::ReadOnly);
    row("RemovePlaylistSong", O::RemovePlaylistSong, Call::Remove, 1, Fault::InUse);
    row("RemovePlaylistSong", O::RemovePlaylistSong, Call::Remove, 1, Fault::SourceGone, false);
    row("ClearPlaylist", O::ClearPlaylist, Call::Remove, 2, Fault::ReadOnly);
    row("ClearPlaylist", O::ClearPlaylist, Call::Remove, 1, Fault::InUse);
    row("ClearPlaylist", O::ClearPlaylist, Call::Remove, 2, Fault::SourceGone, false);
    row("SetGamePlaylist", O::SetGamePlaylist, Call::Write, 1, Fault::Unwritable);
    row("SetGamePlaylist", O::SetGamePlaylist, Call::MakeDir, 1, Fault::DiskFull);
    row("SetGamePlaylist", O::SetGamePlaylist, Call::MakeDir, 1, Fault::ReadOnly);
    row("SetGamePlaylist", O::SetGamePlaylist, Call::Copy, 2, Fault::DiskFull);
    row("SetGamePlaylist", O::SetGamePlaylist, Call::Copy, 1, Fault::SourceGone);
    row("SetGamePlaylist", O::SetGamePlaylist, Call::Copy, 2, Fault::InUse);
    row("SetGamePlaylist", O::SetGamePlaylist, Call::Copy, 3, Fault::FolderMissing);
    row("SetGamePlaylist", O::SetGamePlaylist, Call::RemoveTree, 1, Fault::InUse);
    row("ChangeMusicFolder", O::ChangeMusicFolder, Call::Write, 1, Fault::Unwritable);
    row("ChangeMusicFolder", O::ChangeMusicFolder, Call::Write, 1, Fault::ReadOnly);
    row("UseDefaultMusicFolder", O::UseDefaultMusicFolder, Call::Write, 1, Fault::Unwritable);
    row("UseDefaultMusicFolder", O::UseDefaultMusicFolder, Call::Write, 1, Fault::InUse);
    row("first run", O::FirstRun, Call::Write, 1, Fault::Unwritable);
    row("first run", O::FirstRun, Call::Write, 1, Fault::DiskFull);
    row("state file missing", O::StateFileMissing, Call::Write, 1, Fault::Unwritable);
    row("library missing", O::LibraryMissing, Call::MakeDir, 1, Fault::ReadOnly);
}

void FaultsTest::faultEndsInAMessageAndLosesNothing() {
    QFETCH(Operation, operation);
    QFETCH(Call, call);
    QFETCH(int, nth);
    QFETCH(Fault, fault);
    QFETCH(bool, told);
    Scene scene(operation);
    scene.files.inject(call, nth, fault);
    const Sandbox::Snapshot before = scene.sandbox.snapshot();
    const QStringList folders{scene.program(), scene.sandbox.musicFolder()};
    const Sandbox::Snapshot outsideBefore = scene.sandbox.snapshot(folders);
    scene.start();
    run(scene, operation);
    const Form& f = scene.form();

    // The fault happened where it was meant to.
    const QStringList hits = scene.files.hits();
    QVERIFY2(hits.size() == 1, qPrintable(scene.files.calls().join(QLatin1Char('\n'))));
    ++m_faults;
    const QString hit = hits.first();

    // A message box names what failed and why; a file already gone is what was asked for.
    const QString reason = FaultyFileOps::reasonOf(fault);
    const QString what = QFileInfo(QDir::cleanPath(hit)).fileName();
    bool named = false;
    QStringList shown;
    for (const ScriptedPrompter::Box& box : scene.app->prompter.boxes) {
        shown << box.title + QStringLiteral(": ") + box.text;
        if (!box.question && box.icon != Prompter::Icon::Information && box.text.contains(reason) &&
            box.text.contains(what))
            named = true;
    }
    const QString boxes = shown.join(QStringLiteral("\n"));
    if (told)
        QVERIFY2(
            named,
            qPrintable(QStringLiteral("No box names %1 and '%2':\n%3").arg(what, reason, boxes)));
    else
        QVERIFY2(!named, qPrintable(boxes));

    // No partial file under a final name, no temporary file left behind.
    const Sandbox::Snapshot after = scene.sandbox.snapshot();
    QCOMPARE(Sandbox::leftoverTempFiles(after), QStringList());
    QCOMPARE(scene.sandbox.incompleteFiles(after, {scene.app->folder.stateFile()}), QStringList());
    // A call that failed left its target as it was.
    const bool real = fault == Fault::SourceGone || fault == Fault::FolderMissing;
    const QString target = QDir::cleanPath(hit).mid(scene.sandbox.root().size() + 1);
    // (A folder to make did not exist before, whatever the operation did first.)
    if (!real && call != Call::MakeDir)
        QVERIFY2(before.value(target) == after.value(target), qPrintable(target));
    // Nothing outside the program folder and the music folder changed.
    QCOMPARE(Sandbox::differences(outsideBefore, scene.sandbox.snapshot(folders)), QStringList());

    // The state file keeps its three lines, and the program shows and uses what it holds.
    const QByteArray state = scene.app->folder.stateBytes();
    const bool neverMade = operation == Operation::StateFileMissing;
    if (!neverMade) {
        QCOMPARE(state.count("\r\n"), 3);
        const QStringList lines = scene.app->folder.stateLines();
        const QStringList values{f.CurrentPlaylist, f.LastUpdated, f.MusicFolder};
        QCOMPARE(lines, values);
    }
    QVERIFY(!neverMade || !QFileInfo::exists(scene.app->folder.stateFile()));
    QCOMPARE(f.lblsetting_path->caption(), f.MusicFolder);
    QCOMPARE(listsOutOfStep(scene, operation, real), QStringList());
}

void FaultsTest::cleanupTestCase() {
    qInfo("%d faults injected", m_faults);
}

QTEST_MAIN(FaultsTest)
#include "tst_Faults.moc"
