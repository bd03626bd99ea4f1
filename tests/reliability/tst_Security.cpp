// The security pass: no shell anywhere, the mail link made only from the program's own
// address, no symbolic link followed out of what an operation deletes or replaces, and no
// stored text that leads an operation out of its folder.
#include "Sandbox.h"
#include "TestApp.h"
#include "WatchedFileOps.h"

#include "form/Contact.h"
#include "library/LibraryMaintenance.h"
#include "platform/SystemPlatform.h"
#include "playlists/PlaylistContents.h"
#include "playlists/PlaylistManagement.h"
#include "playlists/SetGamePlaylist.h"
#include "widgets/CaptionLabel.h"
#include "widgets/DirList.h"
#include "widgets/FileList.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <QUrl>

namespace {

const QString aDate = QStringLiteral("7/16/2009 3:25:07 PM");

void select(ListBox* list, const QString& text) {
    list->selectRow(int(list->items().indexOf(text)));
}

// Each source file of the program with its text.
QList<std::pair<QString, QString>> sources() {
    QList<std::pair<QString, QString>> result;
    const QDir root(QStringLiteral(TOVIA_SOURCE_DIR "/src"));
    QDirIterator it(root.path(), {"*.cpp", "*.h"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly))
            result.append(
                {root.relativeFilePath(file.fileName()), QString::fromUtf8(file.readAll())});
    }
    return result;
}

// Where the link points, and what it points at, is exactly as before.
void verifyLinkTargetUntouched(const Sandbox& sandbox, const Sandbox::Snapshot& before) {
    QCOMPARE(Sandbox::differences(before, sandbox.snapshot({sandbox.path(QStringLiteral("apps")),
                                                            sandbox.musicFolder()})),
             QStringList());
}

} // namespace

class SecurityTest : public QObject {
    Q_OBJECT

private slots:
    void noShellInTheSources();
    void programsStartWithoutAShell();
    void theMailLinkIsTheProgramsOwn();
    void linksAreReplacedOrRemovedNeverFollowed_data();
    void linksAreReplacedOrRemovedNeverFollowed();
    void aLinkedMusicFolderIsNotEmptied();
    void storedNamesLeadNowhere();
};

void SecurityTest::noShellInTheSources() {
    // Anything that hands a command line to a shell, or runs another program but through the
    // platform room's argument list.
    const QRegularExpression shell(
        QStringLiteral(R"((?<![\w:.>])system\s*\(|std::system|\bpopen\s*\(|/bin/(ba)?sh|)"
                       R"(\bexec[lv]p?e?\s*\(|posix_spawn|QProcess::execute|startCommand|)"
                       R"(ShellExecute|"sh"|"-c")"));
    for (const char* bad :
         {"std::system(line);", "system (command)", "popen(cmd, \"r\")", "\"/bin/sh\"",
          "execvp(argv[0], argv)", "QProcess::execute(x)", "args << \"-c\""})
        QVERIFY2(shell.match(QLatin1String(bad)).hasMatch(), bad);
    QVERIFY(!shell.match(QStringLiteral("QLocale::system().name(); loop.exec();")).hasMatch());
    const auto all = sources();
    QVERIFY(all.size() > 40);
    for (const auto& [name, text] : all) {
        const QRegularExpressionMatch found = shell.match(text);
        QVERIFY2(!found.hasMatch(), qPrintable(name + QStringLiteral(": ") + found.captured()));
        if (!name.startsWith(QLatin1String("platform/")))
            QVERIFY2(!text.contains(QLatin1String("QProcess")), qPrintable(name));
    }
}

// Shell syntax in an argument stays text: the program gets it as it is.
void SecurityTest::programsStartWithoutAShell() {
    Sandbox sandbox;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(sandbox.root());
    SystemPlatform platform;
    QString error;
    const QStringList arguments{QStringLiteral("$(touch pwned1)"),
                                QStringLiteral("a; touch pwned2"), QStringLiteral("`touch pwned3`"),
                                QStringLiteral("b && touch pwned4")};
    const bool started = platform.startDetached(QStringLiteral("touch"), arguments, &error);
    QDir::setCurrent(previous);
    QVERIFY2(started, qPrintable(error));
    for (const QString& argument : arguments)
        QTRY_VERIFY2(QFile::exists(sandbox.path(argument)), qPrintable(argument));
    for (const char* name : {"pwned1", "pwned2", "pwned3", "pwned4"})
        QVERIFY(!QFile::exists(sandbox.path(QLatin1String(name))));
}

void SecurityTest::theMailLinkIsTheProgramsOwn() {
    Sandbox sandbox;
    auto app = sandbox.makeApp();
    app->folder.writeState(QString(), aDate, QString());
    app->start();
    const Form& f = app->form();
    QCOMPARE(f.sidelables[35]->caption(), QLatin1String(Contact::address));
    f.sidelables[35]->clicked();
    QCOMPARE(app->platform.openedUrls.size(), 1);
    const QUrl link = app->platform.openedUrls.first();
    QCOMPARE(link.scheme(), QStringLiteral("mailto"));
    QCOMPARE(link.path(), QLatin1String(Contact::address));
    QCOMPARE(link.query(QUrl::FullyDecoded),
             QStringLiteral("subject=Comments or Questions for The Tovi 3 Music Manager"));
    // Nothing the user can change reaches it: the address is a constant of the program.
    for (const auto& [name, text] : sources()) {
        const qsizetype calls = text.count(QLatin1String("EmailMessage(f"));
        if (calls > 0)
            QVERIFY2(text.count(QLatin1String(
                         "EmailMessage(f, QString::fromLatin1(Contact::address))")) == calls,
                     qPrintable(name));
    }
}

