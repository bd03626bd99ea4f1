#pragma once

#include "platform/Platform.h"

// Records what the window asks of the system instead of starting programs or opening links: a
// benchmark must never start the game or a mail program.
class QuietPlatform : public Platform {
public:
    QStringList started;
    QList<QUrl> opened;

    QString loginName() const override { return QStringLiteral("bench"); }
    QStringList mountedVolumes() const override { return {QStringLiteral("/")}; }
    bool startDetached(const QString& program, const QStringList&, QString* error) override {
        started << program;
        if (error)
            *error = QStringLiteral("programs are not started while benchmarking");
        return false;
    }
    bool openUrl(const QUrl& url) override {
        opened << url;
        return false;
    }
};
