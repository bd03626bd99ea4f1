#pragma once

#include <QByteArray>
#include <QString>

// Outcome of one file operation: ok, or the reason it failed in words a user understands.
struct FileResult {
    bool ok = true;
    QString error;

    static FileResult success() { return {}; }
    static FileResult failure(QString reason) { return {false, std::move(reason)}; }
    explicit operator bool() const { return ok; }
};

// The only door through which the program changes the file system. Virtual so that tests can
// inject faults at this seam. Implementations are stateless and safe to call from several
// worker threads at once.
class FileOps {
public:
    virtual ~FileOps() = default;

    // Copies src to dst atomically: a hidden temporary file in dst's folder, renamed over dst
    // only when complete. A failed copy leaves dst as it was and no temporary file behind.
    virtual FileResult copyReplace(const QString& src, const QString& dst) = 0;

    // Deletes one file (not a folder).
    virtual FileResult removeFile(const QString& path) = 0;

    // Makes one folder; its parent must exist. Fails when anything exists at path.
    virtual FileResult makeDir(const QString& path) = 0;

    // Deletes a folder with everything in it, never following a symbolic link out of it.
    // Callers check DeletionGuard first.
    virtual FileResult removeTree(const QString& path) = 0;

    // Replaces the file's whole content atomically (temporary file, flush, rename).
    virtual FileResult writeAtomic(const QString& path, const QByteArray& content) = 0;
};

// The real file system.
class RealFileOps : public FileOps {
public:
    FileResult copyReplace(const QString& src, const QString& dst) override;
    FileResult removeFile(const QString& path) override;
    FileResult makeDir(const QString& path) override;
    FileResult removeTree(const QString& path) override;
    FileResult writeAtomic(const QString& path, const QByteArray& content) override;
};
