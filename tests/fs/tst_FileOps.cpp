#include "TestFiles.h"

#include "fs/FileOps.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <memory>
#include <thread>
#include <vector>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Temporary files a failed or finished operation left behind.
QStringList strayTemps(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral(".*.tovia-*")}, QDir::Files | QDir::Hidden);
}

mode_t modeOf(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// A small tmpfs, mounted for the test's lifetime; needs the right to mount.
class ScopedTmpfs {
public:
    explicit ScopedTmpfs(const QString& path, const char* options)
        : m_path(QFile::encodeName(path)) {
        QDir().mkpath(path);
        m_mounted = ::mount("tmpfs", m_path.constData(), "tmpfs", 0, options) == 0;
    }
    ~ScopedTmpfs() {
        if (m_mounted)
            ::umount2(m_path.constData(), MNT_DETACH);
    }
    bool mounted() const { return m_mounted; }

private:
    QByteArray m_path;
    bool m_mounted = false;
};

struct HelperRun {
    bool started = false;
    bool ok = false;
    QString output;
};

// Runs one operation in the helper as an unprivileged user: through setpriv when we are
// root (who may write anywhere), directly otherwise.
HelperRun runUnprivileged(const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // LeakSanitizer cannot trace a process that changed its user.
    environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    process.setProcessEnvironment(environment);
    if (::geteuid() == 0) {
        process.setProgram(QStringLiteral("setpriv"));
        process.setArguments(
            QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                        QStringLiteral("--clear-groups"), QStringLiteral(TOVIA_FILEOPS_HELPER)} +
            arguments);
    } else {
        process.setProgram(QStringLiteral(TOVIA_FILEOPS_HELPER));
        process.setArguments(arguments);
    }
    process.start();
    HelperRun run;
    run.started = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
                  process.exitCode() != 2 && process.exitCode() != 127;
    run.ok = process.exitCode() == 0;
    run.output = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    return run;
}

void giveToNobody(const QString& path) {
    if (::geteuid() == 0)
        QVERIFY(::chown(QFile::encodeName(path).constData(), 65534, 65534) == 0);
}

} // namespace

