// The deletion guard on any path, inside a sandbox of links and folders: whatever it lets go is
// never the file system's root, the home folder or a folder above it, the program's folder, its
// library or playlists folder or a folder above them, however the path is spelled and wherever
// its links lead. The game's music folder is never anything inside the program's folder. The
// guard only reads: nothing is ever deleted here.
#include "FuzzCheck.h"

#include "form/FolderLayout.h"
#include "form/Form.h"
#include "fs/DeletionGuard.h"
#include "playlists/PlaylistFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

struct Sandbox {
    Sandbox() {
        const QString root = dir.path();
        program = root + QStringLiteral("/prog");
        for (const char* folder : {"prog/Library", "prog/Playlists/Rock", "music", "crowded/sub"})
            QDir(root).mkpath(QString::fromLatin1(folder));
        QFile song(root + QStringLiteral("/music/a.mp3"));
        song.open(QIODevice::WriteOnly);
        const QString home = QDir::homePath();
        const std::pair<const char*, QString> links[] = {
            {"tohome", home},
            {"toroot", QStringLiteral("/")},
            {"toprog", program},
            {"tolib", program + QStringLiteral("/Library")},
            {"torock", program + QStringLiteral("/Playlists/Rock")},
            {"tomusic", root + QStringLiteral("/music")},
            {"loop", root + QStringLiteral("/loop")},
        };
        for (const auto& [name, target] : links)
            QFile::link(target, root + QLatin1Char('/') + QLatin1String(name));
        form.programFolder = program;
        const QString playlists = program + QStringLiteral("/Playlists/");
        guard = {home, program, {program + QStringLiteral("/Library/"), playlists}, playlists};
    }

    QTemporaryDir dir;
    QString program;
    Form form;
    DeletionGuard guard;
};

// Where the path leads: the deepest part that exists with every link resolved, then the rest.
QString realPath(const QString& path) {
    QString head = QDir::cleanPath(path);
    QString tail;
    while (!head.isEmpty()) {
        char* resolved = ::realpath(QFile::encodeName(head).constData(), nullptr);
        if (resolved) {
            const QString real = QFile::decodeName(resolved);
            std::free(resolved);
            return QDir::cleanPath(real + tail);
        }
        const qsizetype slash = head.lastIndexOf(QLatin1Char('/'));
        if (slash < 0)
            break;
        tail.prepend(head.mid(slash));
        head.truncate(slash);
    }
    return QDir::cleanPath(path);
}

bool isSameOrAbove(const QString& path, const QString& folder) {
    return path == folder || path == QLatin1String("/") ||
           folder.startsWith(path + QLatin1Char('/'));
}

bool isInside(const QString& path, const QString& folder) {
    return path.startsWith(folder + QLatin1Char('/'));
}

// The promises, for one spelling of an accepted path.
void checkAccepted(const QString& path, const Sandbox& box, bool musicFolder) {
    const QString home = realPath(QDir::homePath());
    const QString program = realPath(box.program);
    require(path != QLatin1String("/"), "never the root");
    require(!isSameOrAbove(path, home) && !isSameOrAbove(path, QDir::cleanPath(QDir::homePath())),
            "never the home folder or above it");
    for (const QString& kept :
         {program, program + QStringLiteral("/Library"), program + QStringLiteral("/Playlists")})
        require(!isSameOrAbove(path, kept), "never the program's folders or above them");
    if (isInside(path, program)) {
        require(!musicFolder, "the music folder is never inside the program's folder");
        const QString parent = QFileInfo(path).path();
        require(parent == program + QStringLiteral("/Playlists"),
                "inside the program's folder only a playlist's own folder");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const Sandbox box;
    const QString text = QString::fromUtf8(
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (text.contains(QChar(0)))
        return 0; // no path holds one; QFile would stop reading it there
    const QStringList candidates{text, box.dir.path() + QLatin1Char('/') + text};
    for (const QString& path : candidates) {
        const QString asPlaylist = box.guard.refusal(path, true);
        const QString asMusic = box.guard.refusal(path, false);
        require(asPlaylist.isEmpty() || !asMusic.isEmpty(), "the music folder's rule is stricter");
        const bool fullPath = path.startsWith(QLatin1Char('/'));
        require(fullPath || !asPlaylist.isEmpty(), "an empty or relative path is refused");
        if (asPlaylist.isEmpty()) {
            checkAccepted(QDir::cleanPath(path), box, false);
            checkAccepted(realPath(path), box, false);
        }
        if (PlaylistFolders::musicFolderRefusal(box.form, path).isEmpty()) {
            checkAccepted(QDir::cleanPath(path), box, true);
            checkAccepted(realPath(path), box, true);
        }
    }
    return 0;
}
