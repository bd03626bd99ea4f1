#include "ui/TabOrder.h"

#include "form/Form.h"
#include "widgets/CaptionLabel.h"
#include "widgets/DirList.h"
#include "widgets/DriveList.h"
#include "widgets/FileList.h"
#include "widgets/PictureBox.h"
#include "widgets/PreviewPlayer.h"

#include <QLineEdit>
#include <QList>
#include <QPushButton>

namespace {

constexpr int tutorialLink = 30;
constexpr int contactLink = 35;

} // namespace

void setWindowTabOrder(Form& f) {
    // An action button is its two pictures, only one of which is visible at a time.
    const auto button = [&f](int k) { return QList<QWidget*>{f.cmdactive[k], f.cmdover[k]}; };
    QList<QWidget*> chain{f.helpboxbm, f.cmdhelp1, f.cmdback1, f.cmdhelp2, f.cmdback2, f.cmdhelp3};
    // Welcome: choose a playlist, set it, play; then its songs, the credits and the tutorial.
    chain << f.List1 << button(0) << f.startgame << f.startgame2 << f.File1 << f.WindowsMediaPlayer3
          << f.sidelables[contactLink] << f.sidelables[tutorialLink];
    // Playlists: top to bottom, left to right.
    chain << f.playlists << button(1) << f.newplaylistname << button(2) << f.WindowsMediaPlayer1
          << f.playlistsons << button(3) << button(4) << f.librarysongs << button(5) << button(6);
    // Library: browse, listen, add; then the library and its removal.
    chain << f.Drive1 << f.Dir3 << f.File5 << f.WindowsMediaPlayer2 << button(7) << f.File4
          << button(8);
    chain << f.settings_Drive << f.settings_Dir << button(9) << button(10);
    chain << f.sidebutton1 << f.sidebutton4 << f.sidebutton2 << f.sidebutton5 << f.sidebutton3
          << f.sidebutton6 << f.sidebutton7 << f.sidebutton8;
    chain << f.Image4 << f.Image2 << f.Image3 << f.Image1;
    for (int i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}
