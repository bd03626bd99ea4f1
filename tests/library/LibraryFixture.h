#pragma once

#include "TestApp.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class ListBox;

// The real window over a program folder that has seen its first run, so start-up asks nothing.
// Prepare the folder (and platform.volumes) before start().
class LibraryApp : public TestApp {
public:
    explicit LibraryApp(FileOps* files = nullptr);

    // Runs start-up, shows the window and the given page (one of the Show...Page routines).
    void startOn(void (*showPage)(Form&));
};

// Mouse clicks on the row showing text; false when the list has no such row.
bool clickEntry(ListBox* list, const QString& text);
bool doubleClickEntry(ListBox* list, const QString& text);

// Whether this process holds a descriptor on the file (the players open files in-process).
bool isOpenHere(const QString& path);

QByteArray contentOf(const QString& path);
// The names in a folder that the song lists show ("*.mp3*"), sorted like filesIn().
QStringList songsIn(const QString& folder);
// Every name in a folder, hidden ones too: what a failed operation may have left behind.
QStringList everythingIn(const QString& folder);
