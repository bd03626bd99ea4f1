#include "Fixtures.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Songs start with a real MP3 frame when the sample is there; the rest is noise, stamped with
// the song's number so that no two songs are alike.
QByteArray songContent(qint64 bytes) {
    QByteArray content(bytes, Qt::Uninitialized);
    QRandomGenerator random(20240601);
    random.fillRange(reinterpret_cast<quint32*>(content.data()), content.size() / 4);
    QFile sample(QStringLiteral(TOVIA_BENCH_SAMPLE));
    if (sample.open(QIODevice::ReadOnly)) {
        const QByteArray head = sample.readAll().left(bytes / 2);
        content.replace(0, head.size(), head);
    }
    return content;
}

bool writeFile(const QString& path, const QByteArray& content, QString* error) {
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    bool ok = fd >= 0;
    for (qsizetype done = 0; ok && done < content.size();) {
        const ssize_t written =
            ::write(fd, content.constData() + done, size_t(content.size() - done));
        ok = written > 0;
        done += written > 0 ? written : 0;
    }
    if (fd >= 0)
        ok = ::close(fd) == 0 && ok;
    if (!ok)
        *error = QStringLiteral("cannot write %1: %2").arg(path, qt_error_string(errno));
    return ok;
}

bool makeFolder(const QString& path, QString* error) {
    if (QDir().mkpath(path))
        return true;
    *error = QStringLiteral("cannot make the folder %1").arg(path);
    return false;
}

// data.txt with a date on line 2, so that start-up neither asks nor starts the tutorial.
bool makeProgramFolder(const QString& folder, const QString& playlist, const QString& music,
                       QString* error) {
    return makeFolder(folder + QStringLiteral("/Library"), error) &&
           makeFolder(folder + QStringLiteral("/Playlists"), error) &&
           writeFile(
               folder + QStringLiteral("/data.txt"),
               QStringLiteral("%1\r\n1/2/2024 3:04:05 PM\r\n%2\r\n").arg(playlist, music).toUtf8(),
               error);
}

// Names that look like a music collection and arrive from the folder in no useful order.
QString words(quint32 seed, int count) {
    static const QStringList vocabulary =
        QString::fromUtf8("amber Blue crimson Dawn echo Fallen glass Harbour ivory Juniper kite "
                          "Lantern midnight Northern ocean Paper quiet River silver Thunder under "
                          "Velvet winter Yellow zephyr \xc3\x89lectrique Caf\xc3\xa9 Morning Light "
                          "Road Garden Stone")
            .split(QLatin1Char(' '));
    QStringList picked;
    for (int i = 0; i < count; ++i)
        picked << vocabulary.at((seed >> (5 * i)) % 32);
    return picked.join(QLatin1Char(' '));
}

// Names as a collection has them, "Artist - Title NNNNN.mp3": a few hundred artists of one to
// three words, so that many names share a long beginning, titles of two to four words, mixed
// case and a few accented letters; the number keeps every name unique.
QString songName(int index) {
    const quint32 artist = quint32(index % 397) * 2654435761u;
    const quint32 title = quint32(index) * 2246822519u + 0x9E3779B9u;
    return QStringLiteral("%1 - %2 %3.mp3")
        .arg(words(artist, 1 + int(artist >> 30) % 3), words(title, 2 + int(title >> 30) % 3))
        .arg(index, 5, 10, QLatin1Char('0'));
}

// Only their names count. Empty, because freeing data blocks is slow on a file system mounted
// with discard: 43,000 one-block files took minutes to delete here.
bool writeNameOnlySongs(const QString& folder, int first, int count, QString* error) {
    for (int i = first; i < first + count; ++i) {
        if (!writeFile(folder + QLatin1Char('/') + songName(i), QByteArray(), error))
            return false;
    }
    return true;
}

bool makeCopyFixture(const BenchFolders& folders, QString* error) {
    if (!makeProgramFolder(folders.copyProgram, BenchFolders::bigPlaylist(), folders.musicFolder,
                           error))
        return false;
    const QString library = folders.copyProgram + QStringLiteral("/Library/");
    const QString big = folders.copyProgram + QStringLiteral("/Playlists/Big/");
    if (!makeFolder(big, error) ||
        !makeFolder(folders.copyProgram + QStringLiteral("/Playlists/Target"), error) ||
        !makeFolder(folders.musicFolder, error))
        return false;
    QByteArray content = songContent(BenchFolders::copySongBytes);
    for (int i = 1; i <= BenchFolders::copySongs; ++i) {
        const QString name = QStringLiteral("Bench Song %1.mp3").arg(i, 3, 10, QLatin1Char('0'));
        const QByteArray stamp = QByteArray::number(i).rightJustified(8, '0');
        content.replace(content.size() - stamp.size(), stamp.size(), stamp);
        if (!writeFile(library + name, content, error))
            return false;
        // The playlist holds the very same files: the two copy cases read the same data.
        if (::link(QFile::encodeName(library + name).constData(),
                   QFile::encodeName(big + name).constData()) != 0 &&
            !writeFile(big + name, content, error))
            return false;
    }
    // On the disk before anything is measured, so that no write-back of the sources runs
    // during a measurement.
    const int fd = ::open(QFile::encodeName(library).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::syncfs(fd);
        ::close(fd);
    }
    return true;
}

bool makeLargeFixture(const BenchFolders& folders, QString* error) {
    if (!makeProgramFolder(folders.largeProgram, QStringLiteral("Playlist 001"),
                           folders.root + QStringLiteral("/large/Custom Music"), error) ||
        !writeNameOnlySongs(folders.largeProgram + QStringLiteral("/Library"), 0,
                            BenchFolders::largeLibrarySongs, error))
        return false;
    for (int p = 1; p <= BenchFolders::largePlaylists; ++p) {
        const QString playlist =
            folders.largeProgram +
            QStringLiteral("/Playlists/Playlist %1").arg(p, 3, 10, QLatin1Char('0'));
        if (!makeFolder(playlist, error) ||
            !writeNameOnlySongs(playlist, p * BenchFolders::songsPerPlaylist,
                                BenchFolders::songsPerPlaylist, error))
            return false;
    }
    return true;
}

} // namespace

BenchFolders::BenchFolders(const QString& root)
    : root(root)
    , copyProgram(root + QStringLiteral("/copy/program"))
    , musicFolder(root + QStringLiteral("/copy/Custom Music"))
    , copyBaseline(root + QStringLiteral("/copy/cp"))
    , largeProgram(root + QStringLiteral("/large/program"))
    , emptyProgram(root + QStringLiteral("/empty/program"))
    , manyNames(root + QStringLiteral("/many")) {}

bool BenchFolders::makeCopyCase(QString* error) const {
    return makeCopyFixture(*this, error);
}

bool BenchFolders::makeStartupCase(QString* error) const {
    return makeLargeFixture(*this, error) &&
           makeProgramFolder(emptyProgram, QString(), root + QStringLiteral("/empty/Custom Music"),
                             error);
}

bool BenchFolders::makeManyNames(QString* error) const {
    return makeFolder(manyNames, error) && writeNameOnlySongs(manyNames, 0, manyNameCount, error);
}

namespace Fixtures {

QStringList filePaths(const QString& folder) {
    QStringList paths;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name))
        paths << dir.filePath(name);
    return paths;
}

bool emptyFolder(const QString& folder) {
    bool ok = true;
    for (const QString& path : filePaths(folder))
        ok = QFile::remove(path) && ok;
    return ok;
}

int fileCount(const QString& folder) {
    return int(QDir(folder).entryList(QDir::Files | QDir::Hidden).size());
}

} // namespace Fixtures
