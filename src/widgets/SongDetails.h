#pragma once

#include <QCache>
#include <QString>

struct SongTags;

// The details a song list shows for one file: title, artist, album and length. Read on first
// request and remembered for that version of the file (path, size and modification time), so
// pausing over the rows of a long list reads each file once and never slows the listing.
class SongDetails {
public:
    explicit SongDetails(int capacity = 20000);

    QString describe(const QString& path);

    // The text for a file of that name with those tags: the labelled fields it has and its
    // length; the name stands in for a missing title; a file without audio shows only what
    // its tags say, or just its name.
    static QString format(const QString& name, const SongTags& tags);
    static QString formatLength(qint64 ms);

private:
    struct Entry {
        qint64 size = -1;
        qint64 modifiedMs = 0;
        QString text;
    };
    QCache<QString, Entry> m_cache;
};
