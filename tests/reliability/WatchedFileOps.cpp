#include "WatchedFileOps.h"

#include <QDir>

#include <cerrno>

namespace {

bool isAtOrBelow(const QString& path, const QString& folder) {
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

FileResult notHere(const QString& path) {
    return FileResult::failure(
        QStringLiteral("Could not change '%1': %2").arg(path, qt_error_string(EACCES)));
}

} // namespace

WatchedFileOps::WatchedFileOps(QString sandbox)
    : m_sandbox(QDir::cleanPath(sandbox)) {}

void WatchedFileOps::allow(const QStringList& folders) {
    QMutexLocker lock(&m_mutex);
    m_allowed.clear();
    for (const QString& folder : folders) {
        if (!folder.isEmpty())
            m_allowed << QDir::cleanPath(folder);
    }
}

QStringList WatchedFileOps::violations() const {
    QMutexLocker lock(&m_mutex);
    return m_violations;
}

int WatchedFileOps::calls() const {
    QMutexLocker lock(&m_mutex);
    return m_calls;
}

bool WatchedFileOps::admit(const QString& operation, const QString& path) {
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    QMutexLocker lock(&m_mutex);
    ++m_calls;
    bool allowed = false;
    for (const QString& folder : std::as_const(m_allowed))
        allowed = allowed || isAtOrBelow(clean, folder);
    if (!allowed)
        m_violations << operation + QLatin1Char(' ') + path;
    return isAtOrBelow(clean, m_sandbox);
}

FileResult WatchedFileOps::copyReplace(const QString& src, const QString& dst) {
    return admit(QStringLiteral("copy"), dst) ? RealFileOps::copyReplace(src, dst) : notHere(dst);
}

FileResult WatchedFileOps::removeFile(const QString& path) {
    return admit(QStringLiteral("remove"), path) ? RealFileOps::removeFile(path) : notHere(path);
}

FileResult WatchedFileOps::makeDir(const QString& path) {
    return admit(QStringLiteral("makeDir"), path) ? RealFileOps::makeDir(path) : notHere(path);
}

FileResult WatchedFileOps::removeTree(const QString& path) {
    return admit(QStringLiteral("removeTree"), path) ? RealFileOps::removeTree(path)
                                                     : notHere(path);
}

FileResult WatchedFileOps::writeAtomic(const QString& path, const QByteArray& content) {
    return admit(QStringLiteral("write"), path) ? RealFileOps::writeAtomic(path, content)
                                                : notHere(path);
}
