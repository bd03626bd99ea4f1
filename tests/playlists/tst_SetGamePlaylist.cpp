// Setting the game's playlist over a temporary program folder and a temporary music folder.
#include "FaultyFileOps.h"
#include "TestApp.h"

#include "form/StateFile.h"
#include "playlists/PlaylistManagement.h"
#include "playlists/SetGamePlaylist.h"
#include "widgets/CaptionLabel.h"
#include "widgets/FileList.h"
#include "widgets/ListBox.h"
#include "widgets/PreviewPlayer.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString aDate = QStringLiteral("7/16/2009 3:25:07 PM");

QStringList numbered(const QString& stem, int count) {
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names << QStringLiteral("%1%2.mp3").arg(stem).arg(i, 2, 10, QLatin1Char('0'));
    return names;
}

// The music folder holds thirty other files; the playlists are Old (the current one) and
// Twelve, with twelve songs.
struct Fixture {
    Fixture() {
        files.allowedRoots = {app.folder.path(), musicRoot.path()};
        music = musicRoot.path() + QStringLiteral("/Custom Music");
        for (const QString& name : numbered(QStringLiteral("other"), 30))
            ProgramFolder::putSong(music, name);
        app.folder.writeState(QStringLiteral("Old"), aDate, music);
        app.folder.addPlaylist(QStringLiteral("Old"), {QStringLiteral("o.mp3")});
        app.folder.addPlaylist(QStringLiteral("Twelve"), numbered(QStringLiteral("s"), 12));
    }
    Form& start() {
        app.start();
        app.prompter.clear();
        return app.form();
    }
    void choose(const QString& name) {
        ListBox* list = app.form().List1;
        list->selectRow(int(list->items().indexOf(name)));
    }
    QStringList musicFiles() const { return ProgramFolder::filesIn(music); }

    QTemporaryDir musicRoot;
    QString music;
    FaultyFileOps files;
    TestApp app{&files};
};

// What the welcome page and the files look like, to show that nothing changed.
struct Snapshot {
    explicit Snapshot(Fixture& fx) {
        Form& f = fx.app.form();
        state = fx.app.folder.stateBytes();
        labels = {f.sidelables[20]->text(), f.sidelables[22]->text()};
        list = f.List1->items();
        selected = f.List1->selectedRow();
        songs = f.playlistsons->items();
        music = ProgramFolder::filesIn(fx.music);
        calls = fx.files.calls().size();
    }
    bool operator==(const Snapshot&) const = default;

    QByteArray state;
    QStringList labels;
    QStringList list;
    int selected = -1;
    QStringList songs;
    QStringList music;
    qsizetype calls = 0;
};

} // namespace

class SetGamePlaylistTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void answeringNoOnlyStopsThePreview();
    void twelveSongsReplaceThirtyOthers();
    void settingTwiceWritesANewStamp();
    void noEntrySelectedEmptiesTheFolder();
    void everyFileCountsButNoSubfolder();
    void aPlaylistCreatedSinceIsListed();
    void theGuardRefusesAndNothingChanges_data();
    void theGuardRefusesAndNothingChanges();
    void aLinkInsideTheMusicFolderKeepsItsTarget();
    void aMissingParentFolderIsReported();
    void aSongThatCannotBeCopiedIsNamed();
    void aFolderThatCannotBeDeletedIsNamed();
    void anUnsavedChoiceIsReported();

private:
    QTemporaryDir m_home;
    QByteArray m_realHome;
};

void SetGamePlaylistTest::initTestCase() {
    // The guard keeps the home folder; the test's own stands in for it.
    m_realHome = qgetenv("HOME");
    ProgramFolder::putSong(m_home.path(), QStringLiteral("mine.mp3"));
    qputenv("HOME", QFile::encodeName(m_home.path()));
    QCOMPARE(QDir::homePath(), m_home.path());
}

void SetGamePlaylistTest::cleanupTestCase() {
    qputenv("HOME", m_realHome);
}

void SetGamePlaylistTest::answeringNoOnlyStopsThePreview() {
    Fixture fx;
    Form& f = fx.start();
    fx.choose(QStringLiteral("Twelve"));
    // A file that is not there: the player holds a path without starting a decoder.
    f.WindowsMediaPlayer3->setUrl(fx.app.folder.playlist(QStringLiteral("Old")) + "/gone.mp3");
    const Snapshot before(fx);
    fx.app.prompter.queueAnswers({false});
    SetGamePlaylist(f);

    QCOMPARE(fx.app.prompter.boxes.size(), 1);
    QCOMPARE(fx.app.prompter.boxes.first().text,
             QStringLiteral("Are you sure you want to make 'Twelve' your current playlist?"));
    QCOMPARE(fx.app.prompter.boxes.first().title, QStringLiteral("Change Playlist"));
    QCOMPARE(f.WindowsMediaPlayer3->url(), QString());
    QVERIFY(Snapshot(fx) == before);
}

