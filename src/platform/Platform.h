#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

// The operating-system services the program uses, behind one interface so that tests can
// record game starts and mail links instead of performing them.
class Platform {
public:
    virtual ~Platform() = default;

    // Login name of the effective user; empty when the system cannot tell.
    virtual QString loginName() const = 0;

    // Root paths of the mounted, ready volumes, "/" first.
    virtual QStringList mountedVolumes() const = 0;

    // Starts a program from an argument list (never through a shell) without waiting for it.
    // On failure returns false and fills *error with the reason.
    virtual bool startDetached(const QString& program, const QStringList& arguments,
                               QString* error) = 0;

    // Hands a link to the desktop (mail program for "mailto:"); returns whether it was taken.
    virtual bool openUrl(const QUrl& url) = 0;
};
