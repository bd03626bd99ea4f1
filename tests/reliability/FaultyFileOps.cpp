#include "FaultyFileOps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

void FaultyFileOps::inject(Call call, int nth, Fault fault) {
    QMutexLocker lock(&m_mutex);
    m_rules.append({call, nth, fault});
}

QString FaultyFileOps::reasonOf(Fault fault) {
    switch (fault) {
    case Fault::SourceGone:
    case Fault::FolderMissing:
        return qt_error_string(ENOENT);
    case Fault::ReadOnly:
        return qt_error_string(EROFS);
    case Fault::InUse:
        return qt_error_string(EBUSY);
    case Fault::DiskFull:
        return qt_error_string(ENOSPC);
    case Fault::Unwritable:
        return qt_error_string(EACCES);
    }
    return {};
}

QString FaultyFileOps::nameOf(Call call) {
    static const char* const names[] = {"copy", "remove", "makeDir", "removeTree", "write"};
    return QString::fromLatin1(names[int(call)]);
}

QString FaultyFileOps::nameOf(Fault fault) {
    static const char* const names[] = {"source gone", "folder missing", "read-only",
                                        "in use",      "disk full",      "unwritable"};
    return QString::fromLatin1(names[int(fault)]);
}

QStringList FaultyFileOps::hits() const {
    QMutexLocker lock(&m_mutex);
    return m_hits;
}

QStringList FaultyFileOps::calls() const {
    QMutexLocker lock(&m_mutex);
    return m_calls;
}

std::optional<FaultyFileOps::Rule> FaultyFileOps::take(Call call, const QString& path) {
    QMutexLocker lock(&m_mutex);
    m_calls << nameOf(call) + QLatin1Char(' ') + path;
    const int count = ++m_counts[int(call)];
    for (const Rule& rule : std::as_const(m_rules)) {
        if (rule.call == call && (rule.nth == 0 || rule.nth == count)) {
            m_hits << path;
            return rule;
        }
    }
    return std::nullopt;
}

FileResult FaultyFileOps::apply(const Rule& rule, const QString& source, const QString& path) {
    switch (rule.fault) {
    case Fault::SourceGone:
        // Another program removed the file a moment ago; the real call meets its absence.
        QFile::remove(source.isEmpty() ? path : source);
        if (rule.call == Call::RemoveTree)
            QDir(path).removeRecursively();
        return FileResult::success();
    case Fault::FolderMissing:
        QDir(QFileInfo(QDir::cleanPath(path)).path()).removeRecursively();
        return FileResult::success();
    default:
        break;
    }
    const QString reason = reasonOf(rule.fault);
    switch (rule.call) {
    case Call::Copy:
        return FileResult::failure(QStringLiteral("Could not copy '%1' to '%2': %3")
                                       .arg(QFileInfo(source).fileName(), path, reason));
    case Call::Remove:
    case Call::RemoveTree:
        return FileResult::failure(QStringLiteral("Could not delete '%1': %2").arg(path, reason));
    case Call::MakeDir:
        return FileResult::failure(
            QStringLiteral("Could not make the folder '%1': %2").arg(path, reason));
    case Call::Write:
        return FileResult::failure(QStringLiteral("Could not save '%1': %2").arg(path, reason));
    }
    return FileResult::failure(reason);
}

FileResult FaultyFileOps::copyReplace(const QString& src, const QString& dst) {
    if (const std::optional<Rule> rule = take(Call::Copy, dst)) {
        if (FileResult told = apply(*rule, src, dst); !told)
            return told;
    }
    return RealFileOps::copyReplace(src, dst);
}

FileResult FaultyFileOps::removeFile(const QString& path) {
    if (const std::optional<Rule> rule = take(Call::Remove, path)) {
        if (FileResult told = apply(*rule, QString(), path); !told)
            return told;
    }
    return RealFileOps::removeFile(path);
}

FileResult FaultyFileOps::makeDir(const QString& path) {
    if (const std::optional<Rule> rule = take(Call::MakeDir, path)) {
        if (FileResult told = apply(*rule, QString(), path); !told)
            return told;
    }
    return RealFileOps::makeDir(path);
}

FileResult FaultyFileOps::removeTree(const QString& path) {
    if (const std::optional<Rule> rule = take(Call::RemoveTree, path)) {
        if (FileResult told = apply(*rule, QString(), path); !told)
            return told;
    }
    return RealFileOps::removeTree(path);
}

FileResult FaultyFileOps::writeAtomic(const QString& path, const QByteArray& content) {
    if (const std::optional<Rule> rule = take(Call::Write, path)) {
        if (FileResult told = apply(*rule, QString(), path); !told)
            return told;
    }
    return RealFileOps::writeAtomic(path, content);
}
