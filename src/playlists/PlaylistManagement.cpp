#include "playlists/PlaylistManagement.h"

#include "form/FolderLayout.h"
#include "form/Form.h"
#include "fs/FileOps.h"
#include "library/Preview.h"
#include "platform/Prompter.h"
#include "playlists/FileBatch.h"
#include "playlists/PlaylistFolders.h"
#include "widgets/DirList.h"
#include "widgets/FileList.h"
#include "widgets/ListBox.h"
#include "widgets/PreviewPlayer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>

void ListPlaylists(Form& form) {
    form.Dir2->refresh();
    form.playlists->clear();
    form.playlists->setItems(PlaylistFolders::namesInDir2(form));
    if (form.playlists->count() == 0) {
        // No playlist, so no playlist's songs: the page shows nothing rather than the
        // playlists folder itself.
        form.playlistsons->setFolder(QString());
        return;
    }
    form.playlists->selectRow(0);
    playlists_Click(form);
}

void playlists_Click(Form& form) {
    const QString name = form.playlists->selectedText();
    if (name.isEmpty()) {
        form.playlistsons->setFolder(QString());
        return;
    }
    const QString folder = form.Dir2->path().isEmpty()
                               ? FolderLayout::playlistsFolder(form.programFolder)
                               : form.Dir2->path();
    // A folder removed behind the program's back simply lists nothing.
    form.playlistsons->setFolder(FolderLayout::join(folder, name));
}

void CreatePlaylist(Form& form) {
    const QString name = form.newplaylistname->text();
    if (name.isEmpty()) {
        form.prompter->report(QStringLiteral("You need to put in a name for the playlist"),
                              QStringLiteral("Missing Text"), Prompter::Icon::Critical);
        return;
    }
    // A name that would lead out of the playlists folder is refused like any name the file
    // system refuses.
    const QString folder = FolderLayout::playlistFolder(form.programFolder, name);
    const bool safe = PlaylistFolders::isSafeName(name);
    const FileResult made = safe ? form.files->makeDir(folder) : FileResult::failure(QString());
    if (!made) {
        QString text = QStringLiteral("Sorry, That Playlist name already exists!");
        // A name that is taken or too long is what the message says; any other failure (a full
        // or read-only disk, a missing playlists folder) is named as well.
        const QFileInfo taken(folder);
        constexpr qsizetype longestName = 255;
        if (safe && !taken.exists() && !taken.isSymLink() &&
            QFile::encodeName(name).size() <= longestName)
            text += QStringLiteral("\n\n") + made.error;
        form.prompter->report(text, QStringLiteral("Playlist Exists"), Prompter::Icon::Exclamation);
        return;
    }
    ListPlaylists(form);
    form.prompter->report(QStringLiteral("The New Playlist '") + name +
                              QStringLiteral("' has been created"),
                          QStringLiteral("Created"));
    form.newplaylistname->setText(QString());
}

void DeletePlaylist(Form& form) {
    const QString name = form.playlists->selectedText();
    if (name.isEmpty()) {
        // Without a name the path would be the playlists folder itself.
        PlaylistFolders::reportNoPlaylist(form);
        return;
    }
    if (!form.prompter->ask(QStringLiteral("Are you want to delete ' ") + name +
                                QStringLiteral("'?"),
                            QStringLiteral("Delete?")))
        return;

    const QString folder = FolderLayout::playlistFolder(form.programFolder, name);
    // The page's player may be playing one of the songs about to go.
    if (QDir::cleanPath(form.WindowsMediaPlayer1->url())
            .startsWith(QDir::cleanPath(folder) + QLatin1Char('/')))
        StopPreview(form.WindowsMediaPlayer1);
    QString failure = PlaylistFolders::playlistRefusal(form, folder);
    if (failure.isEmpty() && QFileInfo(folder).exists()) {
        FileBatch batch(*form.files, form.window, QStringLiteral("Deleting Playlist"));
        const QList<Failure> failures = batch.run({FileJob::removeTree(folder)});
        if (!failures.isEmpty())
            failure = failures.first().reason;
    }
    ListPlaylists(form);
    if (!failure.isEmpty()) {
        form.prompter->report(
            QStringLiteral("The playlist '%1' could not be deleted.\n\n%2").arg(name, failure),
            QStringLiteral("Playlist Not Deleted"), Prompter::Icon::Exclamation);
        return;
    }
    form.prompter->report(QStringLiteral("Playlist has been deleted!"),
                          QStringLiteral("Playlist Deleted"), Prompter::Icon::Critical);
}
