// The bad-input corpora under tests/data, replayed through the operations that take them:
// playlist names through CreatePlaylist, music folder paths through the deletion guard and
// SetGamePlaylist, damaged state files through every writer of data.txt.
#include "CorpusFile.h"
#include "Sandbox.h"
#include "TestApp.h"
#include "WatchedFileOps.h"

#include "form/FolderLayout.h"
#include "fs/DeletionGuard.h"
#include "game/MusicFolderSettings.h"
#include "playlists/PlaylistFolders.h"
#include "playlists/PlaylistManagement.h"
#include "playlists/SetGamePlaylist.h"
#include "ui/Navigation.h"
#include "widgets/DirList.h"
#include "widgets/FileList.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>

namespace {

const QString aDate = QStringLiteral("7/16/2009 3:25:07 PM");

// Everything in a folder, hidden entries too: what CreatePlaylist may have made there.
QStringList everythingIn(const QString& folder) {
    return sortedNames(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                              QDir::NoDotAndDotDot));
}

void select(ListBox* list, const QString& text) {
    list->selectRow(int(list->items().indexOf(text)));
}

// Points $HOME, which the program takes for the home folder, somewhere else for a while.
class HomeFolder {
public:
    explicit HomeFolder(const QString& home)
        : m_saved(qgetenv("HOME")) {
        qputenv("HOME", QFile::encodeName(home));
    }
    ~HomeFolder() { qputenv("HOME", m_saved); }
    HomeFolder(const HomeFolder&) = delete;
    HomeFolder& operator=(const HomeFolder&) = delete;

private:
    QByteArray m_saved;
};

// data.txt holds exactly three lines, each ending in CR LF, and the program holds them.
void verifyThreeLines(TestApp& app, const QStringList& expected) {
    const QByteArray bytes = app.folder.stateBytes();
    QCOMPARE(bytes.count("\r\n"), 3);
    QCOMPARE(bytes.count('\r'), 3);
    QCOMPARE(bytes.count('\n'), 3);
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(app.folder.stateLines(), expected);
    const Form& f = app.form();
    QCOMPARE(app.folder.stateLines(),
             (QStringList{f.CurrentPlaylist, f.LastUpdated, f.MusicFolder}));
}

} // namespace

class CorporaTest : public QObject {
    Q_OBJECT

private slots:
    void playlistNamesNeverLeaveThePlaylistsFolder();
    void musicFoldersAreEmptiedOnlyWhenAllowed();
    void damagedStateFilesSurviveEveryWriter_data();
    void damagedStateFilesSurviveEveryWriter();
    void cleanupTestCase();

private:
    int m_inputs = 0;
};

