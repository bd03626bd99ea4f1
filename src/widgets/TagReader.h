#pragma once

#include <QString>

// What a song file says about itself: its tags and its playing time.
struct SongTags {
    QString title;
    QString artist;
    QString album;
    qint64 lengthMs = -1; // -1 when no audio could be found in the file

    bool hasTags() const { return !title.isEmpty() || !artist.isEmpty() || !album.isEmpty(); }
    bool hasAudio() const { return lengthMs >= 0; }
};

namespace TagReader {

// Reads the tags and the length of one file. A file that cannot be opened, is not a regular
// file or holds no audio gives empty tags and no length; nothing here throws or blocks on a pipe.
SongTags read(const QString& path);

} // namespace TagReader
