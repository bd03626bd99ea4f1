// The page routines and the routing of every click.
#include "TestApp.h"

#include "ui/Navigation.h"
#include "widgets/CaptionLabel.h"
#include "widgets/FileList.h"
#include "widgets/PageFrame.h"
#include "widgets/PictureBox.h"
#include "widgets/PreviewPlayer.h"

#include <QTest>

#include <map>
#include <vector>

namespace {

const QString aDate = QStringLiteral("7/16/2009 3:25:07 PM");

struct Recorder {
    std::vector<Action> actions; // QList's compare of two empty lists trips the sanitizer
    ActionRunner runner() {
        return [this](Action action) { actions.push_back(action); };
    }
};

} // namespace

class NavigationTest : public QObject {
    Q_OBJECT

private slots:
    void pageRoutinesShowTheirPageAndStopTheirPlayers_data();
    void pageRoutinesShowTheirPageAndStopTheirPlayers();
    void theWelcomePageSelectsTheCurrentPlaylistAgain();
    void theWelcomePageRereadsTheStateFile();
    void everyLabelIndexReachesItsRoutineOnce();
    void everyButtonPictureReachesItsRoutineOnce();
    void bothSidebarPicturesOpenTheirPage();
};

void NavigationTest::pageRoutinesShowTheirPageAndStopTheirPlayers_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("stopped"); // players 1, 2, 3: "x" cleared, "-" left playing
    QTest::newRow("welcome") << 1 << QStringLiteral("xxx");
    QTest::newRow("playlists") << 2 << QStringLiteral("-xx");
    QTest::newRow("library") << 3 << QStringLiteral("x-x");
    QTest::newRow("settings") << 4 << QStringLiteral("xxx");
}

void NavigationTest::pageRoutinesShowTheirPageAndStopTheirPlayers() {
    QFETCH(int, page);
    QFETCH(QString, stopped);
    TestApp app;
    app.folder.writeState(QString(), aDate, QStringLiteral("/games/music"));
    app.folder.addLibrarySong(QStringLiteral("song.mp3"));
    app.start();
    Form& f = app.form();
    const QString song = app.folder.library() + QStringLiteral("/song.mp3");
    const std::array<PreviewPlayer*, 3> players{f.WindowsMediaPlayer1, f.WindowsMediaPlayer2,
                                                f.WindowsMediaPlayer3};
    for (PreviewPlayer* player : players)
        player->setUrl(song);

    const std::array<void (*)(Form&), 4> routines{ShowWelcomePage, ShowPlaylistsPage,
                                                  ShowLibraryPage, ShowSettingsPage};
    const std::array<QWidget*, 4> pages{f.welcome, f.playlistframe, f.libraryframe,
                                        f.settings_frame};
    const std::array<QWidget*, 4> arrows{f.sidearrow1, f.sidearrow2, f.sidearrow3, f.sidearrow4};
    const std::array<QWidget*, 4> highlights{f.sidebutton4, f.sidebutton5, f.sidebutton6,
                                             f.sidebutton8};
    // Another page's highlight stays: only the mouse over the background hides it.
    f.sidebutton6->show();
    routines[page - 1](f);

    QCOMPARE(f.CurrentPage, qint16(page));
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(!pages[i]->isHidden(), i == page - 1);
        QCOMPARE(!arrows[i]->isHidden(), i == page - 1);
    }
    QVERIFY(!highlights[page - 1]->isHidden());
    QVERIFY(!f.sidebutton6->isHidden());
    for (int i = 0; i < 3; ++i)
        QCOMPARE(players[i]->url().isEmpty(), stopped[i] == QLatin1Char('x'));
}

void NavigationTest::theWelcomePageSelectsTheCurrentPlaylistAgain() {
    TestApp app;
    app.folder.addPlaylist(QStringLiteral("Alpha"), {QStringLiteral("a.mp3")});
    app.folder.addPlaylist(QStringLiteral("Beta"), {QStringLiteral("b.mp3")});
    app.folder.writeState(QStringLiteral("Beta"), aDate, QStringLiteral("/games/music"));
    app.start();
    Form& f = app.form();
    f.List1->selectRow(0);
    QTest::mouseClick(
        f.List1->viewport(), Qt::LeftButton, {},
        f.List1->visualRect(static_cast<QListView*>(f.List1)->model()->index(0, 0)).center());
    QCOMPARE(f.File1->items(), QStringList{QStringLiteral("a.mp3")});

    QTest::mouseClick(f.sidelables[0], Qt::LeftButton);
    QCOMPARE(f.List1->selectedText(), QStringLiteral("Beta"));
    QCOMPARE(f.File1->items(), QStringList{QStringLiteral("b.mp3")});

    // With no entry equal to the current playlist, File1 keeps its folder, re-read.
    app.folder.writeState(QStringLiteral("Gone"), aDate, QStringLiteral("/games/music"));
    ProgramFolder::putSong(app.folder.playlist(QStringLiteral("Beta")), QStringLiteral("new.mp3"));
    ShowWelcomePage(f);
    QCOMPARE(f.List1->selectedRow(), -1);
    QCOMPARE(f.File1->items(), (QStringList{QStringLiteral("b.mp3"), QStringLiteral("new.mp3")}));
}