void CorporaTest::playlistNamesNeverLeaveThePlaylistsFolder() {
    Sandbox sandbox;
    WatchedFileOps files(sandbox.root());
    auto app = sandbox.makeApp(&files);
    app->folder.writeState(QString(), aDate, sandbox.musicFolder());
    app->start();
    app->prompter.defaultAnswer = true;
    Form& f = app->form();
    const QString playlists = QDir::cleanPath(app->folder.playlists());
    files.allow({playlists, app->folder.stateFile(), sandbox.musicFolder()});

    QStringList made;
    for (const CorpusEntry& entry :
         readCorpus(QStringLiteral(TOVIA_TEST_DATA "/playlist-names.txt"))) {
        const QString name = entry.text;
        const QString where = QStringLiteral("line %1, %2").arg(entry.line).arg(visibleText(name));
        const QStringList before = everythingIn(playlists);
        const Sandbox::Snapshot outside = sandbox.snapshot({playlists});
        app->prompter.clear();
        f.newplaylistname->setText(name);
        CreatePlaylist(f);
        ++m_inputs;

        QVERIFY2(app->prompter.boxes.size() == 1, qPrintable(where));
        const ScriptedPrompter::Box box = app->prompter.boxes.first();
        QCOMPARE(Sandbox::differences(outside, sandbox.snapshot({playlists})), QStringList());
        if (box.title == QLatin1String("Created")) {
            QVERIFY2(entry.expectation != QLatin1Char('-'), qPrintable(where));
            QCOMPARE(box.text, QStringLiteral("The New Playlist '%1' has been created").arg(name));
            // Exactly one folder appeared, directly inside the playlists folder, under the name.
            QStringList expected = before;
            expected << name;
            QCOMPARE(everythingIn(playlists), sortedNames(expected));
            QVERIFY2(QFileInfo(playlists + QLatin1Char('/') + name).isDir(), qPrintable(where));
            QVERIFY2(f.playlists->items().contains(name), qPrintable(where));
            QCOMPARE(f.newplaylistname->text(), QString());
            made << name;
        } else {
            QVERIFY2(entry.expectation != QLatin1Char('+'), qPrintable(where + box.text));
            QCOMPARE(box.title, QStringLiteral("Playlist Exists"));
            QCOMPARE(box.text, QStringLiteral("Sorry, That Playlist name already exists!"));
            QCOMPARE(box.icon, Prompter::Icon::Exclamation);
            QCOMPARE(everythingIn(playlists), before);
            QCOMPARE(f.newplaylistname->text(), name);
        }
        QVERIFY2(files.violations().isEmpty(), qPrintable(files.violations().join(", ")));
    }
    QVERIFY(made.size() > 20);

    // Every playlist made goes through data.txt as the game's playlist and comes back whole.
    for (const QString& name : std::as_const(made)) {
        const QString where = visibleText(name);
        ProgramFolder::putSong(app->folder.playlist(name), QStringLiteral("song.mp3"));
        ShowWelcomePage(f);
        select(f.List1, name);
        QCOMPARE(f.List1->selectedText(), name);
        app->prompter.clear();
        SetGamePlaylist(f);
        QVERIFY2(app->prompter.titles() == (QStringList{QStringLiteral("Change Playlist"),
                                                        QStringLiteral("Playlist Set")}),
                 qPrintable(where + app->prompter.titles().join(", ")));
        QCOMPARE(app->folder.stateLines().value(0), name);
        QCOMPARE(filesOf(sandbox.musicFolder()), QStringList{QStringLiteral("song.mp3")});
        ShowWelcomePage(f);
        QCOMPARE(f.CurrentPlaylist, name);
        QCOMPARE(f.List1->selectedText(), name);
    }
}

void CorporaTest::musicFoldersAreEmptiedOnlyWhenAllowed() {
    Sandbox sandbox;
    WatchedFileOps files(sandbox.root());
    auto app = sandbox.makeApp(&files);
    app->folder.addPlaylist(QStringLiteral("Rock"),
                            {QStringLiteral("a.mp3"), QStringLiteral("b.mp3")});
    app->folder.writeState(QStringLiteral("Rock"), aDate, sandbox.musicFolder());
    app->start();
    app->prompter.defaultAnswer = true;
    Form& f = app->form();
    const QString program = app->folder.path();
    QVERIFY(QFile::link(sandbox.path(QStringLiteral("home")),
                        sandbox.path(QStringLiteral("link to home"))));
    QVERIFY(QFile::link(QStringLiteral("/"), sandbox.path(QStringLiteral("link to root"))));
    QVERIFY(QFile::link(program, sandbox.path(QStringLiteral("link to program"))));
    QVERIFY(QFile::link(app->folder.library(), sandbox.path(QStringLiteral("link to library"))));
    const HomeFolder home(sandbox.path(QStringLiteral("home")));
    files.allow({sandbox.root()});
    const QString playlists = FolderLayout::playlistsFolder(program);
    const DeletionGuard guard{
        QDir::homePath(), program, {FolderLayout::libraryFolder(program), playlists}, playlists};

    for (const CorpusEntry& entry :
         readCorpus(QStringLiteral(TOVIA_TEST_DATA "/music-folders.txt"))) {
        QString path = entry.text;
        path.replace(QStringLiteral("{sandbox}"), sandbox.root())
            .replace(QStringLiteral("{home}"), QDir::homePath())
            .replace(QStringLiteral("{program}"), program);
        const QString where = QStringLiteral("line %1, %2").arg(entry.line).arg(visibleText(path));
        const bool emptied = entry.expectation == QLatin1Char('+');
        const bool playlist = entry.expectation == QLatin1Char('=');
        ++m_inputs;

        QVERIFY2(guard.refusal(path, playlist).isEmpty() == (emptied || playlist),
                 qPrintable(where + QStringLiteral(": ") + guard.refusal(path, playlist)));
        const QString refusal = PlaylistFolders::musicFolderRefusal(f, path);
        QVERIFY2(refusal.isEmpty() == emptied, qPrintable(where + QStringLiteral(": ") + refusal));

        // The path as the state file names it, then the playlist set over it.
        app->folder.writeState(QStringLiteral("Rock"), aDate, path);
        ShowWelcomePage(f);
        QCOMPARE(f.MusicFolder, path);
        select(f.List1, QStringLiteral("Rock"));
        const QString folder = QDir::cleanPath(path);
        const QStringList changeable{folder, app->folder.stateFile()};
        const Sandbox::Snapshot before = sandbox.snapshot(emptied ? changeable : QStringList());
        const QByteArray state = app->folder.stateBytes();
        app->prompter.clear();
        SetGamePlaylist(f);

        if (emptied) {
            QVERIFY2(app->prompter.titles() == (QStringList{QStringLiteral("Change Playlist"),
                                                            QStringLiteral("Playlist Set")}),
                     qPrintable(where + app->prompter.titles().join(", ")));
            QCOMPARE(filesOf(folder),
                     (QStringList{QStringLiteral("a.mp3"), QStringLiteral("b.mp3")}));
        } else {
            QVERIFY2(app->prompter.titles() == (QStringList{QStringLiteral("Change Playlist"),
                                                            QStringLiteral("Playlist Not Set")}),
                     qPrintable(where + app->prompter.titles().join(", ")));
            QCOMPARE(app->folder.stateBytes(), state);
        }
        const QStringList changed =
            Sandbox::differences(before, sandbox.snapshot(emptied ? changeable : QStringList()));
        QVERIFY2(changed.isEmpty(), qPrintable(where + changed.join(", ")));
        QVERIFY2(files.violations().isEmpty(), qPrintable(files.violations().join(", ")));
    }
}

