#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

class CaptionLabel;
class DirList;
class DriveList;
class FileList;
class FileOps;
class ListBox;
class PageFrame;
class Platform;
class PictureBox;
class PreviewPlayer;
class Prompter;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTimer;
class QWidget;

// The window's controls, its state values and the services, handed to every routine. The
// control names are the window's own; MainWindow creates each control once.
struct Form {
    // Window level.
    QWidget* window = nullptr;
    CaptionLabel* title = nullptr;
    PictureBox* Image1 = nullptr;      // close, highlighted
    PictureBox* Image2 = nullptr;      // minimise, highlighted
    PictureBox* Image3 = nullptr;      // close, normal
    PictureBox* Image4 = nullptr;      // minimise, normal
    PictureBox* sidebutton1 = nullptr; // Welcome, normal
    PictureBox* sidebutton2 = nullptr; // Playlists, normal
    PictureBox* sidebutton3 = nullptr; // Library, normal
    PictureBox* sidebutton4 = nullptr; // Welcome, highlighted
    PictureBox* sidebutton5 = nullptr; // Playlists, highlighted
    PictureBox* sidebutton6 = nullptr; // Library, highlighted
    PictureBox* sidebutton7 = nullptr; // Settings, normal
    PictureBox* sidebutton8 = nullptr; // Settings, highlighted
    PictureBox* sidearrow1 = nullptr;
    PictureBox* sidearrow2 = nullptr;
    PictureBox* sidearrow3 = nullptr;
    PictureBox* sidearrow4 = nullptr;
    std::array<CaptionLabel*, 43> sidelables{};
    std::array<CaptionLabel*, 2> version{};
    PictureBox* helpboxcurs = nullptr;
    QTimer* Timer1 = nullptr;

    // Pages.
    PageFrame* welcome = nullptr;
    PageFrame* playlistframe = nullptr;
    PageFrame* libraryframe = nullptr;
    PageFrame* settings_frame = nullptr;

    // Tutorial boxes and their buttons.
    QGroupBox* HelpBox1 = nullptr;
    QGroupBox* helpbox2 = nullptr;
    QGroupBox* helpbox3 = nullptr;
    QGroupBox* helpbox4 = nullptr;
    QPushButton* helpboxbm = nullptr;
    QPushButton* cmdhelp1 = nullptr;
    QPushButton* cmdback1 = nullptr;
    QPushButton* cmdhelp2 = nullptr;
    QPushButton* cmdback2 = nullptr;
    QPushButton* cmdhelp3 = nullptr;

    // Action buttons: normal and highlighted picture of each index.
    std::array<PictureBox*, 11> cmdactive{};
    std::array<PictureBox*, 11> cmdover{};

    // Welcome page.
    ListBox* List1 = nullptr;
    PictureBox* startgame = nullptr;
    PictureBox* startgame2 = nullptr;
    FileList* File1 = nullptr;
    PreviewPlayer* WindowsMediaPlayer3 = nullptr;

    // Playlists page.
    ListBox* playlists = nullptr;
    DirList* Dir2 = nullptr;
    QLineEdit* newplaylistname = nullptr;
    PreviewPlayer* WindowsMediaPlayer1 = nullptr;
    FileList* playlistsons = nullptr;
    ListBox* librarysongs = nullptr;
    FileList* File3 = nullptr;

    // Library page.
    DriveList* Drive1 = nullptr;
    DirList* Dir3 = nullptr;
    FileList* File5 = nullptr;
    PreviewPlayer* WindowsMediaPlayer2 = nullptr;
    FileList* File4 = nullptr;

    // Settings page.
    CaptionLabel* lblsetting_path = nullptr;
    DriveList* settings_Drive = nullptr;
    DirList* settings_Dir = nullptr;

    // State values: the visible page and the three lines of the state file.
    qint16 CurrentPage = 1;
    QString CurrentPlaylist;
    QString LastUpdated;
    QString MusicFolder;
    QString UserName;

    // The folder holding the executable, data.txt, Library/ and Playlists/.
    QString programFolder;

    Platform* platform = nullptr;
    Prompter* prompter = nullptr;
    FileOps* files = nullptr;
};