class TestFileOps : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_root = m_dir->path();
    }
    void cleanup() {
        // Give back the write rights a test took away, so that the folder can be removed.
        QDirIterator it(m_root, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::NoSymLinks,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            QFile::setPermissions(it.next(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_dir.reset();
    }

    void copyReplaceCreatesAndReplaces() {
        const QString src = m_root + "/song.mp3";
        writeFile(src, QByteArray(300000, 'n'));
        QFile::setPermissions(src, QFile::ReadOwner | QFile::WriteOwner);

        const QString dst = m_root + "/copy.mp3";
        QVERIFY(m_files.copyReplace(src, dst));
        QCOMPARE(readFile(dst), readFile(src));
        QCOMPARE(modeOf(dst), mode_t(0644)); // the game and other users must read it

        writeFile(src, "shorter");
        QVERIFY(m_files.copyReplace(src, dst));
        QCOMPARE(readFile(dst), QByteArray("shorter"));

        // A name near the limit still leaves room for the hidden temporary name.
        const QString longName = m_root + '/' + QString(120, QChar(0xE9)) + ".mp3";
        QVERIFY(m_files.copyReplace(src, longName));
        QCOMPARE(readFile(longName), QByteArray("shorter"));
        QCOMPARE(strayTemps(m_root), QStringList());
    }

    void copyReplaceFailureLeavesDestination_data() {
        QTest::addColumn<QString>("src");
        QTest::addColumn<QString>("dst");
        QTest::newRow("source missing") << "gone.mp3"
                                        << "dst/old.mp3";
        QTest::newRow("source is a folder") << "folder.mp3"
                                            << "dst/old.mp3";
        QTest::newRow("destination folder missing") << "song.mp3"
                                                    << "nowhere/old.mp3";
        QTest::newRow("destination is a folder") << "song.mp3"
                                                 << "dst/sub";
    }
    void copyReplaceFailureLeavesDestination() {
        QFETCH(QString, src);
        QFETCH(QString, dst);
        QDir(m_root).mkpath("dst/sub/inner");
        QDir(m_root).mkpath("folder.mp3");
        writeFile(m_root + "/song.mp3", "new");
        writeFile(m_root + "/dst/old.mp3", "old");
        writeFile(m_root + "/dst/sub/inner/keep.mp3", "keep");

        const FileResult result = m_files.copyReplace(m_root + '/' + src, m_root + '/' + dst);
        QVERIFY(!result);
        QVERIFY2(result.error.contains(QFileInfo(src).fileName()), qPrintable(result.error));
        QCOMPARE(readFile(m_root + "/dst/old.mp3"), QByteArray("old"));
        QCOMPARE(readFile(m_root + "/dst/sub/inner/keep.mp3"), QByteArray("keep"));
        QCOMPARE(strayTemps(m_root + "/dst"), QStringList());
    }

    void copyReplaceOntoItselfKeepsFile() {
        const QString song = m_root + "/song.mp3";
        writeFile(song, "music");
        QVERIFY(QFile::link(song, m_root + "/link.mp3"));
        QVERIFY(::link(QFile::encodeName(song).constData(),
                       QFile::encodeName(m_root + "/hard.mp3").constData()) == 0);

        for (const QString& other :
             {song, m_root + "/./song.mp3", m_root + "/hard.mp3", m_root + "/link.mp3"}) {
            QVERIFY2(m_files.copyReplace(song, other), qPrintable(other));
            QCOMPARE(readFile(song), QByteArray("music"));
        }
        QVERIFY(m_files.copyReplace(m_root + "/hard.mp3", song));
        QCOMPARE(readFile(song), QByteArray("music"));
    }

    void copyReplaceFromThreadsLeavesOneWholeFile() {
        std::vector<QByteArray> contents;
        for (char fill : {'a', 'b', 'c', 'd'}) {
            contents.emplace_back(1 << 20, fill);
            writeFile(m_root + '/' + fill + ".mp3", contents.back());
        }
        const QString dst = m_root + "/shared.mp3";
        std::vector<std::thread> workers;
        std::vector<int> failures(contents.size(), 0);
        for (size_t i = 0; i < contents.size(); ++i) {
            const QString src = m_root + '/' + contents[i].at(0) + ".mp3";
            workers.emplace_back([&, i, src] {
                RealFileOps files;
                for (int round = 0; round < 5; ++round)
                    failures[i] += files.copyReplace(src, dst) ? 0 : 1;
            });
        }
        for (std::thread& worker : workers)
            worker.join();
        QCOMPARE(failures, std::vector<int>(contents.size(), 0));
        QVERIFY(std::find(contents.begin(), contents.end(), readFile(dst)) != contents.end());
        QCOMPARE(strayTemps(m_root), QStringList());
    }

    void removeFileDeletesOnlyFiles() {
        writeFile(m_root + "/a.mp3", "a");
        writeFile(m_root + "/target.mp3", "t");
        QVERIFY(QFile::link(m_root + "/target.mp3", m_root + "/link.mp3"));
        QDir(m_root).mkdir("folder");

        QVERIFY(m_files.removeFile(m_root + "/a.mp3"));
        QVERIFY(!QFileInfo::exists(m_root + "/a.mp3"));
        QVERIFY(m_files.removeFile(m_root + "/link.mp3"));
        QCOMPARE(readFile(m_root + "/target.mp3"), QByteArray("t"));

        FileResult result = m_files.removeFile(m_root + "/a.mp3");
        QVERIFY(!result);
        QVERIFY(result.error.contains("a.mp3"));
        result = m_files.removeFile(m_root + "/folder");
        QVERIFY(!result);
        QVERIFY(QFileInfo(m_root + "/folder").isDir());
    }

    void makeDirMakesOneLevel() {
        QVERIFY(m_files.makeDir(m_root + "/Rock"));
        QVERIFY(QFileInfo(m_root + "/Rock").isDir());
        QVERIFY(!m_files.makeDir(m_root + "/Rock"));
        writeFile(m_root + "/file", "x");
        QVERIFY(!m_files.makeDir(m_root + "/file"));
        QCOMPARE(readFile(m_root + "/file"), QByteArray("x"));
        const FileResult result = m_files.makeDir(m_root + "/missing/child");
        QVERIFY(!result);
        QVERIFY(result.error.contains("missing/child"));
        QVERIFY(!QFileInfo::exists(m_root + "/missing"));
    }

    void removeTreeNeverFollowsLinks() {
        QDir(m_root).mkpath("outside/deep");
        writeFile(m_root + "/outside/keep.mp3", "keep");
        writeFile(m_root + "/outside/deep/keep.mp3", "keep");
        QDir(m_root).mkpath("music/sub/.hidden");
        writeFile(m_root + "/music/a.mp3", "a");
        writeFile(m_root + "/music/sub/.hidden/b.mp3", "b");
        QVERIFY(QFile::link(m_root + "/outside", m_root + "/music/folderlink"));
        QVERIFY(QFile::link(m_root + "/outside/keep.mp3", m_root + "/music/sub/filelink"));
        QVERIFY(QFile::link(m_root + "/nothing", m_root + "/music/dangling"));

        QVERIFY(m_files.removeTree(m_root + "/music"));
        QVERIFY(!QFileInfo::exists(m_root + "/music"));
        QCOMPARE(readFile(m_root + "/outside/keep.mp3"), QByteArray("keep"));
        QCOMPARE(readFile(m_root + "/outside/deep/keep.mp3"), QByteArray("keep"));

        QVERIFY(QFile::link(m_root + "/outside", m_root + "/rootlink"));
        const FileResult result = m_files.removeTree(m_root + "/rootlink");
        QVERIFY(!result);
        QVERIFY(result.error.contains("rootlink"));
        QCOMPARE(readFile(m_root + "/outside/deep/keep.mp3"), QByteArray("keep"));

        QVERIFY(!m_files.removeTree(m_root + "/outside/keep.mp3"));
        QCOMPARE(readFile(m_root + "/outside/keep.mp3"), QByteArray("keep"));
        QVERIFY(m_files.removeTree(m_root + "/never-made"));
    }

    void removeTreeStaysOnItsFileSystem() {
        QDir(m_root).mkpath("music/mounted");
        writeFile(m_root + "/music/a.mp3", "a");
        ScopedTmpfs other(m_root + "/music/mounted", "size=64k");
        if (!other.mounted())
            QSKIP("mounting a tmpfs needs root");
        writeFile(m_root + "/music/mounted/keep.mp3", "keep");

        const FileResult result = m_files.removeTree(m_root + "/music");
        QVERIFY(!result);
        QVERIFY2(result.error.contains("mounted"), qPrintable(result.error));
        QCOMPARE(readFile(m_root + "/music/mounted/keep.mp3"), QByteArray("keep"));
    }

    void writeAtomicReplacesWholeContent() {
        const QString path = m_root + "/data.txt";
        QVERIFY(m_files.writeAtomic(path, "first"));
        QCOMPARE(readFile(path), QByteArray("first"));
        QCOMPARE(modeOf(path), mode_t(0644));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(m_files.writeAtomic(path, "second"));
        QCOMPARE(readFile(path), QByteArray("second"));
        QCOMPARE(modeOf(path), mode_t(0600)); // a replaced file keeps its permissions

        QDir(m_root).mkpath("folder/inner");
        QVERIFY(!m_files.writeAtomic(m_root + "/folder", "x"));
        QVERIFY(QFileInfo(m_root + "/folder/inner").isDir());
        QVERIFY(!m_files.writeAtomic(m_root + "/missing/data.txt", "x"));
        QCOMPARE(strayTemps(m_root), QStringList());
    }

    void fullDiskKeepsOldFiles() {
        const QString small = m_root + "/small";
        ScopedTmpfs disk(small, "size=64k");
        if (!disk.mounted())
            QSKIP("mounting a tmpfs needs root");
        writeFile(small + "/old.mp3", "old song");
        writeFile(small + "/data.txt", "old state");
        writeFile(m_root + "/big.mp3", QByteArray(256 * 1024, 'b'));

        FileResult result = m_files.copyReplace(m_root + "/big.mp3", small + "/old.mp3");
        QVERIFY(!result);
        QVERIFY2(result.error.contains("big.mp3") && result.error.contains(qt_error_string(ENOSPC)),
                 qPrintable(result.error));
        QCOMPARE(readFile(small + "/old.mp3"), QByteArray("old song"));

        result = m_files.writeAtomic(small + "/data.txt", QByteArray(256 * 1024, 's'));
        QVERIFY(!result);
        QVERIFY2(result.error.contains(qt_error_string(ENOSPC)), qPrintable(result.error));
        QCOMPARE(readFile(small + "/data.txt"), QByteArray("old state"));
        QCOMPARE(strayTemps(small), QStringList());
        // The space of the failed copies came back.
        QVERIFY(m_files.writeAtomic(small + "/data.txt", QByteArray(32 * 1024, 's')));
    }

    void readOnlyFolderKeepsOldFiles() {
        QFile::setPermissions(m_root, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ReadOther | QFile::ExeOther);
        writeFile(m_root + "/song.mp3", "new song");
        const QString locked = m_root + "/locked";
        QDir(m_root).mkdir("locked");
        writeFile(locked + "/old.mp3", "old song");
        writeFile(locked + "/data.txt", "old state");
        QDir(m_root).mkpath("tree/sub");
        writeFile(m_root + "/tree/a.mp3", "a");
        writeFile(m_root + "/tree/sub/b.mp3", "b");
        for (const QString& path : {locked, m_root + "/tree", m_root + "/tree/a.mp3",
                                    m_root + "/tree/sub", m_root + "/tree/sub/b.mp3"})
            giveToNobody(path);
        for (const QString& folder : {locked, m_root + "/tree/sub"})
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner |
                                                      QFile::ReadOther | QFile::ExeOther));

        HelperRun run = runUnprivileged({"copy", m_root + "/song.mp3", locked + "/old.mp3"});
        if (!run.started)
            QSKIP("cannot run the helper as an unprivileged user");
        QVERIFY(!run.ok);
        QVERIFY2(run.output.contains("song.mp3") && run.output.contains(qt_error_string(EACCES)),
                 qPrintable(run.output));
        QCOMPARE(readFile(locked + "/old.mp3"), QByteArray("old song"));

        run = runUnprivileged({"write", locked + "/data.txt", "new state"});
        QVERIFY2(!run.ok && run.output.contains("data.txt"), qPrintable(run.output));
        QCOMPARE(readFile(locked + "/data.txt"), QByteArray("old state"));

        run = runUnprivileged({"remove", locked + "/old.mp3"});
        QVERIFY2(!run.ok && run.output.contains("old.mp3"), qPrintable(run.output));
        QCOMPARE(strayTemps(locked), QStringList());

        // Stops at the first item it cannot delete and names it; what remains stays.
        run = runUnprivileged({"rmtree", m_root + "/tree"});
        QVERIFY(!run.ok);
        QVERIFY2(run.output.contains("sub/b.mp3"), qPrintable(run.output));
        QCOMPARE(readFile(m_root + "/tree/sub/b.mp3"), QByteArray("b"));
        QCOMPARE(readFile(m_root + "/song.mp3"), QByteArray("new song"));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_root;
    RealFileOps m_files;
};

QTEST_GUILESS_MAIN(TestFileOps)
#include "tst_FileOps.moc"
