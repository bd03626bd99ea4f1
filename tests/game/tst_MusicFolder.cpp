// The settings page over a real program folder: the two questions, what reaches data.txt and
// the label, the folders that can never be the music folder, and a settings file that cannot
// be written.
#include "TestApp.h"

#include "app/Startup.h"
#include "game/MusicFolderSettings.h"
#include "widgets/CaptionLabel.h"
#include "widgets/DirList.h"
#include "widgets/DriveList.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

namespace {

const QString annasMusic =
    QStringLiteral("/home/anna/Documents/Quillon Interactive/The Tovia 3/Custom Music");
const QString aDate = QStringLiteral("7/16/2009 3:25:07 PM");
const QString oldMusic = QStringLiteral("/media/games/Custom Music");

// Lines 1 and 2 exactly as stored, with their line ends.
QByteArray firstTwoLines(const QByteArray& state) {
    qsizetype end = state.indexOf('\n');
    end = end < 0 ? -1 : state.indexOf('\n', end + 1);
    return end < 0 ? state : state.left(end + 1);
}

// A real file system that stops writing on request, as a full disk does.
class FullDiskFileOps : public RealFileOps {
public:
    bool full = false;
    FileResult writeAtomic(const QString& path, const QByteArray& content) override {
        if (full)
            return FileResult::failure(QStringLiteral("No space left on device"));
        return RealFileOps::writeAtomic(path, content);
    }
};

} // namespace

class MusicFolderTest : public QObject {
    Q_OBJECT

private slots:
    void init();

    void noChangesNothing_data();
    void noChangesNothing();
    void yesStoresTheFolder_data();
    void yesStoresTheFolder();
    void aLaterStartKeepsOrRestoresIt_data();
    void aLaterStartKeepsOrRestoresIt();
    void foldersThatMustSurviveAreRefused_data();
    void foldersThatMustSurviveAreRefused();
    void anUnwritableSettingsFileChangesNothing_data();
    void anUnwritableSettingsFileChangesNothing();
    void aDriveThatIsNotReadyKeepsTheList();

private:
    QTemporaryDir m_outside; // folders a user might pick, outside the program folder
};

void MusicFolderTest::init() {
    QVERIFY(m_outside.isValid());
}

void MusicFolderTest::noChangesNothing_data() {
    QTest::addColumn<int>("label");
    QTest::newRow("Change Path") << 41;
    QTest::newRow("Use Default Path") << 42;
}

void MusicFolderTest::noChangesNothing() {
    QFETCH(int, label);
    TestApp app;
    app.folder.writeState(QStringLiteral("Rock"), aDate, oldMusic);
    app.start();
    Form& f = app.form();
    QVERIFY(f.settings_Dir->setPath(m_outside.path()));
    app.window->show();
    QTest::mouseClick(f.sidelables[37], Qt::LeftButton); // the settings page
    const QByteArray before = app.folder.stateBytes();

    app.prompter.queueAnswers({false});
    QTest::mouseClick(f.sidelables[label], Qt::LeftButton);

    QCOMPARE(app.prompter.boxes.size(), 1);
    const ScriptedPrompter::Box& box = app.prompter.boxes.first();
    QVERIFY(box.question);
    QCOMPARE(box.title, QStringLiteral("Change Folder"));
    const QString expected =
        label == 41 ? QStringLiteral("Would you like to change your Tovia 3 Music folder to:'") +
                          m_outside.path() + QStringLiteral("' ?")
                    : QStringLiteral("Would you like to change your Tovia 3 Music folder to: '") +
                          annasMusic + QStringLiteral("' ?");
    QCOMPARE(box.text, expected);
    QCOMPARE(f.MusicFolder, oldMusic);
    QCOMPARE(f.lblsetting_path->text(), oldMusic);
    QCOMPARE(app.folder.stateBytes(), before);
}

void MusicFolderTest::yesStoresTheFolder_data() {
    QTest::addColumn<bool>("useDefault");
    QTest::newRow("Change Path") << false;
    QTest::newRow("Use Default Path") << true;
}

