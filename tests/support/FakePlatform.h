#pragma once

#include "platform/Platform.h"

#include <QList>

// Records game starts and mail links instead of performing them.
class FakePlatform : public Platform {
public:
    struct Start {
        QString program;
        QStringList arguments;
    };

    QString login = QStringLiteral("anna");
    QStringList volumes{QStringLiteral("/")};
    bool startSucceeds = true;
    bool openSucceeds = true;

    QList<Start> starts;
    QList<QUrl> openedUrls;

    QString loginName() const override { return login; }
    QStringList mountedVolumes() const override { return volumes; }
    bool startDetached(const QString& program, const QStringList& arguments,
                       QString* error) override {
        starts << Start{program, arguments};
        if (!startSucceeds && error)
            *error = QStringLiteral("No such file or directory");
        return startSucceeds;
    }
    bool openUrl(const QUrl& url) override {
        openedUrls << url;
        return openSucceeds;
    }
};
