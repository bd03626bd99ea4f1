#include "form/FolderLayout.h"

namespace FolderLayout {

QString join(const QString& folder, const QString& name) {
    if (folder.isEmpty())
        return name;
    if (folder.endsWith(QLatin1Char('/')))
        return name.startsWith(QLatin1Char('/')) ? folder + name.mid(1) : folder + name;
    return name.startsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

QString stateFile(const QString& programFolder) {
    return join(programFolder, QStringLiteral("data.txt"));
}

QString libraryFolder(const QString& programFolder) {
    return join(programFolder, QStringLiteral("Library/"));
}

QString playlistsFolder(const QString& programFolder) {
    return join(programFolder, QStringLiteral("Playlists/"));
}

QString playlistFolder(const QString& programFolder, const QString& name) {
    return join(playlistsFolder(programFolder), name);
}

QString defaultMusicFolder(const QString& userName) {
    // A name that is no single path component would lead out of /home.
    const bool usable = !userName.isEmpty() && !userName.contains(QLatin1Char('/')) &&
                        userName != QLatin1String(".") && userName != QLatin1String("..");
    return QStringLiteral("/home/") + (usable ? userName : QStringLiteral("user")) +
           QStringLiteral("/Documents/Quillon Interactive/The Tovia 3/Custom Music");
}

QString PlaylistNameFromPath(const QString& entry) {
    // An entry is always <playlists folder>/<name>, so the name is the last component; taking
    // what follows the first "Playlists/" goes wrong when the program's own path holds it.
    QString path = entry;
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

} // namespace FolderLayout
