#pragma once

#include "fs/FileOps.h"

#include <QList>
#include <QMutex>
#include <QStringList>

#include <optional>

// The real file operations with faults injected into chosen calls, as the system would produce
// them. Some faults really happen just before the call (the source file or the destination's
// folder is removed, as another program would), the others fail with the reason the system
// gives for a read-only disk, a file in use or a full disk. Safe to call from a worker thread.
class FaultyFileOps : public RealFileOps {
public:
    enum class Call { Copy, Remove, MakeDir, RemoveTree, Write };
    enum class Fault { SourceGone, FolderMissing, ReadOnly, InUse, DiskFull, Unwritable };

    // Fault the nth call (from 1) of one kind; 0 faults every call of that kind.
    void inject(Call call, int nth, Fault fault);

    // The reason the system gives for a fault ("No space left on device" and the like).
    static QString reasonOf(Fault fault);
    static QString nameOf(Call call);
    static QString nameOf(Fault fault);

    // Paths (the destination of a copy) of the calls that were faulted, in order.
    QStringList hits() const;
    // Every call as "kind path", in order.
    QStringList calls() const;

    FileResult copyReplace(const QString& src, const QString& dst) override;
    FileResult removeFile(const QString& path) override;
    FileResult makeDir(const QString& path) override;
    FileResult removeTree(const QString& path) override;
    FileResult writeAtomic(const QString& path, const QByteArray& content) override;

private:
    struct Rule {
        Call call;
        int nth;
        Fault fault;
    };
    // The fault for this call, counting it; none when it runs as usual.
    std::optional<Rule> take(Call call, const QString& path);
    // Makes a fault that really happens happen; returns the failure of one that is only told.
    FileResult apply(const Rule& rule, const QString& source, const QString& path);

    mutable QMutex m_mutex;
    QList<Rule> m_rules;
    QList<int> m_counts{0, 0, 0, 0, 0};
    QStringList m_hits;
    QStringList m_calls;
};