void CorporaTest::damagedStateFilesSurviveEveryWriter_data() {
    QTest::addColumn<QByteArray>("content");
    const QDir corpus(QStringLiteral(TOVIA_TEST_DATA "/statefiles"));
    for (const QString& name : corpus.entryList(QDir::Files, QDir::Name)) {
        QFile file(corpus.filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QTest::newRow(qPrintable(name)) << file.readAll();
    }
    QTest::newRow("a 1 MiB line") << QByteArray(1 << 20, 'x') + "\r\n" + aDate.toUtf8() +
                                         "\r\n/m\r\n";
}

// Each writer rewrites a damaged data.txt as three whole lines, keeping the values as they were
// read, and changes nothing else.
void CorporaTest::damagedStateFilesSurviveEveryWriter() {
    QFETCH(QByteArray, content);
    Sandbox sandbox;
    WatchedFileOps files(sandbox.root());
    auto app = sandbox.makeApp(&files);
    app->folder.addPlaylist(QStringLiteral("Rock"), {QStringLiteral("a.mp3")});
    app->folder.writeStateBytes(content);
    const QString alt = sandbox.path(QStringLiteral("games/Alt Music"));
    files.allow({app->folder.path(), alt});
    app->prompter.defaultAnswer = false;
    app->start();
    app->prompter.defaultAnswer = true;
    ++m_inputs;
    Form& f = app->form();
    const QStringList kept{app->folder.path(), alt};
    const Sandbox::Snapshot outside = sandbox.snapshot(kept);
    const QString playlist = f.CurrentPlaylist;
    const QString updated = f.LastUpdated;

    f.settings_Dir->setPath(alt);
    QVERIFY(ChangeMusicFolder(f));
    verifyThreeLines(*app, {playlist, updated, alt});

    select(f.List1, QStringLiteral("Rock"));
    SetGamePlaylist(f);
    const QString stamp = f.LastUpdated;
    QVERIFY(stamp != QLatin1String("Never") && !stamp.isEmpty());
    verifyThreeLines(*app, {QStringLiteral("Rock"), stamp, alt});
    QCOMPARE(filesOf(alt), QStringList{QStringLiteral("a.mp3")});

    QVERIFY(UseDefaultMusicFolder(f));
    verifyThreeLines(*app,
                     {QStringLiteral("Rock"), stamp, FolderLayout::defaultMusicFolder(f.UserName)});
    QCOMPARE(Sandbox::differences(outside, sandbox.snapshot(kept)), QStringList());
    QCOMPARE(files.violations(), QStringList());
}

void CorporaTest::cleanupTestCase() {
    qInfo("%d bad inputs replayed", m_inputs);
}

QTEST_MAIN(CorporaTest)
#include "tst_Corpora.moc"
