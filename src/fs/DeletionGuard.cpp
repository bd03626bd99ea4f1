#include "fs/DeletionGuard.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

QString cleaned(const QString& path) {
    QString clean = QDir::cleanPath(path);
    while (clean.size() > 1 && clean.endsWith(QLatin1Char('/')))
        clean.chop(1);
    // Above the root is the root, as the kernel walks it; cleanPath can leave "/.." in front.
    while (clean == QLatin1String("/..") || clean.startsWith(QLatin1String("/../")))
        clean.remove(0, 3);
    return clean.isEmpty() ? QStringLiteral("/") : clean;
}

// Where the path really leads, as the kernel walks it: every symbolic link resolved before a
// following "..". For a path that does not exist (yet), its deepest existing folder is
// resolved and the rest appended.
QString resolved(const QString& path) {
    QString head = path;
    QStringList tail;
    for (;;) {
        const QString canonical = QFileInfo(head).canonicalFilePath();
        if (!canonical.isEmpty()) {
            tail.prepend(canonical);
            return cleaned(tail.join(QLatin1Char('/')));
        }
        const qsizetype slash = head.lastIndexOf(QLatin1Char('/'));
        if (slash <= 0)
            return cleaned(path);
        tail.prepend(head.mid(slash + 1));
        head.truncate(slash);
    }
}

// The literal and the resolved form of each non-empty folder.
QStringList forms(const QStringList& folders) {
    QStringList result;
    for (const QString& folder : folders) {
        if (folder.isEmpty())
            continue;
        result << cleaned(folder) << resolved(folder);
    }
    result.removeDuplicates();
    return result;
}

bool isInside(const QString& path, const QString& folder) {
    return folder == QLatin1String("/") ? path != folder
                                        : path.startsWith(folder + QLatin1Char('/'));
}

// path is folder itself or one of the folders above it.
bool isSameOrAbove(const QString& path, const QString& folder) {
    return path == folder || isInside(folder, path);
}

bool anySameOrAbove(const QString& path, const QStringList& folders) {
    for (const QString& folder : folders) {
        if (isSameOrAbove(path, folder))
            return true;
    }
    return false;
}

bool holdsSubfolder(const QString& path) {
    return !QDir(path)
                .entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System |
                           QDir::NoSymLinks)
                .isEmpty();
}

} // namespace

QString DeletionGuard::refusal(const QString& path, bool allowSubfolders) const {
    if (path.trimmed().isEmpty())
        return QStringLiteral("No folder was given.");
    // Qt counts ":name" (a resource) as absolute too; the kernel reads it from the working folder.
    if (!path.startsWith(QLatin1Char('/')))
        return QStringLiteral("'%1' is not a full path.").arg(path);

    const QStringList homes = forms({homeFolder});
    const QStringList programs = forms({programFolder});
    const QStringList kept = forms(keptFolders);
    const QStringList playlists = forms({playlistsFolder});

    const QString literal = cleaned(path);
    const QString real = resolved(path);
    // A symbolic link on the way may lead somewhere else: both forms must pass every rule.
    for (const QString& candidate : QStringList{literal, real}) {
        if (candidate == QLatin1String("/"))
            return QStringLiteral("'%1' is the root of the file system.").arg(path);
        if (anySameOrAbove(candidate, homes))
            return QStringLiteral("'%1' is your home folder or holds it.").arg(path);
        if (anySameOrAbove(candidate, programs))
            return QStringLiteral("'%1' is the program's folder or holds it.").arg(path);
        if (anySameOrAbove(candidate, kept))
            return QStringLiteral("'%1' is one of the program's own folders or holds one.")
                .arg(path);
        // Inside the program's folder only a playlist's own folder may go.
        const bool inProgram = std::any_of(programs.begin(), programs.end(), [&](const QString& p) {
            return isInside(candidate, p);
        });
        if (inProgram && !playlists.contains(QFileInfo(candidate).path()))
            return QStringLiteral("'%1' is inside the program's folder.").arg(path);
    }

    const QFileInfo info(real);
    if (info.exists() && !info.isDir())
        return QStringLiteral("'%1' is not a folder.").arg(path);
    if (!allowSubfolders && info.isDir() && holdsSubfolder(real))
        return QStringLiteral("'%1' holds folders; the program never puts folders there.")
            .arg(path);
    return {};
}
