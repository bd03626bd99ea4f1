#pragma once

#include "fs/FileOps.h"

#include <QDir>
#include <QMutex>
#include <QStringList>

#include <functional>

// The real file system, with faults injected where a test asks for them, a record of every
// change the program asked for, and a safety net: nothing outside the allowed folders is ever
// touched, whatever the program asks.
class FaultyFileOps : public FileOps {
public:
    // Why the operation ("copy", "remove", "makeDir", "removeTree", "write") on path (the
    // destination of a copy) fails, or "" to perform it. Called on the worker thread too.
    using Fault = std::function<QString(const QString& operation, const QString& path)>;

    Fault fault;
    QStringList allowedRoots;

    // "operation path" for every call, in order.
    QStringList calls() const {
        QMutexLocker lock(&m_mutex);
        return m_calls;
    }
    QStringList callsOf(const QString& operation) const {
        QStringList paths;
        for (const QString& call : calls()) {
            if (call.startsWith(operation + QLatin1Char(' ')))
                paths << call.mid(operation.size() + 1);
        }
        return paths;
    }

    FileResult copyReplace(const QString& src, const QString& dst) override {
        return perform(QStringLiteral("copy"), dst, [&] { return m_real.copyReplace(src, dst); });
    }
    FileResult removeFile(const QString& path) override {
        return perform(QStringLiteral("remove"), path, [&] { return m_real.removeFile(path); });
    }
    FileResult makeDir(const QString& path) override {
        return perform(QStringLiteral("makeDir"), path, [&] { return m_real.makeDir(path); });
    }
    FileResult removeTree(const QString& path) override {
        return perform(QStringLiteral("removeTree"), path, [&] { return m_real.removeTree(path); });
    }
    FileResult writeAtomic(const QString& path, const QByteArray& content) override {
        return perform(QStringLiteral("write"), path,
                       [&] { return m_real.writeAtomic(path, content); });
    }

private:
    bool allowed(const QString& path) const {
        const QString clean = QDir::cleanPath(QDir(path).absolutePath());
        for (const QString& root : allowedRoots) {
            if (clean.startsWith(QDir::cleanPath(root) + QLatin1Char('/')))
                return true;
        }
        return false;
    }

    template <typename Operation>
    FileResult perform(const QString& operation, const QString& path, Operation real) {
        {
            QMutexLocker lock(&m_mutex);
            m_calls << operation + QLatin1Char(' ') + path;
        }
        if (!allowed(path))
            return FileResult::failure(QStringLiteral("outside the test's folders"));
        if (fault) {
            if (const QString reason = fault(operation, path); !reason.isEmpty())
                return FileResult::failure(reason);
        }
        return real();
    }

    RealFileOps m_real;
    mutable QMutex m_mutex;
    QStringList m_calls;
};