void NavigationTest::theWelcomePageRereadsTheStateFile() {
    TestApp app;
    app.folder.writeState(QStringLiteral("One"), aDate, QStringLiteral("/games/music"));
    app.start();
    Form& f = app.form();
    app.folder.writeState(QStringLiteral("Two, with comma"), QStringLiteral("later"),
                          QStringLiteral("/x"));
    ShowWelcomePage(f);
    QCOMPARE(f.sidelables[20]->text(), QStringLiteral("Two, with comma"));
    QCOMPARE(f.sidelables[22]->text(), QStringLiteral("later"));
    QCOMPARE(f.MusicFolder, QStringLiteral("/x"));
}

void NavigationTest::everyLabelIndexReachesItsRoutineOnce() {
    const std::map<int, Action> routed{
        {0, Action::ShowWelcomePage},        {1, Action::ShowPlaylistsPage},
        {2, Action::ShowLibraryPage},        {5, Action::DeletePlaylist},
        {7, Action::CreatePlaylist},         {8, Action::AddSongsToPlaylist},
        {10, Action::AddAllToPlaylist},      {11, Action::RemovePlaylistSong},
        {12, Action::ClearPlaylist},         {14, Action::AddSongToLibrary},
        {15, Action::RemoveLibrarySong},     {23, Action::SetGamePlaylist},
        {30, Action::StartTutorial},         {35, Action::EmailAuthor},
        {37, Action::ShowSettingsPage},      {41, Action::ChangeMusicFolder},
        {42, Action::UseDefaultMusicFolder},
    };
    TestApp app;
    app.folder.writeState(QString(), aDate, QStringLiteral("/games/music"));
    Recorder recorder;
    app.start(recorder.runner());
    Form& f = app.form();
    for (int index = 0; index < 43; ++index) {
        recorder.actions.clear();
        QTest::mouseClick(f.sidelables[index], Qt::LeftButton);
        const auto found = routed.find(index);
        const std::vector<Action> expected =
            found == routed.end() ? std::vector<Action>() : std::vector<Action>{found->second};
        QVERIFY2(recorder.actions == expected, qPrintable(QString::number(index)));
    }
}

void NavigationTest::everyButtonPictureReachesItsRoutineOnce() {
    const std::array<Action, 11> routed{
        Action::SetGamePlaylist,    Action::DeletePlaylist,        Action::CreatePlaylist,
        Action::RemovePlaylistSong, Action::ClearPlaylist,         Action::AddSongsToPlaylist,
        Action::AddAllToPlaylist,   Action::AddSongToLibrary,      Action::RemoveLibrarySong,
        Action::ChangeMusicFolder,  Action::UseDefaultMusicFolder,
    };
    TestApp app;
    app.folder.writeState(QString(), aDate, QStringLiteral("/games/music"));
    Recorder recorder;
    app.start(recorder.runner());
    Form& f = app.form();
    for (int k = 0; k < 11; ++k) {
        for (PictureBox* picture : {f.cmdactive[k], f.cmdover[k]}) {
            recorder.actions.clear();
            QTest::mouseClick(picture, Qt::LeftButton);
            QVERIFY2(recorder.actions == std::vector<Action>{routed[k]},
                     qPrintable(QString::number(k)));
        }
    }
}

void NavigationTest::bothSidebarPicturesOpenTheirPage() {
    TestApp app;
    app.folder.writeState(QString(), aDate, QStringLiteral("/games/music"));
    Recorder recorder;
    app.start(recorder.runner());
    Form& f = app.form();
    const std::pair<PictureBox*, Action> sidebar[] = {
        {f.sidebutton1, Action::ShowWelcomePage},   {f.sidebutton4, Action::ShowWelcomePage},
        {f.sidebutton2, Action::ShowPlaylistsPage}, {f.sidebutton5, Action::ShowPlaylistsPage},
        {f.sidebutton3, Action::ShowLibraryPage},   {f.sidebutton6, Action::ShowLibraryPage},
        {f.sidebutton7, Action::ShowSettingsPage},  {f.sidebutton8, Action::ShowSettingsPage},
    };
    for (const auto& [picture, action] : sidebar) {
        recorder.actions.clear();
        QTest::mouseClick(picture, Qt::LeftButton);
        QVERIFY(recorder.actions == std::vector<Action>{action});
    }
}

QTEST_MAIN(NavigationTest)
#include "tst_Navigation.moc"
