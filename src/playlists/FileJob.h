#pragma once

#include "fs/FileOps.h"

#include <QString>

#include <functional>

// One step of file work that a FileBatch runs off the window's thread.
struct FileJob {
    using Work = std::function<FileResult(FileOps& files)>;

    QString name;        // what the user knows it by: a song's file name, a folder, a file
    QString description; // what the progress dialog says while the job runs
    Work work;

    static FileJob copy(const QString& name, const QString& source, const QString& destination);
    static FileJob remove(const QString& name, const QString& path);
    static FileJob removeTree(const QString& path);
    // Saving a file whose write waits for the disk (it is synced before it replaces the old).
    static FileJob save(const QString& path, Work work);

    FileResult runOn(FileOps& files) const { return work(files); }
};
