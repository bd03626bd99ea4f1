#include "fs/FileOps.h"

#include "fs/TempFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

QString decoded(const QByteArray& path) {
    return QFile::decodeName(path);
}

// Closes a descriptor when it goes out of scope.
struct FdCloser {
    int fd;
    ~FdCloser() {
        if (fd >= 0)
            ::close(fd);
    }
};

FileResult copyFailure(const QString& src, const QString& dst, const QString& reason) {
    return FileResult::failure(QStringLiteral("Could not copy '%1' to '%2': %3")
                                   .arg(QFileInfo(src).fileName(), dst, reason));
}

FileResult deleteFailure(const QString& path, const QString& reason) {
    return FileResult::failure(QStringLiteral("Could not delete '%1': %2").arg(path, reason));
}

// Deletes everything inside the folder open at dirFd, depth first, never following a
// symbolic link and never entering another file system. Stops at the first failure.
FileResult emptyFolder(int dirFd, const QByteArray& dirPath, dev_t device) {
    std::vector<QByteArray> names;
    {
        const int listFd = ::dup(dirFd);
        DIR* dir = listFd < 0 ? nullptr : ::fdopendir(listFd);
        if (!dir) {
            const int error = errno;
            if (listFd >= 0)
                ::close(listFd);
            return deleteFailure(decoded(dirPath), qt_error_string(error));
        }
        while (const dirent* entry = ::readdir(dir)) {
            const QByteArray name(entry->d_name);
            if (name != "." && name != "..")
                names.push_back(name);
        }
        ::closedir(dir);
    }

    for (const QByteArray& name : names) {
        const QByteArray path = dirPath + '/' + name;
        struct stat info {};
        if (::fstatat(dirFd, name.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno == ENOENT)
                continue;
            return deleteFailure(decoded(path), qt_error_string(errno));
        }
        if (S_ISDIR(info.st_mode)) {
            if (info.st_dev != device)
                return deleteFailure(decoded(path),
                                     QStringLiteral("it is another file system mounted there"));
            const int subFd =
                ::openat(dirFd, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            if (subFd < 0)
                return deleteFailure(decoded(path), qt_error_string(errno));
            const FdCloser closer{subFd};
            if (FileResult inner = emptyFolder(subFd, path, device); !inner)
                return inner;
            if (::unlinkat(dirFd, name.constData(), AT_REMOVEDIR) != 0)
                return deleteFailure(decoded(path), qt_error_string(errno));
        } else if (::unlinkat(dirFd, name.constData(), 0) != 0 && errno != ENOENT) {
            return deleteFailure(decoded(path), qt_error_string(errno));
        }
    }
    return FileResult::success();
}

} // namespace

FileResult RealFileOps::copyReplace(const QString& src, const QString& dst) {
    const int srcFd = ::open(encoded(src).constData(), O_RDONLY | O_CLOEXEC);
    if (srcFd < 0)
        return copyFailure(src, dst, qt_error_string(errno));
    const FdCloser srcCloser{srcFd};
    struct stat source {};
    if (::fstat(srcFd, &source) != 0)
        return copyFailure(src, dst, qt_error_string(errno));
    if (S_ISDIR(source.st_mode))
        return copyFailure(src, dst, QStringLiteral("it is a folder"));
    if (!S_ISREG(source.st_mode))
        return copyFailure(src, dst, QStringLiteral("it is not a regular file"));

    const QByteArray target = encoded(dst);
    struct stat existing {};
    if (::stat(target.constData(), &existing) == 0) {
        // Replacing a file with itself would first truncate it; it already holds the content.
        if (existing.st_dev == source.st_dev && existing.st_ino == source.st_ino)
            return FileResult::success();
        if (S_ISDIR(existing.st_mode))
            return copyFailure(src, dst, QStringLiteral("a folder of that name is in the way"));
    }

    TempFile temp(target);
    int error = temp.create();
    if (!error)
        error = temp.copyFrom(srcFd);
    if (!error)
        error = temp.commit();
    if (error)
        return copyFailure(src, dst, qt_error_string(error));
    return FileResult::success();
}

FileResult RealFileOps::removeFile(const QString& path) {
    const QByteArray name = encoded(path);
    struct stat info {};
    if (::lstat(name.constData(), &info) != 0)
        return deleteFailure(path, qt_error_string(errno));
    if (S_ISDIR(info.st_mode))
        return deleteFailure(path, QStringLiteral("it is a folder"));
    if (::unlink(name.constData()) != 0)
        return deleteFailure(path, qt_error_string(errno));
    return FileResult::success();
}

FileResult RealFileOps::makeDir(const QString& path) {
    if (::mkdir(encoded(path).constData(), 0755) != 0) {
        const QString reason = errno == EEXIST ? QStringLiteral("something of that name exists")
                                               : qt_error_string(errno);
        return FileResult::failure(
            QStringLiteral("Could not make the folder '%1': %2").arg(path, reason));
    }
    return FileResult::success();
}

FileResult RealFileOps::removeTree(const QString& path) {
    const QByteArray name = encoded(path);
    struct stat info {};
    if (::lstat(name.constData(), &info) != 0) {
        // Already gone: the caller asked for it not to exist.
        if (errno == ENOENT)
            return FileResult::success();
        return deleteFailure(path, qt_error_string(errno));
    }
    if (S_ISLNK(info.st_mode))
        return deleteFailure(path, QStringLiteral("it is a symbolic link, not a folder"));
    if (!S_ISDIR(info.st_mode))
        return deleteFailure(path, QStringLiteral("it is not a folder"));

    const int dirFd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (dirFd < 0)
        return deleteFailure(path, qt_error_string(errno));
    const FdCloser closer{dirFd};
    if (FileResult result = emptyFolder(dirFd, name, info.st_dev); !result)
        return result;
    if (::rmdir(name.constData()) != 0)
        return deleteFailure(path, qt_error_string(errno));
    return FileResult::success();
}

FileResult RealFileOps::writeAtomic(const QString& path, const QByteArray& content) {
    const QByteArray target = encoded(path);
    struct stat existing {};
    if (::stat(target.constData(), &existing) == 0 && S_ISDIR(existing.st_mode))
        return FileResult::failure(
            QStringLiteral("Could not save '%1': a folder of that name is in the way").arg(path));

    TempFile temp(target);
    int error = temp.create();
    if (!error)
        error = temp.write(content);
    // Small files the user cannot recreate: on the disk before they replace the old one.
    if (!error)
        error = temp.sync();
    if (!error)
        error = temp.commit();
    if (error)
        return FileResult::failure(
            QStringLiteral("Could not save '%1': %2").arg(path, qt_error_string(error)));
    return FileResult::success();
}
