#include "ui/Navigation.h"

#include "form/FolderLayout.h"
#include "form/Form.h"
#include "form/StateFile.h"
#include "library/LibraryBrowser.h"
#include "library/Preview.h"
#include "widgets/CaptionLabel.h"
#include "widgets/DirList.h"
#include "widgets/FileList.h"
#include "widgets/PageFrame.h"
#include "widgets/PictureBox.h"

namespace {

void showOnly(Form& f, QWidget* page) {
    for (QWidget* each :
         {static_cast<QWidget*>(f.welcome), static_cast<QWidget*>(f.playlistframe),
          static_cast<QWidget*>(f.libraryframe), static_cast<QWidget*>(f.settings_frame)})
        each->setVisible(each == page);
}

void pointArrowAt(Form& f, QWidget* arrow) {
    for (QWidget* each : {f.sidearrow1, f.sidearrow2, f.sidearrow3, f.sidearrow4})
        each->setVisible(each == arrow);
}

} // namespace

void ShowWelcomePage(Form& f) {
    f.CurrentPage = 1;
    showOnly(f, f.welcome);
    StopPreview(f.WindowsMediaPlayer1);
    StopPreview(f.WindowsMediaPlayer2);
    StopPreview(f.WindowsMediaPlayer3);
    f.sidebutton4->show();
    pointArrowAt(f, f.sidearrow1);

    // Dir2 is not re-read here: it lists the playlists as of its last refresh.
    QStringList names;
    names.reserve(f.Dir2->count());
    for (int i = 0; i < f.Dir2->count(); ++i)
        names << FolderLayout::PlaylistNameFromPath(f.Dir2->entry(i));
    f.List1->setItems(names);

    // A file that cannot be read leaves the values as they were; start-up reports it.
    StateFile::readInto(f);
    f.sidelables[20]->setCaption(f.CurrentPlaylist);
    f.sidelables[22]->setCaption(f.LastUpdated);

    for (int i = 0; i < f.List1->count(); ++i) {
        if (f.List1->item(i) == f.CurrentPlaylist) {
            f.List1->selectRow(i);
            List1_Click(f);
        }
    }
    f.File1->refresh();
}

void ShowPlaylistsPage(Form& f) {
    f.CurrentPage = 2;
    showOnly(f, f.playlistframe);
    StopPreview(f.WindowsMediaPlayer2);
    StopPreview(f.WindowsMediaPlayer3);
    f.sidebutton5->show();
    pointArrowAt(f, f.sidearrow2);
}

void ShowLibraryPage(Form& f) {
    f.CurrentPage = 3;
    showOnly(f, f.libraryframe);
    StopPreview(f.WindowsMediaPlayer1);
    StopPreview(f.WindowsMediaPlayer3);
    f.sidebutton6->show();
    pointArrowAt(f, f.sidearrow3);
}

void ShowSettingsPage(Form& f) {
    f.CurrentPage = 4;
    showOnly(f, f.settings_frame);
    StopPreview(f.WindowsMediaPlayer1);
    StopPreview(f.WindowsMediaPlayer2);
    StopPreview(f.WindowsMediaPlayer3);
    f.sidebutton8->show();
    pointArrowAt(f, f.sidearrow4);
}