void SetGamePlaylistTest::twelveSongsReplaceThirtyOthers() {
    Fixture fx;
    Form& f = fx.start();
    fx.choose(QStringLiteral("Twelve"));
    const QDate dayBefore = QDate::currentDate();
    QStringList musicWhileReporting{QStringLiteral("not shown")};
    fx.app.prompter.whileOpen = [&](const ScriptedPrompter::Box& box) {
        if (!box.question)
            musicWhileReporting = fx.musicFiles();
    };
    SetGamePlaylist(f);
    const QDate dayAfter = QDate::currentDate();

    QCOMPARE(fx.app.prompter.boxes.size(), 2);
    const ScriptedPrompter::Box report = fx.app.prompter.boxes.last();
    QCOMPARE(report.text, QStringLiteral("Playlist 'Twelve' and all '12' song(s) have been added "
                                         "to your Tovia 3 Game!"));
    QCOMPARE(report.title, QStringLiteral("Playlist Set"));
    QCOMPARE(report.icon, Prompter::Icon::Information);
    QCOMPARE(musicWhileReporting, QStringList()); // emptied, and nothing copied yet
    const QStringList twelve = numbered(QStringLiteral("s"), 12);
    QCOMPARE(fx.musicFiles(), twelve);
    QStringList inOrder;
    for (const QString& song : twelve)
        inOrder << fx.music + QLatin1Char('/') + song;
    QCOMPARE(fx.files.callsOf(QStringLiteral("copy")), inOrder);

    const QStringList lines = fx.app.folder.stateLines();
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0], QStringLiteral("Twelve"));
    QCOMPARE(lines[2], fx.music);
    const QLocale locale = QLocale::system();
    QVERIFY2(lines[1].startsWith(locale.toString(dayBefore, QLocale::ShortFormat) + ' ') ||
                 lines[1].startsWith(locale.toString(dayAfter, QLocale::ShortFormat) + ' '),
             qPrintable(lines[1]));
    QCOMPARE(QStringList({f.CurrentPlaylist, f.LastUpdated, f.MusicFolder}), lines);
    QCOMPARE(f.sidelables[20]->text(), lines[0]);
    QCOMPARE(f.sidelables[22]->text(), lines[1]);
    QCOMPARE(f.List1->items(), (QStringList{QStringLiteral("Old"), QStringLiteral("Twelve")}));
    QCOMPARE(f.List1->selectedText(), QStringLiteral("Twelve"));
    QCOMPARE(f.File1->items(), twelve);
    QCOMPARE(f.playlistsons->items(), twelve);
}

void SetGamePlaylistTest::settingTwiceWritesANewStamp() {
    Fixture fx;
    Form& f = fx.start();
    fx.choose(QStringLiteral("Twelve"));
    SetGamePlaylist(f);
    SetGamePlaylist(f);

    QCOMPARE(fx.app.prompter.titles(),
             (QStringList{"Change Playlist", "Playlist Set", "Change Playlist", "Playlist Set"}));
    QCOMPARE(fx.files.callsOf(QStringLiteral("write")).size(), 2);
    QCOMPARE(fx.files.callsOf(QStringLiteral("removeTree")), (QStringList{fx.music, fx.music}));
    QCOMPARE(fx.musicFiles(), numbered(QStringLiteral("s"), 12));
    QCOMPARE(fx.app.folder.stateLines().first(), QStringLiteral("Twelve"));
}

void SetGamePlaylistTest::noEntrySelectedEmptiesTheFolder() {
    Fixture fx;
    Form& f = fx.start();
    f.List1->clearSelection();
    SetGamePlaylist(f);

    QCOMPARE(fx.app.prompter.boxes.first().text,
             QStringLiteral("Are you sure you want to make '' your current playlist?"));
    QCOMPARE(fx.app.prompter.boxes.last().text,
             QStringLiteral("Playlist '' and all '0' song(s) have been added to your Tovia 3 "
                            "Game!"));
    QCOMPARE(fx.app.prompter.boxes.size(), 2);
    QCOMPARE(fx.app.folder.stateLines().first(), QString());
    QVERIFY(QFileInfo(fx.music).isDir());
    QCOMPARE(fx.musicFiles(), QStringList());
    QCOMPARE(f.List1->selectedRow(), -1);
}

