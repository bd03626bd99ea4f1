#include "playlists/PlaylistContents.h"

#include "form/FolderLayout.h"
#include "form/Form.h"
#include "fs/FileOps.h"
#include "library/Preview.h"
#include "platform/Prompter.h"
#include "playlists/FailureReport.h"
#include "playlists/FileBatch.h"
#include "playlists/PlaylistFolders.h"
#include "widgets/FileList.h"
#include "widgets/ListBox.h"

#include <QFileInfo>

namespace {

QString count16(int count) {
    return QString::number(qint16(count));
}

// The playlist's name as the messages give it: the name of the folder being changed.
QString playlistName(const QString& folder) {
    return QFileInfo(folder).fileName();
}

// A file that is already gone is what a deletion asked for.
bool stillThere(const QString& path) {
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

} // namespace

void AddSongsToPlaylist(Form& form) {
    const QString folder = PlaylistFolders::selectedTarget(form);
    if (folder.isEmpty()) {
        PlaylistFolders::reportNoPlaylist(form);
        return;
    }
    StopPreview(form.WindowsMediaPlayer1);
    const QString name = playlistName(folder);
    form.prompter->report(QStringLiteral("All '") + count16(form.librarysongs->selectedCount()) +
                              QStringLiteral("' song(s) have been added to the '") + name +
                              QStringLiteral("' playlist"),
                          QStringLiteral("Songs Added!"));

    const QString library = FolderLayout::libraryFolder(form.programFolder);
    QList<FileJob> jobs;
    QList<int> rows;
    for (int row = 0; row < form.librarysongs->count(); ++row) {
        if (!form.librarysongs->isSelected(row))
            continue;
        const QString song = form.librarysongs->item(row);
        jobs << FileJob::copy(song, FolderLayout::join(library, song),
                              FolderLayout::join(folder, song));
        rows << row;
    }
    FileBatch batch(*form.files, form.window, QStringLiteral("Adding Songs"));
    // Each song loses its selection as soon as its copy is done.
    batch.setDoneHandler([&](qsizetype index, const FileResult&) {
        form.librarysongs->setSelected(rows.at(index), false);
    });
    FailureReport failures;
    failures.add(batch.run(jobs));
    form.playlistsons->refresh();
    failures.show(*form.prompter, QStringLiteral("Songs Not Added"),
                  QStringLiteral("These songs could not be added to the '%1' playlist:").arg(name));
}

void AddAllToPlaylist(Form& form) {
    if (PlaylistFolders::selectedTarget(form).isEmpty()) {
        PlaylistFolders::reportNoPlaylist(form);
        return;
    }
    if (!form.prompter->ask(QStringLiteral("Are you sure you want to add all '") +
                                count16(form.librarysongs->count()) +
                                QStringLiteral("' songs to your current playlist?"),
                            QStringLiteral("Add All Songs?")))
        return;
    StopPreview(form.WindowsMediaPlayer1);
    form.librarysongs->selectAll();
    AddSongsToPlaylist(form);
}

void RemovePlaylistSong(Form& form) {
    const QString folder = PlaylistFolders::selectedTarget(form);
    if (folder.isEmpty()) {
        PlaylistFolders::reportNoPlaylist(form);
        return;
    }
    StopPreview(form.WindowsMediaPlayer1);
    const QString name = form.playlistsons->selectedName();
    if (name.isEmpty()) {
        // Nothing to delete: saying "Song Removed" would report a success that never was.
        form.prompter->report(QStringLiteral("Please select a song in the playlist first."),
                              QStringLiteral("No Song Selected"));
        return;
    }
    if (!form.prompter->ask(QStringLiteral("Are you want to delete ' ") + name +
                                QStringLiteral("'?"),
                            QStringLiteral("Cofirm Delete")))
        return;
    form.prompter->report(QStringLiteral("Song Removed"), QStringLiteral("Removed Complete"));
    StopPreview(form.WindowsMediaPlayer1);

    const QString path = FolderLayout::join(folder, name);
    FailureReport failures;
    if (const FileResult removed = form.files->removeFile(path); !removed && stillThere(path))
        failures.add(name, removed.error);
    form.playlistsons->refresh();
    if (form.playlistsons->count() > 0)
        form.playlistsons->selectRow(0);
    failures.show(*form.prompter, QStringLiteral("Song Not Removed"),
                  QStringLiteral("The song could not be removed from the '%1' playlist:")
                      .arg(playlistName(folder)));
}

void ClearPlaylist(Form& form) {
    const QString folder = PlaylistFolders::selectedTarget(form);
    if (folder.isEmpty()) {
        PlaylistFolders::reportNoPlaylist(form);
        return;
    }
    StopPreview(form.WindowsMediaPlayer1);
    if (!form.prompter->ask(QStringLiteral("Are you want to delete all songs from playlist?"),
                            QStringLiteral("Confirm Delete")))
        return;
    form.prompter->report(QStringLiteral("All Songs Removed"), QStringLiteral("Removed Complete"));
    StopPreview(form.WindowsMediaPlayer1);

    // Only what the list showed when the work began is deleted.
    QList<FileJob> jobs;
    for (const QString& song : form.playlistsons->items())
        jobs << FileJob::remove(song, FolderLayout::join(folder, song));
    FileBatch batch(*form.files, form.window, QStringLiteral("Removing Songs"));
    FailureReport failures;
    for (const Failure& failure : batch.run(jobs)) {
        if (stillThere(FolderLayout::join(folder, failure.name)))
            failures.add(failure.name, failure.reason);
    }
    form.playlistsons->refresh();
    failures.show(*form.prompter, QStringLiteral("Songs Not Removed"),
                  QStringLiteral("These songs could not be removed from the '%1' playlist:")
                      .arg(playlistName(folder)));
}
