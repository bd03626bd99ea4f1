// Song details: what the tags say, how each kind of file is shown, the cache, and the tooltip.
#include "widgets/FileList.h"
#include "widgets/SongDetails.h"
#include "widgets/TagReader.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QHelpEvent>
#include <QTemporaryDir>
#include <QToolTip>
#include <QtTest>

#include <sys/stat.h>

namespace {

QString sample(const QString& name) {
    return QStringLiteral(TOVIA_TEST_DATA "/") + name;
}

QString copySample(const QTemporaryDir& dir, const QString& sampleName, const QString& as) {
    const QString path = dir.filePath(as);
    QFile::remove(path);
    if (!QFile::copy(sample(sampleName), path))
        return {};
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return path;
}

// Rewrites a title of the same length in place (the fixtures store titles as UTF-16), so that
// the file keeps its size; its modification time is then put back or moved on.
bool patchTitle(const QString& path, const QString& from, const QString& to) {
    const auto utf16 = [](const QString& text) {
        return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    };
    QFile file(path);
    if (from.size() != to.size() || !file.open(QIODevice::ReadWrite))
        return false;
    QByteArray bytes = file.readAll();
    const qsizetype at = bytes.indexOf(utf16(from));
    if (at < 0)
        return false;
    bytes.replace(at, from.size() * 2, utf16(to));
    return file.seek(0) && file.write(bytes) == bytes.size();
}

bool setModified(const QString& path, const QDateTime& when) {
    QFile file(path);
    return file.open(QIODevice::ReadWrite) &&
           file.setFileTime(when, QFileDevice::FileModificationTime);
}

} // namespace

class TestSongDetails : public QObject {
    Q_OBJECT

private slots:
    void tagsOfTheFixtures();
    void eachKindOfFile_data();
    void eachKindOfFile();
    void namedPipeIsNotOpened();
    void lengths_data();
    void lengths();
    void aChangedFileIsReadAgain();
    void rowToolTipsAreShownAsPlainText();
    void listWithoutSourceKeepsItsOwnToolTip();
};

void TestSongDetails::tagsOfTheFixtures() {
    const SongTags tagged = TagReader::read(sample(QStringLiteral("tone-a.mp3")));
    QCOMPARE(tagged.title, QStringLiteral("Test Tone"));
    QCOMPARE(tagged.artist, QStringLiteral("Tovia Testers"));
    QCOMPARE(tagged.album, QStringLiteral("Fixtures"));
    // The fixtures are one second of audio.
    QVERIFY2(tagged.lengthMs >= 900 && tagged.lengthMs <= 1200,
             qPrintable(QString::number(tagged.lengthMs)));

    const SongTags plain = TagReader::read(sample(QStringLiteral("tone-b.mp3")));
    QVERIFY(!plain.hasTags());
    QVERIFY(plain.hasAudio());

    const SongTags broken = TagReader::read(sample(QStringLiteral("broken.mp3")));
    QVERIFY(!broken.hasTags());
    QVERIFY(!broken.hasAudio());
}

void TestSongDetails::eachKindOfFile_data() {
    QTest::addColumn<QString>("sampleName"); // "" for no file at all, "/" for a folder
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("tagged")
        << "tone-a.mp3"
        << "Song One.mp3"
        << "Title: Test Tone\nArtist: Tovia Testers\nAlbum: Fixtures\nLength: 0:01";
    QTest::newRow("untagged: name and length") << "tone-b.mp3"
                                               << "b.mp3"
                                               << "b.mp3\nLength: 0:01";
    QTest::newRow("title only") << "tone-c.mp3"
                                << "c.mp3"
                                << "Title: Third\nLength: 0:01";
    QTest::newRow("listed by the pattern, not by its extension")
        << "tone-a.mp3"
        << "old.mp3.bak"
        << "Title: Test Tone\nArtist: Tovia Testers\nAlbum: Fixtures\nLength: 0:01";
    QTest::newRow("not audio: the name") << "broken.mp3"
                                         << "broken.mp3"
                                         << "broken.mp3";
    QTest::newRow("gone: the name") << ""
                                    << "gone.mp3"
                                    << "gone.mp3";
    QTest::newRow("a folder: the name") << "/"
                                        << "folder.mp3"
                                        << "folder.mp3";
    QTest::newRow("odd name") << "tone-b.mp3"
                              << "ä <b>&amp; 'x'.mp3"
                              << "ä <b>&amp; 'x'.mp3\nLength: 0:01";
}

void TestSongDetails::eachKindOfFile() {
    QFETCH(QString, sampleName);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    if (sampleName == QLatin1String("/"))
        QVERIFY(QDir(dir.path()).mkdir(name));
    else if (!sampleName.isEmpty())
        QVERIFY(!copySample(dir, sampleName, name).isEmpty());
    SongDetails details;
    QCOMPARE(details.describe(dir.filePath(name)), expected);
}

