#pragma once

#include "fs/FileOps.h"

#include <QMutex>
#include <QStringList>

// The real file operations, watched: a call whose target lies outside the folders the program
// may change at the moment is recorded as a violation, and a call outside the sandbox is never
// performed (it fails as a folder of another user would). Safe to call from a worker thread.
class WatchedFileOps : public RealFileOps {
public:
    explicit WatchedFileOps(QString sandbox);

    // The folders that calls may change from now on.
    void allow(const QStringList& folders);
    QStringList violations() const;
    int calls() const;

    FileResult copyReplace(const QString& src, const QString& dst) override;
    FileResult removeFile(const QString& path) override;
    FileResult makeDir(const QString& path) override;
    FileResult removeTree(const QString& path) override;
    FileResult writeAtomic(const QString& path, const QByteArray& content) override;

private:
    // Whether the call may go ahead; records it.
    bool admit(const QString& operation, const QString& path);

    const QString m_sandbox;
    mutable QMutex m_mutex;
    QStringList m_allowed;
    QStringList m_violations;
    int m_calls = 0;
};