void SetGamePlaylistTest::everyFileCountsButNoSubfolder() {
    Fixture fx;
    fx.app.folder.addPlaylist(QStringLiteral("Mixed"),
                              {QStringLiteral("a.mp3"), QStringLiteral("notes.txt")});
    ProgramFolder::putSong(fx.app.folder.playlist(QStringLiteral("Mixed")) + "/extra", "x.mp3");
    Form& f = fx.start();
    fx.choose(QStringLiteral("Mixed"));
    SetGamePlaylist(f);

    QVERIFY(fx.app.prompter.boxes.last().text.contains(QStringLiteral("all '2' song(s)")));
    QCOMPARE(fx.musicFiles(), (QStringList{QStringLiteral("a.mp3"), QStringLiteral("notes.txt")}));
    QVERIFY(!QFileInfo::exists(fx.music + QStringLiteral("/extra")));
}

void SetGamePlaylistTest::aPlaylistCreatedSinceIsListed() {
    Fixture fx;
    Form& f = fx.start();
    f.newplaylistname->setText(QStringLiteral("Fresh"));
    CreatePlaylist(f);
    QVERIFY(!f.List1->items().contains(QStringLiteral("Fresh")));
    fx.choose(QStringLiteral("Twelve"));
    SetGamePlaylist(f);

    QCOMPARE(f.List1->items(), (QStringList{"Fresh", "Old", "Twelve"}));
    QCOMPARE(f.List1->selectedText(), QStringLiteral("Twelve"));
}

void SetGamePlaylistTest::theGuardRefusesAndNothingChanges_data() {
    QTest::addColumn<QString>("kind");
    for (const char* kind :
         {"root", "home", "above the program", "library", "playlists", "a playlist",
          "holds a folder", "link to the program", "empty", "relative"})
        QTest::newRow(kind) << QString::fromLatin1(kind);
}

void SetGamePlaylistTest::theGuardRefusesAndNothingChanges() {
    QFETCH(QString, kind);
    Fixture fx;
    const QString program = fx.app.folder.path();
    const QMap<QString, QString> folders{
        {"root", "/"},
        {"home", m_home.path()},
        {"above the program", QFileInfo(program).path()},
        {"library", fx.app.folder.library()},
        {"playlists", fx.app.folder.playlists()},
        {"a playlist", fx.app.folder.playlist(QStringLiteral("Old"))},
        {"holds a folder", fx.music},
        {"link to the program", fx.musicRoot.path() + QStringLiteral("/link")},
        {"empty", QString()},
        {"relative", QStringLiteral("Custom Music")},
    };
    QVERIFY(QDir(fx.music).mkdir(QStringLiteral("sub")));
    QVERIFY(QFile::link(program, fx.musicRoot.path() + QStringLiteral("/link")));
    const QString refused = folders.value(kind);
    fx.app.folder.writeState(QStringLiteral("Old"), aDate, refused);
    Form& f = fx.start();
    fx.choose(QStringLiteral("Twelve"));
    f.WindowsMediaPlayer3->setUrl(fx.app.folder.playlist(QStringLiteral("Old")) + "/gone.mp3");
    const Snapshot before(fx);
    const QStringList homeFiles = ProgramFolder::filesIn(m_home.path());
    SetGamePlaylist(f);

    QCOMPARE(fx.app.prompter.titles(), (QStringList{"Change Playlist", "Playlist Not Set"}));
    const ScriptedPrompter::Box report = fx.app.prompter.boxes.last();
    QCOMPARE(report.icon, Prompter::Icon::Exclamation);
    QVERIFY2(report.text.contains(QLatin1Char('\'') + refused + QLatin1Char('\'')),
             qPrintable(report.text));
    QVERIFY(Snapshot(fx) == before);
    QCOMPARE(fx.files.calls().size(), 0);
    QCOMPARE(f.WindowsMediaPlayer3->url(), QString());
    QCOMPARE(ProgramFolder::filesIn(m_home.path()), homeFiles);
    QCOMPARE(fx.musicFiles(), numbered(QStringLiteral("other"), 30));
    QCOMPARE(ProgramFolder::filesIn(fx.app.folder.playlist("Twelve")), numbered("s", 12));
}

void SetGamePlaylistTest::aLinkInsideTheMusicFolderKeepsItsTarget() {
    QTemporaryDir elsewhere;
    ProgramFolder::putSong(elsewhere.path(), QStringLiteral("precious.mp3"));
    Fixture fx;
    QVERIFY(QFile::link(elsewhere.path(), fx.music + QStringLiteral("/outside")));
    Form& f = fx.start();
    fx.choose(QStringLiteral("Twelve"));
    SetGamePlaylist(f);

    QCOMPARE(fx.app.prompter.titles(), (QStringList{"Change Playlist", "Playlist Set"}));
    QVERIFY(QFileInfo::exists(elsewhere.path() + QStringLiteral("/precious.mp3")));
    QCOMPARE(QDir(fx.music).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
             numbered(QStringLiteral("s"), 12));
}

