// The promises checked after every action of a monkey run.
#include "Monkey.h"

#include "TestApp.h"
#include "WatchedFileOps.h"

#include "form/Contact.h"
#include "form/FolderLayout.h"
#include "widgets/CaptionLabel.h"
#include "widgets/DirList.h"
#include "widgets/FileList.h"
#include "widgets/PageFrame.h"

#include <QDir>
#include <QUrl>

// What one action may change on the disk: entries at or below folder, in the listed ways, at
// most limit of them (-1 for any number).
struct Monkey::Change {
    QString folder;
    bool appear = false;
    bool alter = false;
    bool vanish = false;
    int limit = -1;
};

namespace {

const QString songPattern = QStringLiteral("*.mp3*");
const QString gameExecutable =
    QStringLiteral("C:\\Program Files\\Quillon Interactive\\The Tovia 3\\Game\\Bin\\TV3.exe");

bool isAtOrBelow(const QString& path, const QString& folder) {
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

QString same(const QString& list, const QStringList& shown, const QStringList& held) {
    if (sortedNames(shown) == held)
        return {};
    return QStringLiteral("%1 shows [%2] but its folder holds [%3]")
        .arg(list, sortedNames(shown).join(QStringLiteral(", ")), held.join(QStringLiteral(", ")));
}

QString firstOf(const QStringList& errors) {
    for (const QString& error : errors) {
        if (!error.isEmpty())
            return error;
    }
    return {};
}

// The text between the first occurrence of before and the last of after.
QString between(const QString& text, const QString& before, const QString& after) {
    const qsizetype from = text.indexOf(before) + before.size();
    return text.mid(from, text.lastIndexOf(after) - from);
}

} // namespace

QString Monkey::check() {
    const QString error = firstOf(
        {checkState(), checkLists(), checkFiles(allowedChanges()), checkBoxesAndPlatform()});
    m_boxes += int(m_app->prompter.boxes.size());
    m_app->prompter.clear();
    return error;
}

QString Monkey::checkState() const {
    const Form& f = m_app->form();
    const QByteArray bytes = m_app->folder.stateBytes();
    if (bytes.count("\r\n") != 3 || bytes.count('\r') != 3 || bytes.count('\n') != 3 ||
        !bytes.endsWith("\r\n"))
        return QStringLiteral("data.txt does not hold three lines: ") +
               QString::fromUtf8(bytes.toPercentEncoding(" /:"));
    const QStringList values{f.CurrentPlaylist, f.LastUpdated, f.MusicFolder};
    if (m_app->folder.stateLines() != values)
        return QStringLiteral("data.txt holds [%1] but the program has [%2]")
            .arg(m_app->folder.stateLines().join(QStringLiteral(" | ")),
                 values.join(QStringLiteral(" | ")));
    if (f.lblsetting_path->caption() != f.MusicFolder)
        return QStringLiteral("the settings page shows the music folder '%1', not '%2'")
            .arg(f.lblsetting_path->caption(), f.MusicFolder);
    if (f.sidelables[20]->caption() != f.CurrentPlaylist ||
        f.sidelables[22]->caption() != f.LastUpdated)
        return QStringLiteral("the welcome page shows '%1' set '%2', not the state values")
            .arg(f.sidelables[20]->caption(), f.sidelables[22]->caption());

    const PageFrame* pages[] = {f.welcome, f.playlistframe, f.libraryframe, f.settings_frame};
    int shown = 0;
    for (int page = 0; page < 4; ++page) {
        if (pages[page]->isVisibleTo(f.window)) {
            ++shown;
            if (page + 1 != f.CurrentPage)
                return QStringLiteral("page %1 shows while CurrentPage is %2")
                    .arg(page + 1)
                    .arg(f.CurrentPage);
        }
    }
    if (shown != 1)
        return QStringLiteral("%1 pages show at once").arg(shown);
    return {};
}

QString Monkey::checkLists() const {
    const Form& f = m_app->form();
    const QString program = m_app->folder.path();
    const QString library = FolderLayout::libraryFolder(program);
    const QString playlists = FolderLayout::playlistsFolder(program);
    QStringList errors{
        same(QStringLiteral("File4"), f.File4->items(), filesOf(library, songPattern)),
        same(QStringLiteral("librarysongs"), f.librarysongs->items(), filesOf(library)),
        same(QStringLiteral("playlists"), f.playlists->items(), subfoldersOf(playlists)),
        same(QStringLiteral("playlistsons"), f.playlistsons->items(),
             f.playlistsons->folder().isEmpty() ? QStringList()
                                                : filesOf(f.playlistsons->folder())),
    };

    // The welcome page reads the disk only when it is shown, a playlist is set or chosen.
    const QStringList titles = m_app->prompter.titles();
    const bool playlistSet =
        m_ran.contains(Action::SetGamePlaylist) && titles.contains(QStringLiteral("Playlist Set"));
    if (m_ran.contains(Action::ShowWelcomePage) || playlistSet) {
        errors << same(QStringLiteral("List1"), f.List1->items(), subfoldersOf(playlists));
        if (f.List1->items().contains(f.CurrentPlaylist) &&
            f.List1->selectedText() != f.CurrentPlaylist)
            errors << QStringLiteral("List1 selects '%1', not the current playlist '%2'")
                          .arg(f.List1->selectedText(), f.CurrentPlaylist);
    }
    if (m_ran.contains(Action::ShowWelcomePage) || playlistSet || m_listedPlaylist)
        errors << same(QStringLiteral("File1"), f.File1->items(),
                       filesOf(f.File1->folder(), songPattern));
    if (m_browsed) {
        if (f.File5->folder() != f.Dir3->path())
            errors << QStringLiteral("File5 lists '%1' while Dir3 shows '%2'")
                          .arg(f.File5->folder(), f.Dir3->path());
        errors << same(QStringLiteral("File5"), f.File5->items(),
                       filesOf(f.Dir3->path(), songPattern));
    }
    // A playlist set without any failure gives the game exactly the playlist's songs.
    const bool failed = titles.contains(QStringLiteral("Playlist Not Fully Set")) ||
                        titles.contains(QStringLiteral("Playlist Not Set")) ||
                        titles.contains(QStringLiteral("Choice Not Saved"));
    if (playlistSet && !failed)
        errors << same(QStringLiteral("The game's music folder"), filesOf(f.MusicFolder),
                       filesOf(FolderLayout::playlistFolder(program, f.CurrentPlaylist)));
    return firstOf(errors);
}

QList<Monkey::Change> Monkey::allowedChanges() const {
    const QString program = m_app->folder.path();
    const QString library = QDir::cleanPath(FolderLayout::libraryFolder(program));
    const QString songs = QDir::cleanPath(m_songsFolderBefore);
    QList<Change> allowed{{FolderLayout::stateFile(program), false, true, false, 1}};
    for (const Action action : m_ran) {
        if (action == Action::AddSongToLibrary)
            allowed.append({library, true, true, false, 1});
        else if (action == Action::CreatePlaylist)
            allowed.append(
                {QDir::cleanPath(FolderLayout::playlistsFolder(program)), true, false, false, 1});
        else if (action == Action::AddSongsToPlaylist || action == Action::AddAllToPlaylist)
            allowed.append({songs, true, true, false});
    }
    // What goes is what the user said Yes to, as each question named it.
    for (const ScriptedPrompter::Box& box : m_app->prompter.boxes) {
        if (!box.question || !box.answer)
            continue;
        const QString text = box.text;
        if (box.title == QLatin1String("Delete?"))
            allowed.append({FolderLayout::playlistFolder(
                                program, between(text, QStringLiteral("delete ' "), "'?")),
                            false, false, true});
        else if (box.title == QLatin1String("Cofirm Delete"))
            allowed.append({FolderLayout::join(songs, between(text, QStringLiteral("delete ' "),
                                                              QStringLiteral("'?"))),
                            false, false, true, 1});
        else if (text == QLatin1String("Are you want to delete all songs from playlist?"))
            allowed.append({songs, false, false, true});
        else if (box.title == QLatin1String("Confirm Delete"))
            allowed.append({FolderLayout::join(library, between(text, QStringLiteral("delete '"),
                                                                QStringLiteral("' ?"))),
                            false, false, true, 1});
        else if (box.title == QLatin1String("Change Playlist"))
            allowed.append({QDir::cleanPath(m_musicBefore), true, true, true});
    }
    return allowed;
}

QString Monkey::checkFiles(const QList<Change>& allowed) {
    const Sandbox::Snapshot now = m_sandbox.snapshot();
    if (const QStringList left = Sandbox::leftoverTempFiles(now); !left.isEmpty())
        return QStringLiteral("temporary files were left: ") + left.join(QStringLiteral(", "));
    const QString program = m_app->folder.path();
    if (const QStringList broken = m_sandbox.incompleteFiles(now, {m_app->folder.stateFile()});
        !broken.isEmpty())
        return QStringLiteral("files hold no complete song: ") + broken.join(QStringLiteral(", "));
    const QStringList top = sortedNames(
        QDir(program).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    if (top != QStringList{QStringLiteral("Library"), QStringLiteral("Playlists"),
                           QStringLiteral("data.txt")})
        return QStringLiteral("the program folder holds [%1]").arg(top.join(QStringLiteral(", ")));
    if (const QStringList loose = filesOf(FolderLayout::playlistsFolder(program)); !loose.isEmpty())
        return QStringLiteral("files lie loose in the playlists folder: ") +
               loose.join(QStringLiteral(", "));
    if (const QStringList wrong = m_files->violations(); !wrong.isEmpty())
        return QStringLiteral("file operations outside the folders they may change: ") +
               wrong.join(QStringLiteral(", "));

    QList<int> used(allowed.size(), 0);
    for (const Sandbox::Difference& difference : Sandbox::compare(m_snapshot, now)) {
        const QString path = m_sandbox.path(difference.path);
        bool explained = false;
        for (int i = 0; i < allowed.size() && !explained; ++i) {
            const Change& change = allowed.at(i);
            const bool how =
                (difference.what == Sandbox::Difference::What::Appeared && change.appear) ||
                (difference.what == Sandbox::Difference::What::Changed && change.alter) ||
                (difference.what == Sandbox::Difference::What::Vanished && change.vanish);
            if (how && !change.folder.isEmpty() && isAtOrBelow(path, change.folder) &&
                (change.limit < 0 || used[i] < change.limit)) {
                ++used[i];
                explained = true;
            }
        }
        static const char* const words[] = {"appeared", "changed", "vanished"};
        if (!explained)
            return QStringLiteral("'%1' %2 though the action did not ask for it")
                .arg(path, QLatin1String(words[int(difference.what)]));
    }
    m_snapshot = now;
    return {};
}

QString Monkey::checkBoxesAndPlatform() const {
    for (const ScriptedPrompter::Box& box : m_app->prompter.boxes) {
        if (box.text.trimmed().isEmpty() || box.title.trimmed().isEmpty())
            return QStringLiteral("a box without text or title: '%1' / '%2'")
                .arg(box.title, box.text);
    }
    // The only link ever opened is the contact mail, built from the program's own address.
    const QUrl mail(QStringLiteral("mailto:") + QLatin1String(Contact::address) +
                        QStringLiteral("?subject=Comments or Questions for The Tovi 3 Music "
                                       "Manager"),
                    QUrl::TolerantMode);
    for (const QUrl& url : m_app->platform.openedUrls) {
        if (url != mail)
            return QStringLiteral("opened the link ") + url.toString();
    }
    // The only program ever started is the game, with an argument list and no shell.
    for (const FakePlatform::Start& start : m_app->platform.starts) {
        if (start.program != QLatin1String("wine") ||
            start.arguments != QStringList{gameExecutable})
            return QStringLiteral("started %1 %2")
                .arg(start.program, start.arguments.join(QLatin1Char(' ')));
    }
    return {};
}
