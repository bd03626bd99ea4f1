#include "Sandbox.h"

#include "ProgramFolder.h"
#include "TestApp.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

#include <algorithm>

#include <sys/stat.h>

namespace {

const QStringList samples{QStringLiteral("tone-a.mp3"), QStringLiteral("tone-b.mp3"),
                          QStringLiteral("tone-c.mp3"), QStringLiteral("broken.mp3")};

bool isAtOrBelow(const QString& path, const QString& folder) {
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

// Every entry below folder, links recorded but never entered.
QStringList walk(const QString& folder) {
    QStringList paths;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        paths << it.next();
    return paths;
}

} // namespace

Sandbox::Sandbox() {
    QVERIFY(m_dir.isValid());
    for (const QString& sample : samples)
        m_known.insert(hashOf(ProgramFolder::sample(sample)));

    write(QStringLiteral("notes.txt"), "Sentinel: nothing may change this file.\n");
    putSample(QStringLiteral("a/a1.mp3"), QStringLiteral("tone-a.mp3"));
    write(QStringLiteral("a/a2.txt"), "Sentinel a2\n");
    putSample(QStringLiteral("b/b1.mp3"), QStringLiteral("tone-b.mp3"));
    putSample(QStringLiteral("b/sub/b2.mp3"), QStringLiteral("tone-c.mp3"));

    putSample(QStringLiteral("songs/s1.mp3"), QStringLiteral("tone-a.mp3"));
    putSample(QStringLiteral("songs/S2.MP3"), QStringLiteral("tone-b.mp3"));
    putSample(QStringLiteral("songs/Caf\u00e9 \u2615 song.mp3"), QStringLiteral("tone-c.mp3"));
    putSample(QStringLiteral("songs/comma, \"quote\" #1.mp3"), QStringLiteral("tone-a.mp3"));
    putSample(QStringLiteral("songs/song.mp3.bak"), QStringLiteral("tone-b.mp3"));
    putSample(QStringLiteral("songs/.hidden.mp3"), QStringLiteral("tone-c.mp3"));
    putSample(QStringLiteral("songs/not audio.mp3"), QStringLiteral("broken.mp3"));
    write(QStringLiteral("songs/readme.txt"), "Sentinel readme\n");
    putSample(QStringLiteral("songs/deeper/s3.mp3"), QStringLiteral("tone-c.mp3"));
    link(QStringLiteral("songs/linked b1.mp3"), path(QStringLiteral("b/b1.mp3")));

    putSample(QStringLiteral("games/Custom Music/old1.mp3"), QStringLiteral("tone-a.mp3"));
    putSample(QStringLiteral("games/Custom Music/old2.mp3"), QStringLiteral("tone-b.mp3"));
    link(QStringLiteral("games/Custom Music/to b"), path(QStringLiteral("b")));
    link(QStringLiteral("games/Custom Music/to notes.txt"), path(QStringLiteral("notes.txt")));
    putSample(QStringLiteral("games/Alt Music/alt.mp3"), QStringLiteral("tone-c.mp3"));
    putSample(QStringLiteral("games/Nested/Inner/x.mp3"), QStringLiteral("tone-a.mp3"));

    write(QStringLiteral("home/profile.txt"), "Sentinel profile\n");
    QVERIFY(QDir(root()).mkpath(QStringLiteral("apps")));
}

QString Sandbox::path(const QString& relative) const {
    return relative.isEmpty() ? root() : root() + QLatin1Char('/') + relative;
}

void Sandbox::write(const QString& relative, const QByteArray& content) {
    const QString target = path(relative);
    QVERIFY(QDir().mkpath(QFileInfo(target).path()));
    QFile file(target);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
    m_known.insert(QCryptographicHash::hash(content, QCryptographicHash::Sha1));
}

void Sandbox::putSample(const QString& relative, const QString& sample) {
    const QFileInfo target(path(relative));
    ProgramFolder::putSong(target.path(), target.fileName(), sample);
}

void Sandbox::link(const QString& relative, const QString& target) {
    QVERIFY(QFile::link(target, path(relative)));
}

Sandbox::Snapshot Sandbox::scan(const QString& folder, const QStringList& excluded) const {
    QStringList cleanExcluded;
    for (const QString& path : excluded) {
        if (!path.isEmpty())
            cleanExcluded << QDir::cleanPath(path);
    }
    const QString base = QDir::cleanPath(folder);
    Snapshot result;
    for (const QString& entryPath : walk(base)) {
        if (std::any_of(cleanExcluded.begin(), cleanExcluded.end(),
                        [&](const QString& path) { return isAtOrBelow(entryPath, path); }))
            continue;
        struct stat status {};
        if (::lstat(QFile::encodeName(entryPath).constData(), &status) != 0)
            continue;
        Entry entry;
        if (S_ISLNK(status.st_mode)) {
            entry.kind = QStringLiteral("link");
            entry.target = QFileInfo(entryPath).symLinkTarget();
        } else if (S_ISDIR(status.st_mode)) {
            entry.kind = QStringLiteral("dir");
        } else {
            entry.kind = QStringLiteral("file");
            entry.size = status.st_size;
            const Cached now{status.st_size,
                             qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec,
                             qint64(status.st_ctim.tv_sec) * 1000000000 + status.st_ctim.tv_nsec,
                             qint64(status.st_ino),
                             {}};
            const auto cached = m_hashes.constFind(entryPath);
            if (cached != m_hashes.constEnd() && cached->size == now.size &&
                cached->modified == now.modified && cached->changed == now.changed &&
                cached->inode == now.inode) {
                entry.hash = cached->hash;
            } else {
                entry.hash = hashOf(entryPath);
                m_hashes.insert(entryPath,
                                {now.size, now.modified, now.changed, now.inode, entry.hash});
            }
        }
        result.insert(entryPath.mid(base.size() + 1), entry);
    }
    return result;
}

QList<Sandbox::Difference> Sandbox::compare(const Snapshot& before, const Snapshot& after) {
    QList<Difference> result;
    for (auto it = before.begin(); it != before.end(); ++it) {
        if (!after.contains(it.key()))
            result.append({it.key(), Difference::What::Vanished});
        else if (!(after.value(it.key()) == it.value()))
            result.append({it.key(), Difference::What::Changed});
    }
    for (auto it = after.begin(); it != after.end(); ++it) {
        if (!before.contains(it.key()))
            result.append({it.key(), Difference::What::Appeared});
    }
    return result;
}

QStringList Sandbox::differences(const Snapshot& before, const Snapshot& after) {
    static const char* const words[] = {"appeared: ", "changed: ", "vanished: "};
    QStringList lines;
    for (const Difference& difference : compare(before, after))
        lines << QLatin1String(words[int(difference.what)]) + difference.path;
    return lines;
}

std::unique_ptr<TestApp> Sandbox::makeApp(FileOps* files) const {
    // ProgramFolder makes its folder in the temporary folder the environment names.
    const bool hadTmp = qEnvironmentVariableIsSet("TMPDIR");
    const QByteArray savedTmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(path(QStringLiteral("apps"))));
    auto app = std::make_unique<TestApp>(files);
    if (hadTmp)
        qputenv("TMPDIR", savedTmp);
    else
        qunsetenv("TMPDIR");
    if (!app->folder.path().startsWith(path(QStringLiteral("apps/"))))
        qFatal("The program folder %s is not inside the sandbox", qPrintable(app->folder.path()));
    return app;
}

