#include "drop/DroppedSongs.h"

#include "form/FolderLayout.h"
#include "form/Form.h"
#include "library/Preview.h"
#include "library/SongFileRelease.h"
#include "platform/Prompter.h"
#include "playlists/FailureReport.h"
#include "playlists/FileBatch.h"
#include "widgets/FileList.h"

#include <QDir>
#include <QFileInfo>

namespace {

// At most this many lines in the report, so that a drop of a whole folder tree stays readable.
constexpr qsizetype reportedLines = 15;

// Why a dropped item cannot become a library song, or "" when it can.
QString refusal(const QFileInfo& file, const QString& pattern) {
    if (file.isDir())
        return QStringLiteral("it is a folder");
    if (!FileList::matchesPattern(file.fileName(), pattern))
        return QStringLiteral("it is not an MP3 file");
    if (!file.exists())
        return QStringLiteral("it no longer exists");
    if (!file.isFile())
        return QStringLiteral("it is not a regular file");
    return {};
}

bool sameFile(const QString& a, const QString& b) {
    const QString canonical = QFileInfo(a).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(b).canonicalFilePath();
}

void report(Form& f, const FailureReport& failures, bool refused) {
    FailureReport shown;
    QList<Failure> lines = failures.failures();
    const qsizetype more = lines.size() - reportedLines;
    if (more > 0)
        lines.resize(reportedLines);
    shown.add(lines);
    QStringList closing;
    if (more > 0)
        closing << QStringLiteral("… and %1 more.").arg(more);
    if (refused)
        closing << QStringLiteral("Only MP3 files on this computer can be added to the library.");
    shown.show(*f.prompter, QStringLiteral("Not Added to Library"),
               QStringLiteral("These dropped files were not added to the library:"),
               closing.join(QStringLiteral("\n\n")));
}

} // namespace

void AddDroppedSongs(Form& f, const QList<QUrl>& urls) {
    const QString library = FolderLayout::libraryFolder(f.programFolder);
    // A song counts as an MP3 when the library's own listing would show it.
    const QString pattern = f.File4->pattern();
    FailureReport failures;
    QList<FileJob> jobs;
    for (const QUrl& url : urls) {
        // A file address naming another host is a share, not a path on this computer.
        const bool here = url.host().isEmpty() || url.host() == QLatin1String("localhost");
        if (!url.isLocalFile() || !here) {
            failures.add(url.toDisplayString(), QStringLiteral("it is not on this computer"));
            continue;
        }
        const QFileInfo source(QDir::cleanPath(url.toLocalFile()));
        const QString name = source.fileName().isEmpty() ? source.filePath() : source.fileName();
        if (const QString why = refusal(source, pattern); !why.isEmpty()) {
            failures.add(name, why);
            continue;
        }
        const QString destination = FolderLayout::join(library, name);
        if (sameFile(source.filePath(), destination))
            continue; // already the library's own copy
        ReleaseSongFile(f, destination);
        jobs << FileJob::copy(name, source.filePath(), destination);
    }
    const bool refused = !failures.isEmpty();
    if (!jobs.isEmpty()) {
        FileBatch batch(*f.files, f.window, QStringLiteral("Adding Songs to Library"));
        failures.add(batch.run(jobs));
        RefreshLibraryLists(f);
    }
    if (!failures.isEmpty())
        report(f, failures, refused);
}
