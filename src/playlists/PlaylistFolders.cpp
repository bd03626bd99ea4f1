#include "playlists/PlaylistFolders.h"

#include "form/FolderLayout.h"
#include "form/Form.h"
#include "fs/DeletionGuard.h"
#include "platform/Prompter.h"
#include "widgets/DirList.h"
#include "widgets/FileList.h"
#include "widgets/ListBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

DeletionGuard guardFor(const Form& form) {
    const QString playlists = FolderLayout::playlistsFolder(form.programFolder);
    return {QDir::homePath(),
            form.programFolder,
            {FolderLayout::libraryFolder(form.programFolder), playlists},
            playlists};
}

} // namespace

namespace PlaylistFolders {

QStringList namesInDir2(const Form& form) {
    QStringList names;
    names.reserve(form.Dir2->count());
    for (int i = 0; i < form.Dir2->count(); ++i)
        names << FolderLayout::PlaylistNameFromPath(form.Dir2->entry(i));
    return names;
}

bool isSafeName(const QString& name) {
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return false;
    // Covers "." and "..", and the hidden names that the lists never show.
    if (name.startsWith(QLatin1Char('.')))
        return false;
    // The name goes on one line of the state file.
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
    }
    // A name the file-name encoding cannot hold would make a folder of another name.
    return QFile::decodeName(QFile::encodeName(name)) == name;
}

QString selectedTarget(const Form& form) {
    if (form.playlists->selectedRow() < 0)
        return {};
    const QString folder = form.playlistsons->folder();
    if (folder.isEmpty())
        return {};
    const QFileInfo info(QDir::cleanPath(folder));
    const QString playlists = QDir::cleanPath(FolderLayout::playlistsFolder(form.programFolder));
    const QString name = info.fileName();
    if (info.path() != playlists || name.isEmpty() || name == QLatin1String(".") ||
        name == QLatin1String(".."))
        return {};
    return folder;
}

void reportNoPlaylist(Form& form) {
    form.prompter->report(QStringLiteral("Please select a playlist first."),
                          QStringLiteral("No Playlist Selected"));
}

QString playlistRefusal(const Form& form, const QString& folder) {
    return guardFor(form).refusal(folder, true);
}

QString musicFolderRefusal(const Form& form, const QString& folder) {
    if (QString refusal = guardFor(form).refusal(folder, false); !refusal.isEmpty())
        return refusal;
    // Unlike a playlist's folder, nothing inside the program's folders is ever the game's: the
    // general guard lets a playlist's folder through, so each of them is checked as a whole.
    for (const QString& own : {form.programFolder, FolderLayout::libraryFolder(form.programFolder),
                               FolderLayout::playlistsFolder(form.programFolder)}) {
        if (QString refusal = DeletionGuard{QString(), own, {}, {}}.refusal(folder, false);
            !refusal.isEmpty())
            return refusal;
    }
    return {};
}

} // namespace PlaylistFolders
