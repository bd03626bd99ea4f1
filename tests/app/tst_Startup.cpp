// Start-up over real program folders: the first-run branch, the lists it fills, and what it
// does with missing or damaged files.
#include "TestApp.h"

#include "form/FolderLayout.h"
#include "form/StateFile.h"
#include "widgets/CaptionLabel.h"
#include "widgets/FileList.h"
#include "widgets/PageFrame.h"
#include "widgets/PictureBox.h"

#include <QDir>
#include <QGroupBox>
#include <QTest>
#include <QTimer>

namespace {

const QString annasMusic =
    QStringLiteral("/home/anna/Documents/Quillon Interactive/The Tovia 3/Custom Music");
const QString aDate = QStringLiteral("7/16/2009 3:25:07 PM");

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void firstRunWritesTheDefaultFolderAndOffersTheTutorial_data();
    void firstRunWritesTheDefaultFolderAndOffersTheTutorial();
    void laterRunsLeaveTheFileAlone_data();
    void laterRunsLeaveTheFileAlone();
    void listsAreFilledFromTheFolders();
    void aCurrentPlaylistThatIsGoneSelectsNothing();
    void noPlaylistsAtAll();
    void missingFilesAndFoldersAreMade();
    void anUnreadableStateFileIsReportedAndKept();
    void damagedStateFilesStillStart_data();
    void damagedStateFilesStillStart();
    void aMissingUserNameNeverMakesAnEmptyPathPart();
};

void StartupTest::firstRunWritesTheDefaultFolderAndOffersTheTutorial_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes") << true;
    QTest::newRow("No") << false;
}

void StartupTest::firstRunWritesTheDefaultFolderAndOffersTheTutorial() {
    QFETCH(bool, yes);
    TestApp app;
    app.folder.writeState(QStringLiteral("Rock"), QStringLiteral("Never"),
                          QStringLiteral("/chosen/earlier"));
    QStringList linesWhileAsking;
    app.prompter.whileOpen = [&](const ScriptedPrompter::Box&) {
        linesWhileAsking = app.folder.stateLines();
    };
    app.prompter.queueAnswers({yes});
    app.start();
    Form& f = app.form();

    QCOMPARE(app.prompter.boxes.size(), 1);
    const ScriptedPrompter::Box& box = app.prompter.boxes.first();
    QVERIFY(box.question);
    QCOMPARE(box.text, QStringLiteral("Would you like to run a quick first time user tutorial?"));
    QCOMPARE(box.title, QStringLiteral("New User"));
    // The file is rewritten before the question.
    QCOMPARE(linesWhileAsking,
             (QStringList{QStringLiteral("Rock"), QStringLiteral("Never"), annasMusic}));
    QCOMPARE(app.folder.stateLines(), linesWhileAsking);
    QCOMPARE(f.MusicFolder, annasMusic);
    QCOMPARE(f.lblsetting_path->text(), annasMusic);
    QCOMPARE(f.CurrentPage, qint16(1));
    QVERIFY(!f.welcome->isHidden());

    QCOMPARE(!f.HelpBox1->isHidden(), yes);
    QCOMPARE(f.Timer1->isActive(), yes);
    QCOMPARE(f.sidebutton4->isHidden(), yes);
    QCOMPARE(f.sidearrow1->isHidden(), yes);
    QVERIFY(f.helpbox2->isHidden() && f.helpbox3->isHidden() && f.helpbox4->isHidden());
}

void StartupTest::laterRunsLeaveTheFileAlone_data() {
    QTest::addColumn<QString>("updated");
    QTest::newRow("lower case never") << QStringLiteral("never");
    QTest::newRow("upper case never") << QStringLiteral("NEVER");
    QTest::newRow("a date") << aDate;
}

void StartupTest::laterRunsLeaveTheFileAlone() {
    QFETCH(QString, updated);
    TestApp app;
    app.folder.writeState(QStringLiteral("Rock"), updated, QStringLiteral("/games/music"));
    const QByteArray before = app.folder.stateBytes();
    app.start();
    Form& f = app.form();
    QVERIFY(app.prompter.boxes.isEmpty());
    QCOMPARE(app.folder.stateBytes(), before);
    QCOMPARE(f.lblsetting_path->text(), QStringLiteral("/games/music"));
    QCOMPARE(f.sidelables[20]->text(), QStringLiteral("Rock"));
    QCOMPARE(f.sidelables[22]->text(), updated);
    QVERIFY(!f.sidebutton4->isHidden());
    QVERIFY(!f.sidearrow1->isHidden());
    QVERIFY(!f.Timer1->isActive());
}

void StartupTest::listsAreFilledFromTheFolders() {
    TestApp app;
    app.folder.addPlaylist(QStringLiteral("Rock Mix"),
                           {QStringLiteral("b.mp3"), QStringLiteral("a.mp3")});
    app.folder.addPlaylist(QStringLiteral("My Playlists"), {QStringLiteral("z.mp3")});
    ProgramFolder::putSong(app.folder.playlist(QStringLiteral("Rock Mix")),
                           QStringLiteral("cover.jpg"));
    app.folder.addLibrarySong(QStringLiteral("one.mp3"));
    app.folder.addLibrarySong(QStringLiteral("notes.txt"));
    app.folder.writeState(QStringLiteral("Rock Mix"), aDate, QStringLiteral("/games/music"));
    app.start();
    Form& f = app.form();

    const QStringList names{QStringLiteral("My Playlists"), QStringLiteral("Rock Mix")};
    QCOMPARE(f.playlists->items(), names);
    QCOMPARE(f.List1->items(), names);
    QCOMPARE(f.playlists->selectedRow(), 0);
    QCOMPARE(f.playlistsons->items(), QStringList{QStringLiteral("z.mp3")});
    QCOMPARE(f.List1->selectedText(), QStringLiteral("Rock Mix"));
    // The welcome list shows songs only; the playlists page shows every file.
    QCOMPARE(f.File1->items(), (QStringList{QStringLiteral("a.mp3"), QStringLiteral("b.mp3")}));
    QCOMPARE(f.librarysongs->items(),
             (QStringList{QStringLiteral("notes.txt"), QStringLiteral("one.mp3")}));
    QCOMPARE(f.File4->items(), QStringList{QStringLiteral("one.mp3")});
    QCOMPARE(f.librarysongs->selectedCount(), 0);
}

