#pragma once

#include <QString>

// Where the program keeps its files, and how names and paths are formed from them.
namespace FolderLayout {

// folder + "/" + name, without doubling a separator that folder already ends in.
QString join(const QString& folder, const QString& name);

QString stateFile(const QString& programFolder);       // P/data.txt
QString libraryFolder(const QString& programFolder);   // P/Library/
QString playlistsFolder(const QString& programFolder); // P/Playlists/
QString playlistFolder(const QString& programFolder, const QString& name);

// The game's Custom Music folder in the user's documents.
QString defaultMusicFolder(const QString& userName);

// The playlist name of an entry of the playlists folder's listing: what follows
// "Playlists/", cut after the last separator when the program folder's own path holds it.
QString PlaylistNameFromPath(const QString& entry);

} // namespace FolderLayout
