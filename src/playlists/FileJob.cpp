#include "playlists/FileJob.h"

#include <QFileInfo>

FileJob FileJob::copy(const QString& name, const QString& source, const QString& destination) {
    return {name, QStringLiteral("Copying '%1'").arg(name), [source, destination](FileOps& files) {
                return files.copyReplace(source, destination);
            }};
}

FileJob FileJob::remove(const QString& name, const QString& path) {
    return {name, QStringLiteral("Removing '%1'").arg(name),
            [path](FileOps& files) { return files.removeFile(path); }};
}

FileJob FileJob::removeTree(const QString& path) {
    return {path, QStringLiteral("Emptying '%1'").arg(path),
            [path](FileOps& files) { return files.removeTree(path); }};
}

FileJob FileJob::save(const QString& path, Work work) {
    return {path, QStringLiteral("Saving '%1'").arg(QFileInfo(path).fileName()), std::move(work)};
}
