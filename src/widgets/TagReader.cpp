#include "widgets/TagReader.h"

#include <QFile>
#include <QFileInfo>

#include <taglib/audioproperties.h>
#include <taglib/fileref.h>
#include <taglib/tag.h>

namespace {

QString text(const TagLib::String& value) {
    return QString::fromUtf8(value.toCString(true)).trimmed();
}

} // namespace

namespace TagReader {

SongTags read(const QString& path) {
    SongTags tags;
    // Opening a pipe or a device would wait for a writer that never comes.
    if (!QFileInfo(path).isFile())
        return tags;
    const QByteArray name = QFile::encodeName(path);
    const TagLib::FileRef file(name.constData(), true, TagLib::AudioProperties::Average);
    if (file.isNull())
        return tags;
    if (const TagLib::Tag* tag = file.tag()) {
        tags.title = text(tag->title());
        tags.artist = text(tag->artist());
        tags.album = text(tag->album());
    }
    // A file without a single audio frame reports a sample rate of 0.
    if (const TagLib::AudioProperties* audio = file.audioProperties(); audio && audio->sampleRate())
        tags.lengthMs = audio->lengthInMilliseconds();
    return tags;
}

} // namespace TagReader
