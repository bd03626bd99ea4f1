#include "library/LibraryBrowser.h"

#include "form/FolderLayout.h"
#include "form/Form.h"
#include "library/Preview.h"
#include "platform/Prompter.h"
#include "widgets/DirList.h"
#include "widgets/DriveList.h"
#include "widgets/FileList.h"

#include <QFileInfo>
#include <QSignalBlocker>

namespace {

// Whether root is path itself or one of its ancestors, component by component ("/mnt/a" holds
// "/mnt/a/b" but not "/mnt/ab").
bool holds(const QString& root, const QString& path) {
    if (root.isEmpty() || !path.startsWith(root))
        return false;
    return root.endsWith(QLatin1Char('/')) || path.size() == root.size() ||
           path.at(root.size()) == QLatin1Char('/');
}

// The entry of the drive list that holds path: the longest root that is an ancestor of it.
QString driveOf(const DriveList& drives, const QString& path) {
    QString best;
    for (int i = 0; i < drives.count(); ++i) {
        const QString root = drives.itemText(i);
        if (root.size() > best.size() && holds(root, path))
            best = root;
    }
    return best;
}

QString unreadableReason(const QString& drive) {
    const QFileInfo info(drive);
    if (!info.exists())
        return QStringLiteral("it does not exist");
    if (!info.isDir())
        return QStringLiteral("it is not a folder");
    return QStringLiteral("it cannot be read");
}

// Previews the selected entry of a file list; a list without a selection has nothing to play.
void previewSelected(PreviewPlayer* player, const FileList* list) {
    const QString name = list->selectedName();
    if (!name.isEmpty())
        PlayPreview(player, list->pathOf(name));
}

} // namespace

void Drive1_Change(Form& f, const QString& drive) {
    bool moved = false;
    {
        // Dir3_Change runs explicitly below; the list's own notice would read File5 twice.
        const QSignalBlocker quiet(f.Dir3);
        moved = f.Dir3->setPath(drive);
    }
    if (moved) {
        Dir3_Change(f);
        return;
    }
    // The browser stays where it was; the drive list goes back to the drive it shows.
    f.Drive1->setDrive(driveOf(*f.Drive1, f.Dir3->path()));
    f.prompter->report(QStringLiteral("The drive '%1' is not available: %2.\n\nThe browser stays "
                                      "on '%3'.")
                           .arg(drive, unreadableReason(drive), f.Dir3->path()),
                       QStringLiteral("Drive Not Available"), Prompter::Icon::Exclamation);
}

void Dir3_Change(Form& f) {
    f.File5->setFolder(f.Dir3->path());
}

void File5_DblClick(Form& f) {
    previewSelected(f.WindowsMediaPlayer2, f.File5);
}

void File4_Click(Form& f) {
    previewSelected(f.WindowsMediaPlayer2, f.File4);
}

void librarysongs_DblClick(Form& f, int row) {
    // The double-clicked entry, whatever else is selected: each click of a double-click toggles
    // the selection of a multi-selection list.
    const QString name = f.librarysongs->item(row);
    if (!name.isEmpty())
        PlayPreview(f.WindowsMediaPlayer1,
                    FolderLayout::join(FolderLayout::libraryFolder(f.programFolder), name));
}

void playlistsons_DblClick(Form& f) {
    previewSelected(f.WindowsMediaPlayer1, f.playlistsons);
}

void File1_DblClick(Form& f) {
    previewSelected(f.WindowsMediaPlayer3, f.File1);
}

void List1_Click(Form& f) {
    f.File1->setFolder(FolderLayout::playlistFolder(f.programFolder, f.List1->selectedText()));
    StopPreview(f.WindowsMediaPlayer3);
}
