#include "app/Startup.h"

#include "form/FolderLayout.h"
#include "form/Form.h"
#include "form/StateFile.h"
#include "library/LibraryBrowser.h"
#include "library/Preview.h"
#include "platform/Platform.h"
#include "platform/Prompter.h"
#include "playlists/PlaylistManagement.h"
#include "ui/Navigation.h"
#include "ui/Tutorial.h"
#include "widgets/CaptionLabel.h"
#include "widgets/DirList.h"
#include "widgets/DriveList.h"
#include "widgets/FileList.h"
#include "widgets/PageFrame.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalBlocker>

namespace {

const QString rootFolder = QStringLiteral("/");

void setColours(Form& f) {
    f.title->setBackgroundColor(QColor(102, 78, 102));
    for (CaptionLabel* version : f.version) {
        version->setTextColor(QColor(32, 61, 128));
        version->setBackgroundColor(QColor(142, 200, 250));
    }
    for (int index : {0, 1, 2, 37})
        f.sidelables[index]->setTextColor(QColor(59, 34, 102));
    for (PageFrame* page : {f.welcome, f.playlistframe, f.libraryframe, f.settings_frame}) {
        page->setBackgroundColor(QColor(154, 206, 254));
        QPalette palette = page->palette();
        palette.setColor(QPalette::WindowText, QColor(59, 34, 102));
        page->setPalette(palette);
    }
}

// Makes whatever of data.txt, Library/ and Playlists/ is missing, so that a new program folder
// works at once. Returns false when data.txt exists but cannot be read: it is then left alone.
bool prepareProgramFolder(Form& f) {
    Prompter& prompter = *f.prompter;
    for (const QString& folder : {FolderLayout::libraryFolder(f.programFolder),
                                  FolderLayout::playlistsFolder(f.programFolder)}) {
        if (QFileInfo(folder).isDir())
            continue;
        if (const FileResult made = f.files->makeDir(QDir::cleanPath(folder)); !made)
            prompter.report(QStringLiteral("The folder '%1' could not be made:\n%2")
                                .arg(QDir::toNativeSeparators(folder), made.error),
                            QStringLiteral("Folder Missing"), Prompter::Icon::Exclamation);
    }

    const QString statePath = FolderLayout::stateFile(f.programFolder);
    const StateRead state = StateFile::read(statePath);
    if (state.status == StateRead::Status::Missing) {
        const StateValues fresh{QString(), QStringLiteral("Never"),
                                FolderLayout::defaultMusicFolder(f.UserName)};
        if (const FileResult written = StateFile::write(*f.files, statePath, fresh); !written)
            prompter.report(QStringLiteral("The settings file '%1' could not be made:\n%2")
                                .arg(statePath, written.error),
                            QStringLiteral("Settings Not Saved"), Prompter::Icon::Exclamation);
    } else if (state.status == StateRead::Status::Unreadable) {
        prompter.report(QStringLiteral("The settings file '%1' cannot be read:\n%2\n\nThe program "
                                       "starts with new settings and leaves that file as it is.")
                            .arg(statePath, state.error),
                        QStringLiteral("Settings Unreadable"), Prompter::Icon::Exclamation);
        f.CurrentPlaylist.clear();
        f.LastUpdated = QStringLiteral("Never");
        f.MusicFolder = FolderLayout::defaultMusicFolder(f.UserName);
        return false;
    }
    return true;
}

} // namespace

void LookupUserIdentity(Form& f) {
    f.UserName = f.platform->loginName();
    if (f.UserName.isEmpty())
        f.UserName = qEnvironmentVariable("USER");
    // The default music folder is built from the name; never let it read "/home//...".
    if (f.UserName.isEmpty() || f.UserName.contains(QLatin1Char('/')))
        f.UserName = QStringLiteral("user");
}

void Form_Load(Form& f) {
    LookupUserIdentity(f);
    const bool stateReadable = prepareProgramFolder(f);
    setColours(f);

    const QStringList drives = f.platform->mountedVolumes();
    f.Drive1->setDrives(drives);
    f.settings_Drive->setDrives(drives);
    {
        // The change handler runs here, once, as part of the sequence.
        const QSignalBlocker quiet(f.Dir3);
        f.Dir3->setPath(rootFolder);
    }
    Dir3_Change(f);

    const QString playlistsFolder = FolderLayout::playlistsFolder(f.programFolder);
    f.Dir2->setPath(playlistsFolder);
    const QString libraryFolder = FolderLayout::libraryFolder(f.programFolder);
    f.File3->setFolder(libraryFolder);
    f.File4->setFolder(libraryFolder);

    QStringList names;
    for (int i = 0; i < f.Dir2->count(); ++i)
        names << FolderLayout::PlaylistNameFromPath(f.Dir2->entry(i));
    f.playlists->setItems(names);
    // With no playlist at all there is nothing to select.
    if (f.playlists->count() > 0) {
        f.playlists->selectRow(0);
        playlists_Click(f);
    }
    FillLibrarySongs(f);

    ShowWelcomePage(f);
    f.File1->setFolder(playlistsFolder + f.List1->selectedText());

    if (f.LastUpdated == QLatin1String("Never")) {
        const QString onDisk = f.MusicFolder;
        f.MusicFolder = FolderLayout::defaultMusicFolder(f.UserName);
        if (stateReadable) {
            if (const FileResult written = StateFile::writeFrom(*f.files, f); !written) {
                f.prompter->report(
                    QStringLiteral("The music folder could not be saved:\n%1").arg(written.error),
                    QStringLiteral("Settings Not Saved"), Prompter::Icon::Exclamation);
                // What the program shows and uses stays what data.txt says; with no data.txt
                // at all the default is the only folder there is.
                if (QFileInfo::exists(FolderLayout::stateFile(f.programFolder)))
                    f.MusicFolder = onDisk;
            }
        }
        if (f.prompter->ask(QStringLiteral("Would you like to run a quick first time user "
                                           "tutorial?"),
                            QStringLiteral("New User")))
            StartTutorial(f);
    }

    f.settings_Dir->setPath(rootFolder);
    f.lblsetting_path->setCaption(f.MusicFolder);
}
