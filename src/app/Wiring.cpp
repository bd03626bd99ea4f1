#include "app/Wiring.h"

#include "drop/SongDrop.h"
#include "form/Contact.h"
#include "form/MainWindow.h"
#include "game/ContactMail.h"
#include "game/GameLaunch.h"
#include "game/MusicFolderSettings.h"
#include "library/LibraryBrowser.h"
#include "library/LibraryMaintenance.h"
#include "library/SongToolTips.h"
#include "platform/Prompter.h"
#include "playlists/PlaylistContents.h"
#include "playlists/PlaylistManagement.h"
#include "playlists/SetGamePlaylist.h"
#include "ui/Hover.h"
#include "ui/KeyboardAccess.h"
#include "ui/Navigation.h"
#include "ui/Tutorial.h"
#include "widgets/CaptionLabel.h"
#include "widgets/DirList.h"
#include "widgets/DriveList.h"
#include "widgets/FileList.h"
#include "widgets/PageFrame.h"
#include "widgets/PictureBox.h"

#include <QDir>
#include <QPushButton>
#include <QTimer>

void runAction(Form& f, Action action) {
    switch (action) {
    case Action::None:
        break;
    case Action::ShowWelcomePage:
        ShowWelcomePage(f);
        break;
    case Action::ShowPlaylistsPage:
        ShowPlaylistsPage(f);
        break;
    case Action::ShowLibraryPage:
        ShowLibraryPage(f);
        break;
    case Action::ShowSettingsPage:
        ShowSettingsPage(f);
        break;
    case Action::DeletePlaylist:
        DeletePlaylist(f);
        break;
    case Action::CreatePlaylist:
        CreatePlaylist(f);
        break;
    case Action::AddSongsToPlaylist:
        AddSongsToPlaylist(f);
        break;
    case Action::AddAllToPlaylist:
        AddAllToPlaylist(f);
        break;
    case Action::RemovePlaylistSong:
        RemovePlaylistSong(f);
        break;
    case Action::ClearPlaylist:
        ClearPlaylist(f);
        break;
    case Action::AddSongToLibrary:
        AddSongToLibrary(f);
        break;
    case Action::RemoveLibrarySong:
        RemoveLibrarySong(f);
        break;
    case Action::SetGamePlaylist:
        SetGamePlaylist(f);
        break;
    case Action::StartTutorial:
        StartTutorial(f);
        break;
    case Action::EmailAuthor:
        EmailMessage(f, QString::fromLatin1(Contact::address));
        break;
    case Action::ChangeMusicFolder:
        ChangeMusicFolder(f);
        break;
    case Action::UseDefaultMusicFolder:
        UseDefaultMusicFolder(f);
        break;
    }
}