void StartupTest::aCurrentPlaylistThatIsGoneSelectsNothing() {
    TestApp app;
    app.folder.addPlaylist(QStringLiteral("Rock"), {QStringLiteral("a.mp3")});
    app.folder.writeState(QStringLiteral("rock"), aDate, QStringLiteral("/games/music"));
    app.start();
    Form& f = app.form();
    QCOMPARE(f.List1->selectedRow(), -1);
    QCOMPARE(f.sidelables[20]->text(), QStringLiteral("rock"));
    QCOMPARE(QDir(f.File1->folder()), QDir(app.folder.playlists()));
    QVERIFY(f.File1->items().isEmpty());
}

void StartupTest::noPlaylistsAtAll() {
    TestApp app;
    app.folder.writeState(QString(), aDate, QStringLiteral("/games/music"));
    app.start();
    Form& f = app.form();
    QCOMPARE(f.playlists->count(), 0);
    QCOMPARE(f.playlists->selectedRow(), -1);
    QCOMPARE(f.playlistsons->count(), 0);
    QCOMPARE(f.List1->count(), 0);
}

void StartupTest::missingFilesAndFoldersAreMade() {
    TestApp app;
    QVERIFY(QFile::remove(app.folder.stateFile()));
    QVERIFY(QDir(app.folder.library()).removeRecursively());
    QVERIFY(QDir(app.folder.playlists()).removeRecursively());
    app.prompter.queueAnswers({false});
    app.start();
    QVERIFY(QFileInfo(app.folder.library()).isDir());
    QVERIFY(QFileInfo(app.folder.playlists()).isDir());
    QCOMPARE(app.folder.stateBytes(),
             QStringLiteral("\r\nNever\r\n%1\r\n").arg(annasMusic).toUtf8());
    QCOMPARE(app.prompter.titles(), QStringList{QStringLiteral("New User")});
}

void StartupTest::anUnreadableStateFileIsReportedAndKept() {
    TestApp app;
    QVERIFY(QFile::remove(app.folder.stateFile()));
    QVERIFY(QDir().mkdir(app.folder.stateFile())); // a folder where the file should be
    app.prompter.queueAnswers({false});
    app.start();
    Form& f = app.form();
    QCOMPARE(app.prompter.titles(),
             (QStringList{QStringLiteral("Settings Unreadable"), QStringLiteral("New User")}));
    QVERIFY(app.prompter.boxes.first().text.contains(app.folder.stateFile()));
    QVERIFY(QFileInfo(app.folder.stateFile()).isDir());
    QCOMPARE(f.LastUpdated, QStringLiteral("Never"));
    QCOMPARE(f.lblsetting_path->text(), annasMusic);
}

void StartupTest::damagedStateFilesStillStart_data() {
    QTest::addColumn<QByteArray>("content");
    const QDir corpus(QStringLiteral(TOVIA_TEST_DATA "/statefiles"));
    const QStringList files = corpus.entryList(QDir::Files, QDir::Name);
    QVERIFY(files.size() >= 10);
    for (const QString& name : files) {
        QFile file(corpus.filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QTest::newRow(qPrintable(name)) << file.readAll();
    }
    QTest::newRow("a 1 MiB line") << QByteArray(1 << 20, 'x') + "\r\nNever\r\n/m\r\n";
}

void StartupTest::damagedStateFilesStillStart() {
    QFETCH(QByteArray, content);
    TestApp app;
    app.folder.writeStateBytes(content);
    app.prompter.defaultAnswer = false;
    app.start();
    Form& f = app.form();

    // What was read is shown, and a write keeps every value that was read.
    const StateValues read = StateFile::parse(content);
    QCOMPARE(f.CurrentPlaylist, read.currentPlaylist);
    QCOMPARE(f.LastUpdated, read.lastUpdated);
    QCOMPARE(f.sidelables[20]->text(), read.currentPlaylist);
    QVERIFY(StateFile::writeFrom(*f.files, f).ok);
    const StateRead again = StateFile::read(app.folder.stateFile());
    QCOMPARE(again.status, StateRead::Status::Ok);
    QCOMPARE(again.values.currentPlaylist, f.CurrentPlaylist);
    QCOMPARE(again.values.lastUpdated, f.LastUpdated);
    QCOMPARE(again.values.musicFolder, f.MusicFolder);
    QCOMPARE(app.folder.stateLines().size(), 3);
}

void StartupTest::aMissingUserNameNeverMakesAnEmptyPathPart() {
    const QByteArray savedUser = qgetenv("USER");
    qunsetenv("USER");
    TestApp app;
    app.platform.login.clear();
    app.prompter.defaultAnswer = false;
    app.start();
    qputenv("USER", savedUser);
    Form& f = app.form();
    QVERIFY(!f.UserName.isEmpty());
    QVERIFY(!f.MusicFolder.contains(QStringLiteral("//")));
    QVERIFY(f.MusicFolder.startsWith(QStringLiteral("/home/")));
}

QTEST_MAIN(StartupTest)
#include "tst_Startup.moc"
