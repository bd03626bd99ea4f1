#include "playlists/SetGamePlaylist.h"

#include "form/FolderLayout.h"
#include "form/Form.h"
#include "form/StateFile.h"
#include "fs/FileOps.h"
#include "library/LibraryBrowser.h"
#include "library/Preview.h"
#include "platform/Prompter.h"
#include "playlists/FailureReport.h"
#include "playlists/FileBatch.h"
#include "playlists/PlaylistFolders.h"
#include "widgets/CaptionLabel.h"
#include "widgets/FileList.h"
#include "widgets/ListBox.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace {

// The locale's long time format without its time zone: "HH:mm:ss t" becomes "HH:mm:ss",
// "h:mm:ss AP, t" becomes "h:mm:ss AP" and "HH:mm:ss (t)" becomes "HH:mm:ss".
QString timeFormatWithoutZone(const QString& format) {
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (quoted || c != QLatin1Char('t'))
            result += c;
    }
    result.remove(QLatin1String("()"));
    result.remove(QLatin1String("[]"));
    const auto isFiller = [](QChar c) { return c.isSpace() || c == QLatin1Char(','); };
    while (!result.isEmpty() && isFiller(result.back()))
        result.chop(1);
    while (!result.isEmpty() && isFiller(result.front()))
        result.remove(0, 1);
    return result;
}

// The state file's second line: the locale's short date, one space, the time with seconds.
QString dateTimeStamp(const QDate& date, const QTime& time) {
    const QLocale locale = QLocale::system();
    return locale.toString(date, QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(time, timeFormatWithoutZone(locale.timeFormat(QLocale::LongFormat)));
}

// Deletes the music folder and makes it again, empty. False when the folder must not be
// touched at all, not even to copy into it.
bool remakeMusicFolder(Form& form, FileBatch& batch, const QString& folder,
                       FailureReport& failures) {
    // The path read back from the file is the one used; it is checked again in case the file
    // held another one.
    if (const QString refusal = PlaylistFolders::musicFolderRefusal(form, folder);
        !refusal.isEmpty()) {
        failures.add(folder, refusal);
        return false;
    }
    const QFileInfo info(folder);
    if (info.exists() || info.isSymLink())
        failures.add(batch.run({FileJob::removeTree(folder)}));
    const FileResult made = form.files->makeDir(folder);
    // When the deletion failed the folder is still there, which that failure already says.
    if (!made && !QFileInfo(folder).isDir())
        failures.add(folder, made.error);
    return true;
}

QString saveFailureText(const QList<Failure>& notSaved) {
    return QStringLiteral("Your choice could not be saved, so the program will show the "
                          "playlist that was set before: %1")
        .arg(notSaved.first().reason);
}

} // namespace

void SetGamePlaylist(Form& form) {
    StopPreview(form.WindowsMediaPlayer3);
    const QDateTime firstReading = QDateTime::currentDateTime();
    const QDateTime secondReading = QDateTime::currentDateTime();
    const QString chosen = form.List1->selectedText();
    if (!form.prompter->ask(QStringLiteral("Are you sure you want to make '") + chosen +
                                QStringLiteral("' your current playlist?"),
                            QStringLiteral("Change Playlist")))
        return;

    // Everything that follows rests on this one stored path: check it before anything changes,
    // so that a refusal leaves the game, the file and the welcome page as they were.
    if (const QString refusal = PlaylistFolders::musicFolderRefusal(form, form.MusicFolder);
        !refusal.isEmpty()) {
        form.prompter->report(QStringLiteral("The game's music folder '%1' cannot be emptied, so "
                                             "the playlist was not set and nothing was changed."
                                             "\n\n%2\n\nChoose the game's Custom Music folder on "
                                             "the settings page.")
                                  .arg(form.MusicFolder, refusal),
                              QStringLiteral("Playlist Not Set"), Prompter::Icon::Exclamation);
        return;
    }

    const QString stateFile = FolderLayout::stateFile(form.programFolder);
    const StateValues values{chosen, dateTimeStamp(firstReading.date(), secondReading.time()),
                             form.MusicFolder};
    // Even the save, which waits for the disk, runs off the window's thread.
    FileBatch batch(*form.files, form.window, QStringLiteral("Setting Playlist"));
    const QList<Failure> notSaved =
        batch.run({FileJob::save(stateFile, [stateFile, values](FileOps& files) {
            return StateFile::write(files, stateFile, values);
        })});
    StateFile::readInto(form);

    form.List1->clear();
    form.sidelables[20]->setCaption(form.CurrentPlaylist);
    form.sidelables[22]->setCaption(form.LastUpdated);

    // Skip-on-error from here on: each step runs whatever failed before it.
    FailureReport failures;
    const QString musicFolder = QDir::cleanPath(form.MusicFolder);
    const bool usable = remakeMusicFolder(form, batch, musicFolder, failures);

    form.playlistsons->setFolder(FolderLayout::playlistFolder(form.programFolder, chosen));
    form.prompter->report(QStringLiteral("Playlist '") + chosen + QStringLiteral("' and all '") +
                              QString::number(qint16(form.playlistsons->count())) +
                              QStringLiteral("' song(s) have been added to your Tovia 3 Game!"),
                          QStringLiteral("Playlist Set"));

    // Nothing is copied into a folder the guard refused.
    QList<FileJob> jobs;
    if (usable) {
        for (const QString& song : form.playlistsons->items())
            jobs << FileJob::copy(song, form.playlistsons->pathOf(song),
                                  FolderLayout::join(musicFolder, song));
    }
    failures.add(batch.run(jobs));

    form.List1->setItems(PlaylistFolders::namesInDir2(form));
    for (int i = 0; i < form.List1->count(); ++i) {
        if (form.List1->item(i) == form.CurrentPlaylist) {
            form.List1->selectRow(i);
            List1_Click(form);
        }
    }

    if (!failures.isEmpty()) {
        const int held = int(FileList::listFolder(musicFolder, QString()).size());
        QString closing = QStringLiteral("The game's music folder now holds %1 song(s).").arg(held);
        if (!notSaved.isEmpty())
            closing += QStringLiteral("\n\n") + saveFailureText(notSaved);
        failures.show(*form.prompter, QStringLiteral("Playlist Not Fully Set"),
                      QStringLiteral("Not everything could be done while setting the playlist "
                                     "'%1':")
                          .arg(chosen),
                      closing);
    } else if (!notSaved.isEmpty()) {
        form.prompter->report(saveFailureText(notSaved), QStringLiteral("Choice Not Saved"),
                              Prompter::Icon::Exclamation);
    }
}