namespace {

void wireClicks(MainWindow& window, Form& f, const ActionRunner& run) {
    auto route = [&run](auto* sender, auto signal, Action action) {
        QObject::connect(sender, signal, sender, [run, action] { run(action); });
    };
    const std::pair<PictureBox*, Action> sidebar[] = {
        {f.sidebutton1, Action::ShowWelcomePage},   {f.sidebutton4, Action::ShowWelcomePage},
        {f.sidebutton2, Action::ShowPlaylistsPage}, {f.sidebutton5, Action::ShowPlaylistsPage},
        {f.sidebutton3, Action::ShowLibraryPage},   {f.sidebutton6, Action::ShowLibraryPage},
        {f.sidebutton7, Action::ShowSettingsPage},  {f.sidebutton8, Action::ShowSettingsPage},
    };
    for (const auto& [picture, action] : sidebar)
        route(picture, &PictureBox::clicked, action);
    for (int i = 0; i < int(f.sidelables.size()); ++i) {
        if (const Action action = labelAction(i); action != Action::None)
            route(f.sidelables[i], &CaptionLabel::clicked, action);
    }
    for (int i = 0; i < int(f.cmdactive.size()); ++i) {
        route(f.cmdactive[i], &PictureBox::clicked, buttonAction(i));
        route(f.cmdover[i], &PictureBox::clicked, buttonAction(i));
    }

    for (PictureBox* close : {f.Image1, f.Image3})
        QObject::connect(close, &PictureBox::clicked, &window, &QWidget::close);
    for (PictureBox* minimise : {f.Image2, f.Image4})
        QObject::connect(minimise, &PictureBox::clicked, &window, &QWidget::showMinimized);
    for (PictureBox* start : {f.startgame, f.startgame2})
        QObject::connect(start, &PictureBox::clicked, &window, [&f] { StartGame(f); });
}

void wireLists(MainWindow& window, Form& f) {
    QObject::connect(f.Drive1, &DriveList::driveChanged, &window,
                     [&f](const QString& drive) { Drive1_Change(f, drive); });
    QObject::connect(f.Dir3, &DirList::pathChanged, &window, [&f] { Dir3_Change(f); });
    QObject::connect(f.File5, &ListBox::itemDoubleClicked, &window, [&f] { File5_DblClick(f); });
    QObject::connect(f.File4, &ListBox::itemClicked, &window, [&f] { File4_Click(f); });
    QObject::connect(f.librarysongs, &ListBox::itemDoubleClicked, &window,
                     [&f](int row) { librarysongs_DblClick(f, row); });
    QObject::connect(f.playlistsons, &ListBox::itemDoubleClicked, &window,
                     [&f] { playlistsons_DblClick(f); });
    QObject::connect(f.File1, &ListBox::itemDoubleClicked, &window, [&f] { File1_DblClick(f); });
    QObject::connect(f.List1, &ListBox::itemClicked, &window, [&f] { List1_Click(f); });
    QObject::connect(f.playlists, &ListBox::itemClicked, &window, [&f] { playlists_Click(f); });
    QObject::connect(f.settings_Drive, &DriveList::driveChanged, &window,
                     [&f](const QString& drive) { settings_Drive_Change(f, drive); });
    for (DirList* folders : {f.Dir3, f.settings_Dir}) {
        QObject::connect(folders, &DirList::openFailed, &window, [&f](const QString& path) {
            f.prompter->report(QStringLiteral("The folder '%1' cannot be opened.")
                                   .arg(QDir::toNativeSeparators(path)),
                               QStringLiteral("Folder Not Available"), Prompter::Icon::Exclamation);
        });
    }
}

void wireTutorial(MainWindow& window, Form& f) {
    QObject::connect(f.Timer1, &QTimer::timeout, &window, [&f] { Timer1_Timer(f); });
    const std::pair<QPushButton*, void (*)(Form&)> buttons[] = {
        {f.helpboxbm, helpboxbm_Click}, {f.cmdhelp1, cmdhelp1_Click}, {f.cmdhelp2, cmdhelp2_Click},
        {f.cmdback1, cmdback1_Click},   {f.cmdback2, cmdback2_Click}, {f.cmdhelp3, cmdhelp3_Click},
    };
    for (const auto& [button, handler] : buttons)
        QObject::connect(button, &QPushButton::clicked, &window, [&f, handler] { handler(f); });
}

void wireHover(MainWindow& window, Form& f) {
    for (int i = 0; i < int(f.sidelables.size()); ++i)
        QObject::connect(f.sidelables[i], &CaptionLabel::mouseMoved, &window,
                         [&f, i] { sidelablesMouseMove(f, i); });
    QObject::connect(f.startgame, &PictureBox::mouseMoved, &window,
                     [&f] { startgameMouseMove(f); });
    const std::pair<PictureBox*, int> sidebar[] = {
        {f.sidebutton1, 1}, {f.sidebutton2, 2}, {f.sidebutton3, 3}, {f.sidebutton7, 7}};
    for (const auto& [picture, number] : sidebar)
        QObject::connect(picture, &PictureBox::mouseMoved, &window,
                         [&f, number] { sidebuttonMouseMove(f, number); });
    QObject::connect(f.Image3, &PictureBox::mouseMoved, &window, [&f] { closeButtonMouseMove(f); });
    QObject::connect(f.Image4, &PictureBox::mouseMoved, &window,
                     [&f] { minimiseButtonMouseMove(f); });
    for (PageFrame* page : {f.welcome, f.playlistframe, f.libraryframe, f.settings_frame})
        QObject::connect(page, &PageFrame::mouseMoved, &window, [&f] { maKebuttonsnotactive(f); });
    QObject::connect(&window, &MainWindow::backgroundMouseMoved, &window,
                     [&f] { windowBackgroundMouseMove(f); });
}

// Enter on a list does what its click or double-click does; Delete removes from the two lists
// that have a removal button, with its usual question.
void wireKeys(MainWindow& window, Form& f) {
    const std::pair<ListBox*, void (*)(Form&)> enter[] = {
        {f.File5, File5_DblClick}, {f.File4, File4_Click}, {f.playlistsons, playlistsons_DblClick},
        {f.File1, File1_DblClick}, {f.List1, List1_Click}, {f.playlists, playlists_Click},
    };
    for (const auto& [list, handler] : enter)
        QObject::connect(list, &ListBox::enterPressed, &window, [&f, handler] { handler(f); });
    QObject::connect(f.librarysongs, &ListBox::enterPressed, &window, [&f](int row) {
        if (row >= 0)
            librarysongs_DblClick(f, row);
    });
    QObject::connect(f.File4, &ListBox::deletePressed, &window, [&f] { RemoveLibrarySong(f); });
    QObject::connect(f.playlistsons, &ListBox::deletePressed, &window,
                     [&f] { RemovePlaylistSong(f); });
}

} // namespace

void wireEvents(MainWindow& window, const ActionRunner& run) {
    Form& f = window.form();
    wireClicks(window, f, run);
    wireLists(window, f);
    wireTutorial(window, f);
    wireHover(window, f);
    wireKeys(window, f);
    installSongToolTips(f);
    SongDrop::install(f);
    KeyboardAccess::install(f);
}
