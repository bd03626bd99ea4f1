#include "library/LibraryMaintenance.h"

#include "form/FolderLayout.h"
#include "form/Form.h"
#include "fs/FileOps.h"
#include "library/Preview.h"
#include "library/SongFileRelease.h"
#include "platform/Prompter.h"
#include "widgets/FileList.h"
#include "widgets/PreviewPlayer.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString noSongTitle = QStringLiteral("No Song Selected");

} // namespace

void AddSongToLibrary(Form& f) {
    const QString name = f.File5->selectedName();
    if (name.isEmpty()) {
        f.prompter->report(QStringLiteral("Please select a song in the list of files first."),
                           noSongTitle);
        return;
    }
    const QString source = f.File5->pathOf(name);
    const QString destination =
        FolderLayout::join(FolderLayout::libraryFolder(f.programFolder), name);
    ReleaseSongFile(f, destination);
    if (const FileResult copied = f.files->copyReplace(source, destination); !copied) {
        f.prompter->report(QStringLiteral("The song '%1' could not be added to the library.\n\n%2")
                               .arg(name, copied.error),
                           QStringLiteral("Song Not Added"), Prompter::Icon::Exclamation);
        // The source may be what went missing: show the browsed folder as it now is.
        f.File5->refresh();
    }
    RefreshLibraryLists(f);
}

void RemoveLibrarySong(Form& f) {
    StopPreview(f.WindowsMediaPlayer2);
    const QString name = f.File4->selectedName();
    if (name.isEmpty()) {
        f.prompter->report(QStringLiteral("Please select a song in the library list first."),
                           noSongTitle);
        return;
    }
    if (!f.prompter->ask(QStringLiteral("Are you want to delete '") + name + QStringLiteral("' ?"),
                         QStringLiteral("Confirm Delete")))
        return;
    const QString path = f.File4->pathOf(name);
    ReleaseSongFile(f, path);
    const FileResult removed = f.files->removeFile(path);
    // A song that another program removed meanwhile is gone, as the user asked.
    const QFileInfo left(path);
    if (removed || !(left.exists() || left.isSymLink()))
        f.prompter->report(QStringLiteral("File Deleted"), QStringLiteral("Delete Complete"),
                           Prompter::Icon::Information);
    else
        f.prompter->report(
            QStringLiteral("The song '%1' could not be deleted.\n\n%2").arg(name, removed.error),
            QStringLiteral("Delete Failed"), Prompter::Icon::Exclamation);
    RefreshLibraryLists(f);
}