void SecurityTest::linksAreReplacedOrRemovedNeverFollowed_data() {
    QTest::addColumn<QString>("operation");
    QTest::newRow("clearing a playlist") << QStringLiteral("ClearPlaylist");
    QTest::newRow("removing a playlist song") << QStringLiteral("RemovePlaylistSong");
    QTest::newRow("removing a library song") << QStringLiteral("RemoveLibrarySong");
    QTest::newRow("adding songs over a linked copy") << QStringLiteral("AddSongsToPlaylist");
    QTest::newRow("adding a song over a linked library file") << QStringLiteral("AddSongToLibrary");
}

// A song that is a link to a file elsewhere: deleting it removes the link, replacing it
// replaces the link; the file it points at stays as it was.
void SecurityTest::linksAreReplacedOrRemovedNeverFollowed() {
    QFETCH(QString, operation);
    Sandbox sandbox;
    auto app = sandbox.makeApp();
    ProgramFolder& folder = app->folder;
    const QString outside = sandbox.path(QStringLiteral("a/a1.mp3"));
    const bool library = operation.contains(QLatin1String("Library"));
    const QString linkFolder = library ? folder.library() : folder.playlist(QStringLiteral("Mix"));
    if (!library)
        folder.addLibrarySong(QStringLiteral("s1.mp3"), QStringLiteral("tone-c.mp3"));
    folder.addPlaylist(QStringLiteral("Mix"));
    QVERIFY(QFile::link(outside, linkFolder + QStringLiteral("/s1.mp3")));
    folder.writeState(QStringLiteral("Mix"), aDate, sandbox.musicFolder());
    app->start();
    app->prompter.defaultAnswer = true;
    Form& f = app->form();
    const Sandbox::Snapshot before =
        sandbox.snapshot({sandbox.path(QStringLiteral("apps")), sandbox.musicFolder()});

    select(f.playlists, QStringLiteral("Mix"));
    playlists_Click(f);
    if (operation == QLatin1String("ClearPlaylist")) {
        ClearPlaylist(f);
    } else if (operation == QLatin1String("RemovePlaylistSong")) {
        select(f.playlistsons, QStringLiteral("s1.mp3"));
        RemovePlaylistSong(f);
    } else if (operation == QLatin1String("RemoveLibrarySong")) {
        select(f.File4, QStringLiteral("s1.mp3"));
        RemoveLibrarySong(f);
    } else if (operation == QLatin1String("AddSongsToPlaylist")) {
        f.librarysongs->selectAll();
        AddSongsToPlaylist(f);
    } else {
        f.Dir3->setPath(sandbox.path(QStringLiteral("songs")));
        select(f.File5, QStringLiteral("s1.mp3"));
        AddSongToLibrary(f);
    }

    const QFileInfo song(linkFolder + QStringLiteral("/s1.mp3"));
    const bool replaced = operation.startsWith(QLatin1String("Add"));
    QVERIFY(!song.isSymLink());
    QCOMPARE(song.exists(), replaced);
    if (replaced)
        QCOMPARE(Sandbox::hashOf(song.filePath()),
                 Sandbox::hashOf(library ? sandbox.path(QStringLiteral("songs/s1.mp3"))
                                         : folder.library() + QStringLiteral("/s1.mp3")));
    verifyLinkTargetUntouched(sandbox, before);
}

// A music folder that is a link to another folder is not emptied: the link would lead the
// deletion out of the folder named.
void SecurityTest::aLinkedMusicFolderIsNotEmptied() {
    Sandbox sandbox;
    auto app = sandbox.makeApp();
    const QString linked = sandbox.path(QStringLiteral("games/Linked Music"));
    QVERIFY(QFile::link(sandbox.path(QStringLiteral("a")), linked));
    app->folder.addPlaylist(QStringLiteral("Mix"), {QStringLiteral("m.mp3")});
    app->folder.writeState(QStringLiteral("Mix"), aDate, linked);
    app->start();
    app->prompter.defaultAnswer = true;
    Form& f = app->form();
    const QStringList before = filesOf(sandbox.path(QStringLiteral("a")));
    select(f.List1, QStringLiteral("Mix"));
    SetGamePlaylist(f);

    const QString report = app->prompter.boxes.last().text;
    QVERIFY2(report.contains(linked), qPrintable(report));
    QVERIFY(QFileInfo(linked).isSymLink());
    // What the folder held stays; the playlist's song is added beside it.
    for (const QString& name : before)
        QVERIFY(QFile::exists(sandbox.path(QStringLiteral("a/") + name)));
}

// A state file naming a path as the current playlist leads nothing out of the playlists folder:
// only playlists that are listed are ever used.
void SecurityTest::storedNamesLeadNowhere() {
    Sandbox sandbox;
    WatchedFileOps files(sandbox.root());
    auto app = sandbox.makeApp(&files);
    app->folder.addPlaylist(QStringLiteral("Mix"), {QStringLiteral("m.mp3")});
    app->folder.writeState(QStringLiteral("../../../b"), aDate, sandbox.musicFolder());
    files.allow({app->folder.path(), sandbox.musicFolder()});
    const Sandbox::Snapshot before = sandbox.snapshot({app->folder.path(), sandbox.musicFolder()});
    app->start();
    app->prompter.defaultAnswer = true;
    Form& f = app->form();
    QCOMPARE(f.List1->selectedRow(), -1);
    QCOMPARE(f.File1->items(), QStringList());
    SetGamePlaylist(f);
    QCOMPARE(filesOf(sandbox.musicFolder()), QStringList());
    QCOMPARE(
        Sandbox::differences(before, sandbox.snapshot({app->folder.path(), sandbox.musicFolder()})),
        QStringList());
    QCOMPARE(files.violations(), QStringList());
}

QTEST_MAIN(SecurityTest)
#include "tst_Security.moc"
