#include "platform/SystemPlatform.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStorageInfo>

#include <pwd.h>
#include <unistd.h>

QString SystemPlatform::loginName() const {
    if (const passwd* entry = getpwuid(geteuid()); entry && entry->pw_name && *entry->pw_name)
        return QString::fromLocal8Bit(entry->pw_name);
    return qEnvironmentVariable("USER");
}

QStringList SystemPlatform::mountedVolumes() const {
    QStringList roots{QStringLiteral("/")};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady() && !roots.contains(volume.rootPath()))
            roots << volume.rootPath();
    }
    return roots;
}

bool SystemPlatform::startDetached(const QString& program, const QStringList& arguments,
                                   QString* error) {
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    if (process.startDetached())
        return true;
    if (error)
        *error = process.errorString();
    return false;
}

bool SystemPlatform::openUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}