void TestSongDetails::namedPipeIsNotOpened() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pipe.mp3"));
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    // Opening a pipe without a writer would never return.
    SongDetails details;
    QCOMPARE(details.describe(path), QStringLiteral("pipe.mp3"));
}

void TestSongDetails::lengths_data() {
    QTest::addColumn<qint64>("ms");
    QTest::addColumn<QString>("text");
    QTest::newRow("none") << qint64(0) << "0:00";
    QTest::newRow("rounds down") << qint64(1499) << "0:01";
    QTest::newRow("rounds up") << qint64(59500) << "1:00";
    QTest::newRow("minutes") << qint64(754000) << "12:34";
    QTest::newRow("an hour and more") << qint64(3723000) << "1:02:03";
}

void TestSongDetails::lengths() {
    QFETCH(qint64, ms);
    QFETCH(QString, text);
    QCOMPARE(SongDetails::formatLength(ms), text);
}

void TestSongDetails::aChangedFileIsReadAgain() {
    QTemporaryDir dir;
    const QString path = copySample(dir, QStringLiteral("tone-a.mp3"), QStringLiteral("song.mp3"));
    const QDateTime then = QDateTime::currentDateTime().addSecs(-3600);
    QVERIFY(setModified(path, then));
    SongDetails details;
    QVERIFY(details.describe(path).startsWith(QStringLiteral("Title: Test Tone\n")));

    // Same size, same time: the remembered text stands, the file is not read again.
    QVERIFY(patchTitle(path, QStringLiteral("Test Tone"), QStringLiteral("Test Tune")));
    QVERIFY(setModified(path, then));
    QVERIFY(details.describe(path).startsWith(QStringLiteral("Title: Test Tone\n")));

    // A newer version of the file is read again.
    QVERIFY(setModified(path, then.addSecs(60)));
    QVERIFY(details.describe(path).startsWith(QStringLiteral("Title: Test Tune\n")));

    // So is another file of another size put in its place, whatever its time.
    QVERIFY(!copySample(dir, QStringLiteral("tone-b.mp3"), QStringLiteral("song.mp3")).isEmpty());
    QVERIFY(setModified(path, then.addSecs(60)));
    QCOMPARE(details.describe(path), QStringLiteral("song.mp3\nLength: 0:01"));
}

void TestSongDetails::rowToolTipsAreShownAsPlainText() {
    QTemporaryDir dir;
    const QString path = copySample(dir, QStringLiteral("tone-a.mp3"), QStringLiteral("a.mp3"));
    QVERIFY(patchTitle(path, QStringLiteral("Test Tone"), QStringLiteral("<i>Te</i>")));
    QVERIFY(!copySample(dir, QStringLiteral("tone-b.mp3"), QStringLiteral("b.mp3")).isEmpty());

    FileList list;
    list.setPattern(QStringLiteral("*.mp3*"));
    list.setFolder(dir.path());
    SongDetails details;
    int asked = 0;
    list.setToolTipSource([&](int row) {
        ++asked;
        return details.describe(list.pathOf(list.item(row)));
    });
    // Filling the list asks for nothing.
    list.refresh();
    QCOMPARE(asked, 0);
    list.resize(300, 200);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));

    const QRect row = list.visualRect(static_cast<QAbstractItemView&>(list).model()->index(0, 0));
    QHelpEvent help(QEvent::ToolTip, row.center(), list.viewport()->mapToGlobal(row.center()));
    QCoreApplication::sendEvent(list.viewport(), &help);
    QCOMPARE(asked, 1);
    QTRY_VERIFY(QToolTip::isVisible());
    // The title's angle brackets are shown as they are, not taken as markup.
    QVERIFY2(QToolTip::text().contains(QStringLiteral("&lt;i&gt;Te&lt;/i&gt;")),
             qPrintable(QToolTip::text()));
    QVERIFY(QToolTip::text().contains(QStringLiteral("Tovia Testers")));
    QCOMPARE(list.toolTipAt(1), QStringLiteral("b.mp3\nLength: 0:01"));
    QCOMPARE(list.toolTipAt(2), QString());
    QCOMPARE(list.toolTipAt(-1), QString());
    QToolTip::hideText();
}

void TestSongDetails::listWithoutSourceKeepsItsOwnToolTip() {
    FileList list;
    list.setItems({QStringLiteral("a.mp3")});
    QCOMPARE(list.toolTipAt(0), QString());
    list.setToolTip(QStringLiteral("the list's own"));
    list.resize(300, 200);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    // Below the last row there is no row tooltip: the list's own shows.
    const QPoint empty(10, 150);
    list.setToolTipSource([](int) { return QStringLiteral("row"); });
    QHelpEvent help(QEvent::ToolTip, empty, list.viewport()->mapToGlobal(empty));
    QCoreApplication::sendEvent(list.viewport(), &help);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral("the list's own"));
    QToolTip::hideText();
}

QTEST_MAIN(TestSongDetails)
#include "tst_SongDetails.moc"