void MusicFolderTest::yesStoresTheFolder() {
    QFETCH(bool, useDefault);
    // A comma and a leading quote: values the state file must still carry whole.
    const QString chosen = m_outside.path() + QStringLiteral("/\"Custom\", Music");
    QVERIFY(QDir().mkpath(chosen));
    ProgramFolder::putSong(chosen, QStringLiteral("kept.mp3"));

    TestApp app;
    app.folder.writeState(QStringLiteral("Rock, Pop"), aDate, oldMusic);
    app.start();
    Form& f = app.form();
    QVERIFY(f.settings_Dir->setPath(chosen));
    const QByteArray before = app.folder.stateBytes();
    const bool defaultExisted = QFileInfo::exists(annasMusic);

    app.prompter.queueAnswers({true});
    QVERIFY(useDefault ? UseDefaultMusicFolder(f) : ChangeMusicFolder(f));

    const QString expected = useDefault ? annasMusic : chosen;
    QCOMPARE(app.prompter.boxes.size(), 1); // the label is the only feedback
    QCOMPARE(firstTwoLines(app.folder.stateBytes()), firstTwoLines(before));
    QCOMPARE(app.folder.stateLines().value(2), expected);
    QCOMPARE(app.folder.stateLines().size(), 3);
    QCOMPARE(f.MusicFolder, expected);
    QCOMPARE(f.lblsetting_path->text(), expected);
    QCOMPARE(f.CurrentPlaylist, QStringLiteral("Rock, Pop"));
    QCOMPARE(f.LastUpdated, aDate);
    // No folder is made, emptied or filled: the songs arrive when a playlist is next set.
    QCOMPARE(ProgramFolder::filesIn(chosen), QStringList{QStringLiteral("kept.mp3")});
    QCOMPARE(QFileInfo::exists(annasMusic), defaultExisted);
}

void MusicFolderTest::aLaterStartKeepsOrRestoresIt_data() {
    QTest::addColumn<QString>("updated");
    QTest::addColumn<bool>("restored");
    QTest::newRow("never set a playlist") << QStringLiteral("Never") << true;
    QTest::newRow("set a playlist before") << aDate << false;
}

void MusicFolderTest::aLaterStartKeepsOrRestoresIt() {
    QFETCH(QString, updated);
    QFETCH(bool, restored);
    TestApp app;
    app.folder.writeState(QStringLiteral("Rock"), updated, oldMusic);
    app.prompter.defaultAnswer = false; // no tutorial
    app.start();
    Form& f = app.form();
    QVERIFY(f.settings_Dir->setPath(m_outside.path()));
    app.prompter.queueAnswers({true});
    QVERIFY(ChangeMusicFolder(f));
    QCOMPARE(app.folder.stateLines().value(2), m_outside.path());

    // The next start of the program over the same folder.
    MainWindow again(app.folder.path(), app.platform, app.prompter, app.realFiles);
    Form_Load(again.form());

    const QString expected = restored ? annasMusic : m_outside.path();
    QCOMPARE(app.folder.stateLines(), (QStringList{QStringLiteral("Rock"), updated, expected}));
    QCOMPARE(again.form().MusicFolder, expected);
    QCOMPARE(again.form().lblsetting_path->text(), expected);
}

void MusicFolderTest::foldersThatMustSurviveAreRefused_data() {
    QTest::addColumn<QString>("folder"); // relative to the program folder unless absolute
    QTest::newRow("file system root") << QStringLiteral("/");
    QTest::newRow("home folder") << QDir::homePath();
    if (QDir::homePath() != QLatin1String("/")) {
        QDir above(QDir::homePath());
        above.cdUp();
        QTest::newRow("above the home folder") << above.path();
    }
    QTest::newRow("program folder") << QString();
    QTest::newRow("library") << QStringLiteral("Library");
    QTest::newRow("playlists") << QStringLiteral("Playlists");
    QTest::newRow("a playlist") << QStringLiteral("Playlists/Rock");
    QTest::newRow("a mounted drive") << QStringLiteral("@drive");
}

void MusicFolderTest::foldersThatMustSurviveAreRefused() {
    QFETCH(QString, folder);
    TestApp app;
    app.folder.addPlaylist(QStringLiteral("Rock"), {QStringLiteral("song.mp3")});
    app.folder.writeState(QStringLiteral("Rock"), aDate, oldMusic);
    const QString drive = m_outside.path() + QStringLiteral("/usb");
    QVERIFY(QDir().mkpath(drive));
    app.platform.volumes << drive;
    app.start();
    Form& f = app.form();
    if (folder == QLatin1String("@drive"))
        folder = drive;
    else if (!folder.startsWith(QLatin1Char('/')))
        folder = QDir::cleanPath(app.folder.path() + QLatin1Char('/') + folder);
    QVERIFY(f.settings_Dir->setPath(folder));
    const QByteArray before = app.folder.stateBytes();

    app.prompter.queueAnswers({true});
    QVERIFY(!ChangeMusicFolder(f));

    QCOMPARE(app.prompter.boxes.size(), 2);
    const ScriptedPrompter::Box& report = app.prompter.boxes.last();
    QVERIFY(!report.question);
    QCOMPARE(report.icon, Prompter::Icon::Exclamation);
    QVERIFY2(report.text.contains(QLatin1Char('\'') + f.settings_Dir->path() + QLatin1Char('\'')),
             qPrintable(report.text));
    QVERIFY2(report.text.contains(QStringLiteral("empties")), qPrintable(report.text));
    QCOMPARE(app.folder.stateBytes(), before);
    QCOMPARE(f.MusicFolder, oldMusic);
    QCOMPARE(f.lblsetting_path->text(), oldMusic);
    QCOMPARE(ProgramFolder::filesIn(app.folder.playlist(QStringLiteral("Rock"))),
             QStringList{QStringLiteral("song.mp3")});
}

