#include "widgets/FolderScan.h"

#include <QFile>

#include <dirent.h>
#include <sys/stat.h>

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

} // namespace

std::optional<QStringList> read(const QString& folder, Kind kind) {
    if (folder.isEmpty())
        return std::nullopt;
    DIR* dir = opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return std::nullopt;
    QStringList names;
    while (const dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.' || !isKind(dir, entry, kind))
            continue;
        // Most names are plain ASCII, which converts several times faster as Latin-1.
        if (isAscii(entry->d_name)) {
            names.append(QString::fromLatin1(entry->d_name));
            continue;
        }
        QString name = QFile::decodeName(entry->d_name);
        // A name that is not valid in the file-name encoding would decode to another name,
        // one that cannot be opened again (or, worse, names a different file).
        if (QFile::encodeName(name) != entry->d_name)
            continue;
        names.append(std::move(name));
    }
    closedir(dir);
    return names;
}

QString join(const QString& folder, const QString& name) {
    if (folder.isEmpty())
        return name;
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

} // namespace FolderScan