void SetGamePlaylistTest::aMissingParentFolderIsReported() {
    Fixture fx;
    const QString music = fx.musicRoot.path() + QStringLiteral("/missing/Custom Music");
    fx.app.folder.writeState(QStringLiteral("Old"), aDate, music);
    Form& f = fx.start();
    fx.choose(QStringLiteral("Twelve"));
    SetGamePlaylist(f);

    QCOMPARE(fx.app.prompter.titles(),
             (QStringList{"Change Playlist", "Playlist Set", "Playlist Not Fully Set"}));
    const ScriptedPrompter::Box report = fx.app.prompter.boxes.last();
    QVERIFY(report.text.contains(music));
    QVERIFY(report.text.contains(QStringLiteral("No such file or directory")));
    QVERIFY(report.text.contains(QStringLiteral("s07.mp3")));
    QVERIFY(report.text.endsWith(QStringLiteral("now holds 0 song(s).")));
    QCOMPARE(report.icon, Prompter::Icon::Exclamation);
    QVERIFY(!QFileInfo::exists(fx.musicRoot.path() + QStringLiteral("/missing")));
    QCOMPARE(fx.app.folder.stateLines().first(), QStringLiteral("Twelve"));
}

void SetGamePlaylistTest::aSongThatCannotBeCopiedIsNamed() {
    Fixture fx;
    fx.files.fault = [](const QString& operation, const QString& path) {
        return operation == QLatin1String("copy") && path.endsWith(QLatin1String("/s03.mp3"))
                   ? QStringLiteral("Permission denied")
                   : QString();
    };
    Form& f = fx.start();
    fx.choose(QStringLiteral("Twelve"));
    SetGamePlaylist(f);

    QCOMPARE(fx.app.prompter.titles(),
             (QStringList{"Change Playlist", "Playlist Set", "Playlist Not Fully Set"}));
    const QString text = fx.app.prompter.boxes.last().text;
    QVERIFY(text.contains(QStringLiteral("'s03.mp3': Permission denied")));
    QVERIFY(!text.contains(QStringLiteral("s04.mp3")));
    QVERIFY(text.endsWith(QStringLiteral("now holds 11 song(s).")));
    QVERIFY(fx.app.prompter.boxes[1].text.contains(QStringLiteral("all '12' song(s)")));
    QCOMPARE(fx.musicFiles().size(), 11);
    QVERIFY(!fx.musicFiles().contains(QStringLiteral("s03.mp3")));
}

void SetGamePlaylistTest::aFolderThatCannotBeDeletedIsNamed() {
    Fixture fx;
    fx.files.fault = [](const QString& operation, const QString&) {
        return operation == QLatin1String("removeTree") ? QStringLiteral("Permission denied")
                                                        : QString();
    };
    Form& f = fx.start();
    fx.choose(QStringLiteral("Twelve"));
    SetGamePlaylist(f);

    QCOMPARE(fx.app.prompter.titles(),
             (QStringList{"Change Playlist", "Playlist Set", "Playlist Not Fully Set"}));
    const QString text = fx.app.prompter.boxes.last().text;
    QVERIFY(text.contains(fx.music + QStringLiteral("': Permission denied")));
    QVERIFY(text.endsWith(QStringLiteral("now holds 42 song(s).")));
    QCOMPARE(fx.musicFiles(), numbered(QStringLiteral("other"), 30) + numbered("s", 12));
}

void SetGamePlaylistTest::anUnsavedChoiceIsReported() {
    Fixture fx;
    fx.files.fault = [](const QString& operation, const QString&) {
        return operation == QLatin1String("write") ? QStringLiteral("No space left on device")
                                                   : QString();
    };
    Form& f = fx.start();
    fx.choose(QStringLiteral("Twelve"));
    const QByteArray state = fx.app.folder.stateBytes();
    SetGamePlaylist(f);

    QCOMPARE(fx.app.prompter.titles(),
             (QStringList{"Change Playlist", "Playlist Set", "Choice Not Saved"}));
    QVERIFY(fx.app.prompter.boxes.last().text.contains(QStringLiteral("No space left on device")));
    QCOMPARE(fx.musicFiles(), numbered(QStringLiteral("s"), 12));
    QCOMPARE(fx.app.folder.stateBytes(), state);
    // The page shows what the file holds.
    QCOMPARE(f.sidelables[20]->text(), QStringLiteral("Old"));
    QCOMPARE(f.sidelables[22]->text(), aDate);
    QCOMPARE(f.List1->selectedText(), QStringLiteral("Old"));
}

QTEST_MAIN(SetGamePlaylistTest)
#include "tst_SetGamePlaylist.moc"
