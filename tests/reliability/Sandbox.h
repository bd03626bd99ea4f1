#pragma once

#include <QByteArray>
#include <QHash>
#include <QMap>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class FileOps;
class TestApp;

// A temporary tree of sentinel files and folders around the program folders and music folders
// a test uses, with snapshots of it: a test proves that nothing outside the folders an
// operation may change was touched by comparing snapshots taken before and after.
//
//   notes.txt, a/, b/ (with sub/)     sentinels that nothing may ever change
//   songs/                            songs to browse for (mp3s, odd names, a link, a subfolder)
//   games/Custom Music/               a music folder: songs, a link to b/ and one to notes.txt
//   games/Alt Music/, games/Nested/   another music folder, and one holding a folder
//   home/                             stands in for a home folder
//   apps/                             program folders made by makeApp()
class Sandbox {
public:
    Sandbox();

    QString root() const { return m_dir.path(); }
    QString path(const QString& relative) const;
    QString musicFolder() const { return path(QStringLiteral("games/Custom Music")); }

    struct Entry {
        QString kind; // "file", "dir" or "link"
        qint64 size = 0;
        QByteArray hash;
        QString target; // of a link
        bool operator==(const Entry&) const = default;
    };
    using Snapshot = QMap<QString, Entry>;

    // Every entry below root(), by its path relative to root(), except those at or below one of
    // the excluded folders. Links are recorded, never followed.
    Snapshot snapshot(const QStringList& excluded = {}) const { return scan(root(), excluded); }
    // The same for any folder, by paths relative to it.
    Snapshot scan(const QString& folder, const QStringList& excluded = {}) const;
    struct Difference {
        enum class What { Appeared, Changed, Vanished };
        QString path; // relative to root()
        What what;
    };
    static QList<Difference> compare(const Snapshot& before, const Snapshot& after);
    // One line per entry that appeared, changed or vanished.
    static QStringList differences(const Snapshot& before, const Snapshot& after);

    // A TestApp whose program folder lies in apps/, so that the sentinels surround it.
    std::unique_ptr<TestApp> makeApp(FileOps* files = nullptr) const;

    // Files of a scan whose content is none of the whole files the test data and the sentinels
    // hold: a partial or mixed copy. Files named in skipped (a state file) hold other things.
    QStringList incompleteFiles(const Snapshot& scanned, const QStringList& skipped = {}) const;
    QStringList incompleteFiles(const QString& folder) const {
        return incompleteFiles(scan(folder));
    }
    // Hidden temporary files that file operations use while they work.
    static QStringList leftoverTempFiles(const Snapshot& scanned);
    QStringList leftoverTempFiles(const QString& folder) const {
        return leftoverTempFiles(scan(folder));
    }

    static QByteArray hashOf(const QString& file);

private:
    void write(const QString& relative, const QByteArray& content);
    void putSample(const QString& relative, const QString& sample);
    void link(const QString& relative, const QString& target);

    struct Cached {
        qint64 size, modified, changed, inode;
        QByteArray hash;
    };

    QTemporaryDir m_dir;
    QSet<QByteArray> m_known;
    // Hashes of files already read, kept while their status stays the same.
    mutable QHash<QString, Cached> m_hashes;
};

// Names in a folder, sorted by code point: files (optionally matching a wildcard pattern) or
// subfolders, without hidden ones. A missing folder has none.
QStringList filesOf(const QString& folder, const QString& pattern = QString());
QStringList subfoldersOf(const QString& folder);
QStringList sortedNames(QStringList names);