QStringList Sandbox::incompleteFiles(const Snapshot& scanned, const QStringList& skipped) const {
    QStringList result;
    for (auto it = scanned.begin(); it != scanned.end(); ++it) {
        if (it->kind == QLatin1String("file") && !m_known.contains(it->hash) &&
            !std::any_of(skipped.begin(), skipped.end(),
                         [&](const QString& path) { return path.endsWith(it.key()); }))
            result << it.key();
    }
    return result;
}

QStringList Sandbox::leftoverTempFiles(const Snapshot& scanned) {
    static const QRegularExpression temporary(QStringLiteral("(^|/)\\.[^/]*\\.tovia-[^/]+$"));
    QStringList result;
    for (auto it = scanned.begin(); it != scanned.end(); ++it) {
        if (temporary.match(it.key()).hasMatch())
            result << it.key();
    }
    return result;
}

QByteArray Sandbox::hashOf(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return QByteArrayLiteral("unreadable");
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(&in);
    return hash.result();
}

QStringList sortedNames(QStringList names) {
    std::sort(names.begin(), names.end());
    return names;
}

QStringList filesOf(const QString& folder, const QString& pattern) {
    QDir dir(folder);
    if (!pattern.isEmpty())
        dir.setNameFilters({pattern});
    return sortedNames(dir.entryList(QDir::Files));
}

QStringList subfoldersOf(const QString& folder) {
    return sortedNames(QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot));
}
