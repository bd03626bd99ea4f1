#include "library/SongFileRelease.h"

#include "form/Form.h"
#include "library/Preview.h"
#include "widgets/PreviewPlayer.h"

#include <QDir>

void ReleaseSongFile(Form& f, const QString& path) {
    const QString target = QDir::cleanPath(path);
    for (PreviewPlayer* player :
         {f.WindowsMediaPlayer1, f.WindowsMediaPlayer2, f.WindowsMediaPlayer3}) {
        if (!player->url().isEmpty() && QDir::cleanPath(player->url()) == target)
            StopPreview(player);
    }
}
