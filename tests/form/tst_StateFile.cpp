#include "TestFiles.h"

#include "form/FolderLayout.h"
#include "form/Form.h"
#include "form/StateFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// data.txt and the folder layout around it: a user's saved state must come back whole,
// whatever wrote the file.
class TestStateFile : public QObject {
    Q_OBJECT

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void parse_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<int>("lines");
        QTest::newRow("CR LF") << QByteArray("Rock\r\n2024-05-01\r\n/m\r\n")
                               << QStringList{"Rock", "2024-05-01", "/m"} << 3;
        QTest::newRow("LF only, no last break")
            << QByteArray("Rock\n\n/m") << QStringList{"Rock", "", "/m"} << 3;
        QTest::newRow("BOM") << QByteArray("\xEF\xBB\xBFRock\r\nx\r\ny\r\n")
                             << QStringList{"Rock", "x", "y"} << 3;
        QTest::newRow("commas and quotes")
            << QByteArray("\"Best, of\" 90s\r\na,b,c\r\n\"/home/kim/My, Music\"\r\n")
            << QStringList{"\"Best, of\" 90s", "a,b,c", "\"/home/kim/My, Music\""} << 3;
        QTest::newRow("a lone CR ends a line too")
            << QByteArray("a\rb\r\nc\r\r\nd\n") << QStringList{"a", "b", "c"} << 3;
        QTest::newRow("old CR-only file")
            << QByteArray("Rock\rNever\r/m\r") << QStringList{"Rock", "Never", "/m"} << 3;
        QTest::newRow("one line") << QByteArray("Rock\r\n") << QStringList{"Rock", "", ""} << 1;
        QTest::newRow("two lines") << QByteArray("Rock\nx") << QStringList{"Rock", "x", ""} << 2;
        QTest::newRow("empty") << QByteArray() << QStringList{"", "", ""} << 0;
        QTest::newRow("only a BOM") << QByteArray("\xEF\xBB\xBF") << QStringList{"", "", ""} << 0;
        QTest::newRow("lines after the third")
            << QByteArray("a\nb\nc\nd\ne\n") << QStringList{"a", "b", "c"} << 3;
        QTest::newRow("UTF-8") << QByteArray("Caf\xC3\xA9\r\n\xE6\x97\xA5\r\n/m\r\n")
                               << QStringList{"Caf\u00E9", "\u65E5", "/m"} << 3;
        QTest::newRow("Latin-1") << QByteArray("Caf\xE9\r\nx\r\n/m\xFC\r\n")
                                 << QStringList{"Caf\u00E9", "x", "/m\u00FC"} << 3;
        QTest::newRow("UTF-8 cut short")
            << QByteArray("a\nb\nc\xC3") << QStringList{"a", "b", "c\u00C3"} << 3;
        QTest::newRow("invalid bytes after line 3 are ignored")
            << QByteArray("Caf\xC3\xA9\nb\nc\n\xFF\xFE\n") << QStringList{"Caf\u00E9", "b", "c"}
            << 3;
        QTest::newRow("NUL bytes")
            << QByteArray("a\0b\n\0\nc\n", 9)
            << QStringList{QString("a") + QChar(0) + "b", QString(QChar(0)), "c"} << 3;
    }
    void parse() {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, values);
        QFETCH(int, lines);
        int linesRead = -1;
        const StateValues parsed = StateFile::parse(content, &linesRead);
        QCOMPARE((QStringList{parsed.currentPlaylist, parsed.lastUpdated, parsed.musicFolder}),
                 values);
        QCOMPARE(linesRead, lines);
    }

    void parseLongLine() {
        const QByteArray longValue(1 << 20, 'x');
        const StateValues parsed = StateFile::parse("Rock\r\n" + longValue + "\r\n/m\r\n");
        QCOMPARE(parsed.lastUpdated.size(), longValue.size());
        QCOMPARE(parsed.musicFolder, QString("/m"));
    }

    void encodeKeepsThreeLines() {
        QCOMPARE(StateFile::encode({"Rock", "", "/home/kim/M\u00FCsic"}),
                 QByteArray("Rock\r\n\r\n/home/kim/M\xC3\xBCsic\r\n"));
        int lines = 0;
        const StateValues back =
            StateFile::parse(StateFile::encode({"two\r\nlines", "a\nb\rc", "/m"}), &lines);
        QCOMPARE(lines, 3);
        QCOMPARE(back.currentPlaylist, QString("two lines"));
        QCOMPARE(back.lastUpdated, QString("a b c"));
        QCOMPARE(back.musicFolder, QString("/m"));
    }

    void writeThenReadRoundTrip() {
        RealFileOps files;
        const QString path = m_dir->filePath("data.txt");
        const StateValues values{"\"Best, of\" \u65E5", "1.5.2024, 10:00",
                                 "/home/kim/Documents/Quillon Interactive/The Tovia 3/"
                                 "Custom Music"};
        QVERIFY(StateFile::write(files, path, values));
        const StateRead read = StateFile::read(path);
        QCOMPARE(read.status, StateRead::Status::Ok);
        QCOMPARE(read.linesRead, 3);
        QCOMPARE(read.values.currentPlaylist, values.currentPlaylist);
        QCOMPARE(read.values.lastUpdated, values.lastUpdated);
        QCOMPARE(read.values.musicFolder, values.musicFolder);
    }

    void latin1ValuesSurviveTheNextWrite() {
        RealFileOps files;
        const QString path = m_dir->filePath("data.txt");
        writeFile(path, "Caf\xE9\r\n\r\n/home/kim/M\xFCsic\r\n");
        const StateRead first = StateFile::read(path);
        QVERIFY(StateFile::write(files, path, first.values));
        const StateRead second = StateFile::read(path);
        QCOMPARE(second.values.currentPlaylist, QString("Caf\u00E9"));
        QCOMPARE(second.values.musicFolder, QString("/home/kim/M\u00FCsic"));
    }

    void readReportsMissingAndUnreadable() {
        QCOMPARE(StateFile::read(m_dir->filePath("data.txt")).status, StateRead::Status::Missing);

        QDir(m_dir->path()).mkdir("folder");
        StateRead read = StateFile::read(m_dir->filePath("folder"));
        QCOMPARE(read.status, StateRead::Status::Unreadable);
        QVERIFY(read.error.contains("folder"));

        // An endless device must not be read until memory runs out.
        QVERIFY(QFile::link("/dev/zero", m_dir->filePath("endless")));
        read = StateFile::read(m_dir->filePath("endless"));
        QCOMPARE(read.status, StateRead::Status::Unreadable);
        QVERIFY(!read.error.isEmpty());
    }

    void formReadsAndWritesItsProgramFolder() {
        RealFileOps files;
        Form form;
        form.programFolder = m_dir->path();
        form.CurrentPlaylist = "Keep";
        form.MusicFolder = "/keep";
        QCOMPARE(StateFile::readInto(form).status, StateRead::Status::Missing);
        QCOMPARE(form.CurrentPlaylist, QString("Keep"));

        writeFile(m_dir->filePath("data.txt"), "Rock\r\nyesterday\r\n/m\r\n");
        QCOMPARE(StateFile::readInto(form).status, StateRead::Status::Ok);
        QCOMPARE(form.CurrentPlaylist, QString("Rock"));
        QCOMPARE(form.LastUpdated, QString("yesterday"));
        QCOMPARE(form.MusicFolder, QString("/m"));

        form.LastUpdated = "today";
        QVERIFY(StateFile::writeFrom(files, form));
        QCOMPARE(readFile(m_dir->filePath("data.txt")), QByteArray("Rock\r\ntoday\r\n/m\r\n"));
    }

    void playlistNameFromPath_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "/tools/manager/Playlists/Rock Mix"
                               << "Rock Mix";
        QTest::newRow("name holds the word") << "/x/Playlists/My Playlists"
                                             << "My Playlists";
        QTest::newRow("program path holds the word") << "/Playlists/Manager/Playlists/Jazz"
                                                     << "Jazz";
        QTest::newRow("trailing slash") << "/x/Playlists/Jazz/"
                                        << "Jazz";
        QTest::newRow("built by the layout")
            << FolderLayout::playlistFolder("/opt/Playlists/t", "90s, live") << "90s, live";
    }
    void playlistNameFromPath() {
        QFETCH(QString, entry);
        QFETCH(QString, name);
        QCOMPARE(FolderLayout::PlaylistNameFromPath(entry), name);
    }

    void layoutPaths() {
        QCOMPARE(FolderLayout::join("/a", "b"), QString("/a/b"));
        QCOMPARE(FolderLayout::join("/a/", "b"), QString("/a/b"));
        QCOMPARE(FolderLayout::join("/a/", "/b"), QString("/a/b"));
        QCOMPARE(FolderLayout::join("/", "b"), QString("/b"));
        for (const QString& program : {QString("/opt/tovia"), QString("/opt/tovia/")}) {
            QCOMPARE(FolderLayout::stateFile(program), QString("/opt/tovia/data.txt"));
            QCOMPARE(FolderLayout::libraryFolder(program), QString("/opt/tovia/Library/"));
            QCOMPARE(FolderLayout::playlistsFolder(program), QString("/opt/tovia/Playlists/"));
            QCOMPARE(FolderLayout::playlistFolder(program, "Rock"),
                     QString("/opt/tovia/Playlists/Rock"));
        }
        const QString tail = "/Documents/Quillon Interactive/The Tovia 3/Custom Music";
        QCOMPARE(FolderLayout::defaultMusicFolder("kim"), "/home/kim" + tail);
        for (const QString& odd : {QString(), QString(".."), QString("a/b")}) {
            const QString folder = FolderLayout::defaultMusicFolder(odd);
            QVERIFY2(folder.startsWith("/home/") && folder.endsWith(tail), qPrintable(folder));
            QCOMPARE(QDir::cleanPath(folder).count('/'), tail.count('/') + 2);
        }
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestStateFile)
#include "tst_StateFile.moc"
