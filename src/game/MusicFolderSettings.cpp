#include "game/MusicFolderSettings.h"

#include "form/FolderLayout.h"
#include "form/Form.h"
#include "form/StateFile.h"
#include "fs/DeletionGuard.h"
#include "platform/Platform.h"
#include "platform/Prompter.h"
#include "widgets/CaptionLabel.h"
#include "widgets/DirList.h"
#include "widgets/DriveList.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString changeFolderTitle = QStringLiteral("Change Folder");

// The drive of the list that holds folder: the longest root it lies in.
QString driveHolding(const DriveList& drives, const QString& folder) {
    QString best;
    for (int i = 0; i < drives.count(); ++i) {
        const QString root = drives.itemText(i);
        const QString prefix = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
        const bool holds = folder == root || folder.startsWith(prefix);
        if (holds && root.size() > best.size())
            best = root;
    }
    return best;
}

bool isDriveRoot(const Form& form, const QString& folder) {
    const QString clean = QDir::cleanPath(folder);
    const QString real = QFileInfo(folder).canonicalFilePath();
    for (const QString& root : form.platform->mountedVolumes()) {
        if (QDir::cleanPath(root) == clean ||
            (!real.isEmpty() && QFileInfo(root).canonicalFilePath() == real))
            return true;
    }
    return false;
}

// Setting a playlist deletes the music folder and makes it again, so a folder that holds
// anything else the user keeps can never be the music folder. Empty when folder may be used.
QString refusal(const Form& form, const QString& folder) {
    // No kept folders: nothing inside the program's folder qualifies, not even a playlist's.
    // Subfolders are judged when a playlist is set; what the folder holds may change until then.
    const DeletionGuard guard{QDir::homePath(), form.programFolder, {}, {}};
    QString why = guard.refusal(folder, true);
    if (why.isEmpty() && isDriveRoot(form, folder))
        why = QStringLiteral("'%1' is the root of a drive.").arg(folder);
    return why;
}

// Stores folder as the music folder: the state file first, the form and the label only once
// it is on disk, so that they never show a folder the next start would not know.
bool storeMusicFolder(Form& form, const QString& folder) {
    if (const QString why = refusal(form, folder); !why.isEmpty()) {
        form.prompter->report(
            QStringLiteral("Your Tovia 3 Music folder was not changed.\n%1\n\nSetting a playlist "
                           "empties this folder, so it must be a folder of its own.")
                .arg(why),
            changeFolderTitle, Prompter::Icon::Exclamation);
        return false;
    }
    const QString statePath = FolderLayout::stateFile(form.programFolder);
    const StateValues values{form.CurrentPlaylist, form.LastUpdated, folder};
    if (const FileResult written = StateFile::write(*form.files, statePath, values); !written) {
        form.prompter->report(QStringLiteral("Your Tovia 3 Music folder was not changed: the "
                                             "settings file '%1' could not be written.\n%2")
                                  .arg(statePath, written.error),
                              QStringLiteral("Settings Not Saved"), Prompter::Icon::Exclamation);
        return false;
    }
    form.MusicFolder = folder;
    form.lblsetting_path->setCaption(form.MusicFolder);
    return true;
}

} // namespace

void settings_Drive_Change(Form& form, const QString& drive) {
    if (form.settings_Dir->setPath(drive))
        return;
    // The folder list still shows the drive it showed; the drive list goes back to it.
    form.settings_Drive->setDrive(driveHolding(*form.settings_Drive, form.settings_Dir->path()));
    form.prompter->report(
        QStringLiteral("The drive '%1' is not ready or cannot be read.").arg(drive),
        QStringLiteral("Drive Not Ready"), Prompter::Icon::Exclamation);
}

bool ChangeMusicFolder(Form& form) {
    if (!form.prompter->ask(QStringLiteral("Would you like to change your Tovia 3 Music folder "
                                           "to:'") +
                                form.settings_Dir->path() + QStringLiteral("' ?"),
                            changeFolderTitle))
        return false;
    return storeMusicFolder(form, form.settings_Dir->path());
}

bool UseDefaultMusicFolder(Form& form) {
    const QString folder = FolderLayout::defaultMusicFolder(form.UserName);
    if (!form.prompter->ask(QStringLiteral("Would you like to change your Tovia 3 Music folder "
                                           "to: '") +
                                folder + QStringLiteral("' ?"),
                            changeFolderTitle))
        return false;
    // The default folder need not exist yet: setting a playlist makes it.
    return storeMusicFolder(form, folder);
}
