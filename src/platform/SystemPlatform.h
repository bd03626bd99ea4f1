#pragma once

#include "platform/Platform.h"

// The real services of a Linux desktop.
class SystemPlatform : public Platform {
public:
    QString loginName() const override;
    QStringList mountedVolumes() const override;
    bool startDetached(const QString& program, const QStringList& arguments,
                       QString* error) override;
    bool openUrl(const QUrl& url) override;
};