void MusicFolderTest::anUnwritableSettingsFileChangesNothing_data() {
    QTest::addColumn<bool>("useDefault");
    QTest::newRow("Change Path") << false;
    QTest::newRow("Use Default Path") << true;
}

void MusicFolderTest::anUnwritableSettingsFileChangesNothing() {
    QFETCH(bool, useDefault);
    FullDiskFileOps files;
    TestApp app(&files);
    app.folder.writeState(QStringLiteral("Rock"), aDate, oldMusic);
    app.start();
    Form& f = app.form();
    QVERIFY(f.settings_Dir->setPath(m_outside.path()));
    const QByteArray before = app.folder.stateBytes();

    files.full = true;
    app.prompter.queueAnswers({true});
    QVERIFY(!(useDefault ? UseDefaultMusicFolder(f) : ChangeMusicFolder(f)));

    QCOMPARE(app.prompter.boxes.size(), 2);
    const ScriptedPrompter::Box& report = app.prompter.boxes.last();
    QVERIFY(!report.question);
    QCOMPARE(report.icon, Prompter::Icon::Exclamation);
    QVERIFY2(report.text.contains(QStringLiteral("No space left on device")),
             qPrintable(report.text));
    QVERIFY2(report.text.contains(app.folder.stateFile()), qPrintable(report.text));
    QCOMPARE(app.folder.stateBytes(), before);
    QCOMPARE(f.MusicFolder, oldMusic);
    QCOMPARE(f.lblsetting_path->text(), oldMusic);

    // Once the disk has room again the same choice goes through.
    files.full = false;
    app.prompter.queueAnswers({true});
    QVERIFY(useDefault ? UseDefaultMusicFolder(f) : ChangeMusicFolder(f));
    QCOMPARE(app.folder.stateLines().value(2), f.MusicFolder);
    QVERIFY(f.MusicFolder != oldMusic);
}

void MusicFolderTest::aDriveThatIsNotReadyKeepsTheList() {
    const QString ready = m_outside.path() + QStringLiteral("/ready");
    const QString notReady = m_outside.path() + QStringLiteral("/empty-card-reader");
    QVERIFY(QDir().mkpath(ready + QStringLiteral("/Custom Music")));
    TestApp app;
    app.folder.writeState(QStringLiteral("Rock"), aDate, oldMusic);
    app.platform.volumes = {QStringLiteral("/"), ready, notReady};
    app.start();
    Form& f = app.form();
    DriveList& drives = *f.settings_Drive;
    const QString opened = m_outside.path();
    QVERIFY(f.settings_Dir->setPath(opened));

    // The user picks the drive that is not ready, twice: each time it is reported and the
    // drive list goes back to the drive that the folder list still shows.
    for (int attempt = 1; attempt <= 2; ++attempt) {
        drives.setCurrentIndex(2);
        emit drives.activated(2);
        QCOMPARE(app.prompter.boxes.size(), attempt);
        const ScriptedPrompter::Box& report = app.prompter.boxes.last();
        QVERIFY(!report.question);
        QCOMPARE(report.icon, Prompter::Icon::Exclamation);
        QVERIFY2(report.text.contains(notReady), qPrintable(report.text));
        QCOMPARE(f.settings_Dir->path(), opened);
        QCOMPARE(drives.drive(), QStringLiteral("/"));
    }

    drives.setCurrentIndex(1);
    emit drives.activated(1);
    QCOMPARE(app.prompter.boxes.size(), 2);
    QCOMPARE(f.settings_Dir->path(), ready);
    QCOMPARE(f.settings_Dir->entry(0), ready + QStringLiteral("/Custom Music"));

    // Now the folder list is on the ready drive; a failed choice returns there.
    drives.setCurrentIndex(2);
    emit drives.activated(2);
    QCOMPARE(f.settings_Dir->path(), ready);
    QCOMPARE(drives.drive(), ready);
    QCOMPARE(f.MusicFolder, oldMusic);
}

QTEST_MAIN(MusicFolderTest)
#include "tst_MusicFolder.moc"
