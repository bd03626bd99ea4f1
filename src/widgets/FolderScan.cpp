#include "widgets/FolderScan.h"

#include <QFile>

#include <dirent.h>
#include <sys/stat.h>

#include <vector>

namespace FolderScan {
namespace {

// Most file systems report the entry type with the name; only links and file systems that do
// not know the type need a stat, which follows links to what they point to.
bool isKind(DIR* dir, const dirent* entry, Kind kind) {
    unsigned char type = entry->d_type;
    if (type == DT_LNK || type == DT_UNKNOWN) {
        struct stat info;
        if (fstatat(dirfd(dir), entry->d_name, &info, 0) != 0)
            return false; // a dangling link or an entry gone since readdir
        type = S_ISREG(info.st_mode) ? DT_REG : S_ISDIR(info.st_mode) ? DT_DIR : DT_UNKNOWN;
    }
    return type == (kind == Kind::Files ? DT_REG : DT_DIR);
}

bool isAscii(const char* name) {
    for (; *name; ++name) {
        if (static_cast<unsigned char>(*name) >= 0x80)
            return false;
    }
    return true;
}

// Turns an entry's bytes into its name; false for a name the file-name encoding cannot give
// back unchanged: it would decode to another name, one that cannot be opened again (or, worse,
// names a different file).
bool decode(const char* bytes, QString& name) {
    // Most names are plain ASCII, which converts several times faster as Latin-1.
    if (isAscii(bytes)) {
        name = QString::fromLatin1(bytes);
        return true;
    }
    name = QFile::decodeName(bytes);
    return QFile::encodeName(name) == bytes;
}

// Calls take(name bytes) for each visible entry of the kind; false when the folder cannot be
// opened.
template <typename Take> bool scan(const QString& folder, Kind kind, Take take) {
    if (folder.isEmpty())
        return false;
    DIR* dir = opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return false;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] != '.' && isKind(dir, entry, kind))
            take(entry->d_name);
    }
    closedir(dir);
    return true;
}

} // namespace

std::optional<QStringList> read(const QString& folder, Kind kind) {
    QStringList names;
    const bool opened = scan(folder, kind, [&names](const char* bytes) {
        QString name;
        if (decode(bytes, name))
            names.append(std::move(name));
    });
    if (!opened)
        return std::nullopt;
    return names;
}

std::optional<QStringList> reread(const QString& folder, Kind kind, const QStringList& previous,
                                  Changes& changes) {
    // How far past the expected place a name is looked for: an entry removed or added shifts
    // the others by one.
    constexpr qsizetype Window = 8;
    changes = {};
    QStringList names;
    names.reserve(previous.size());
    std::vector<bool> kept(size_t(previous.size()), false);
    qsizetype next = 0; // where the next unchanged name is expected in previous
    const bool opened = scan(folder, kind, [&](const char* bytes) {
        // An ASCII name is compared as it is, without building a string for it.
        const bool ascii = isAscii(bytes);
        QString name;
        if (!ascii && !decode(bytes, name))
            return;
        const qsizetype end = std::min(previous.size(), next + Window);
        for (qsizetype at = next; at < end; ++at) {
            const QString& known = previous.at(at);
            if (!kept[size_t(at)] && (ascii ? known == QLatin1StringView(bytes) : known == name)) {
                kept[size_t(at)] = true;
                names.append(known);
                next = at + 1;
                return;
            }
        }
        if (ascii)
            name = QString::fromLatin1(bytes);
        changes.added.append(name);
        names.append(std::move(name));
    });
    if (!opened)
        return std::nullopt;
    for (qsizetype at = 0; at < previous.size(); ++at) {
        if (!kept[size_t(at)])
            changes.removed.append(previous.at(at));
    }
    return names;
}

QString join(const QString& folder, const QString& name) {
    if (folder.isEmpty())
        return name;
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

} // namespace FolderScan
