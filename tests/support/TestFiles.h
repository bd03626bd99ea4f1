#pragma once

#include <QByteArray>
#include <QString>

// Whole files, written and read back by tests.
void writeFile(const QString& path, const QByteArray& content); // fails the test when it cannot
// The content, or "<unreadable>" so that a missing file never passes for an empty one.
QByteArray readFile(const QString& path);
