#pragma once

#include <QList>
#include <QString>

// One entry of a corpus kept under tests/data: what must happen to it (the first character
// of its line) and its text with the escapes resolved.
struct CorpusEntry {
    QChar expectation;
    QString text;
    int line = 0;
};

// The entries of a corpus file: one a line, "#" lines and empty lines left out. Escapes: \\,
// \0, \t, \n, \r, \s (a space), \u{XXXX} (a code point), \x{N*C} (C repeated N times).
QList<CorpusEntry> readCorpus(const QString& path);
QString unescapeCorpusText(const QString& text);

// The text with control characters made visible, for messages.
QString visibleText(const QString& text);
