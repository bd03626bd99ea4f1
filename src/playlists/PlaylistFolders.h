#pragma once

#include <QString>
#include <QStringList>

struct Form;

// The playlists as folders: their names, which one the page's operations may change, and which
// folders may be deleted as trees.
namespace PlaylistFolders {

// The playlist names of Dir2's entries, in Dir2's order, as it was last read.
QStringList namesInDir2(const Form& form);

// Whether a typed name can only ever make a folder directly inside the playlists folder, and
// one that the lists will show.
bool isSafeName(const QString& name);

// The folder that playlistsons shows, when a playlist is selected and that folder is a
// playlist's own folder; otherwise "". The page's operations change nothing without one.
QString selectedTarget(const Form& form);
// Tells the user that a playlist must be selected first.
void reportNoPlaylist(Form& form);

// Why the folder must not be deleted, or "" when it may.
QString playlistRefusal(const Form& form, const QString& folder);
QString musicFolderRefusal(const Form& form, const QString& folder);

} // namespace PlaylistFolders
