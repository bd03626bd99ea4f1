#include "widgets/SongDetails.h"

#include "widgets/TagReader.h"

#include <QDateTime>
#include <QFileInfo>
#include <QStringList>

SongDetails::SongDetails(int capacity)
    : m_cache(capacity) {}

QString SongDetails::describe(const QString& path) {
    const QFileInfo info(path);
    const qint64 size = info.size();
    const qint64 modified = info.lastModified().toMSecsSinceEpoch();
    if (const Entry* known = m_cache.object(path);
        known && known->size == size && known->modifiedMs == modified)
        return known->text;
    auto* entry = new Entry{size, modified, format(info.fileName(), TagReader::read(path))};
    const QString text = entry->text;
    m_cache.insert(path, entry);
    return text;
}

QString SongDetails::format(const QString& name, const SongTags& tags) {
    QStringList lines;
    lines << (tags.title.isEmpty() ? name : QStringLiteral("Title: ") + tags.title);
    if (!tags.artist.isEmpty())
        lines << QStringLiteral("Artist: ") + tags.artist;
    if (!tags.album.isEmpty())
        lines << QStringLiteral("Album: ") + tags.album;
    if (tags.hasAudio())
        lines << QStringLiteral("Length: ") + formatLength(tags.lengthMs);
    return lines.join(QLatin1Char('\n'));
}

QString SongDetails::formatLength(qint64 ms) {
    const qint64 seconds = (ms + 500) / 1000;
    const QString minutesAndSeconds =
        QStringLiteral("%1:%2").arg(seconds / 60 % 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
    if (seconds < 3600)
        return minutesAndSeconds;
    return QStringLiteral("%1:%2")
        .arg(seconds / 3600)
        .arg(minutesAndSeconds.rightJustified(5, QLatin1Char('0')));
}
