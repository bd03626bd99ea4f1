#pragma once

#include <QString>
#include <QStringList>

// Decides whether a folder tree may be deleted. Only the game's music folder and a playlist's
// own folder are ever deleted as trees.
struct DeletionGuard {
    // Folders that must survive: neither they, nor anything above them, nor (for the
    // program's own folders) anything inside them may be deleted.
    QString homeFolder;
    QString programFolder;
    QStringList keptFolders; // the library and playlists folders
    // The one folder of the program whose subfolders may be deleted: the playlists folder.
    QString playlistsFolder;

    // Empty when path may be deleted; otherwise why not, in words for the user.
    // allowSubfolders is false for the music folder: it never holds folders the program made.
    QString refusal(const QString& path, bool allowSubfolders = false) const;
};
