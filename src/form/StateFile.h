#pragma once

#include "fs/FileOps.h"

#include <QByteArray>
#include <QString>

struct Form;

// The three lines of data.txt.
struct StateValues {
    QString currentPlaylist;
    QString lastUpdated;
    QString musicFolder;
};

struct StateRead {
    enum class Status { Ok, Missing, Unreadable };
    Status status = Status::Ok;
    StateValues values;
    int linesRead = 0;
    QString error; // why it could not be read
};

namespace StateFile {

// Whole lines, UTF-8 (a BOM is skipped; bytes that are not UTF-8 are read as Latin-1 so that
// nothing is lost), CR LF or LF; anything after line 3 is ignored.
StateValues parse(const QByteArray& content, int* linesRead = nullptr);
// Three lines, each ending in CR LF.
QByteArray encode(const StateValues& values);

StateRead read(const QString& path);
FileResult write(FileOps& files, const QString& path, const StateValues& values);

// The form's three values to and from its program folder's data.txt.
StateRead readInto(Form& form);
FileResult writeFrom(FileOps& files, const Form& form);

} // namespace StateFile
