#pragma once

#include "TestApp.h"

#include <QString>

// The real window over a program folder that has seen its first run, so start-up asks nothing.
// Prepare the folder before startOn().
class ProductApp : public TestApp {
public:
    explicit ProductApp(FileOps* files = nullptr);

    // Runs start-up, shows and activates the window and shows the page (a Show...Page routine).
    void startOn(void (*showPage)(Form&));

    QString librarySong(const QString& name) const;
};

// Real file operations whose copies fail, as on a full disk.
class FullDiskFileOps : public RealFileOps {
public:
    FileResult copyReplace(const QString& src, const QString& dst) override;
};
