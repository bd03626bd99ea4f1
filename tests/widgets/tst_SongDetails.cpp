// Song details: how each kind of file is described, the cache, and the list's tooltip.
#include "widgets/FileList.h"
#include "widgets/SongDetails.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QHelpEvent>
#include <QTemporaryDir>
#include <QToolTip>
#include <QtTest>

#include <sys/stat.h>

namespace {

const QString toneA =
    QStringLiteral("Title: Test Tone\nArtist: Tovia Testers\nAlbum: Fixtures\nLength: 0:01");

QString copySample(const QTemporaryDir& dir, const QString& sample, const QString& as) {
    const QString path = dir.filePath(as);
    QFile::remove(path);
    if (!QFile::copy(QStringLiteral(TOVIA_TEST_DATA "/") + sample, path))
        return {};
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return path;
}

// Rewrites a title of the same length in place (the fixtures hold UTF-16 titles), so that the
// file keeps its size.
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

// What the list shows when the pointer rests at pos of its viewport, "" when nothing shows.
QString hover(ListBox& list, const QPoint& pos) {
    QToolTip::hideText(); // it fades out: a tip still showing would only be moved
    if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }))
        return QStringLiteral("<still showing>");
    QHelpEvent help(QEvent::ToolTip, pos, list.viewport()->mapToGlobal(pos));
    QCoreApplication::sendEvent(list.viewport(), &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

} // namespace

class TestSongDetails : public QObject {
    Q_OBJECT

private slots:
    void eachKindOfFile_data();
    void eachKindOfFile();
    void lengths_data();
    void lengths();
    void aChangedFileIsReadAgain();
    void rowsAskOnlyWhenHoveredAndShowPlainText();
};

void TestSongDetails::eachKindOfFile_data() {
    QTest::addColumn<QString>("sample"); // "" no file, "/" a folder, "|" a named pipe
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("tagged") << "tone-a.mp3"
                            << "a.mp3" << toneA;
    QTest::newRow("untagged: name and length") << "tone-b.mp3"
                                               << "b.mp3"
                                               << "b.mp3\nLength: 0:01";
    QTest::newRow("a title only") << "tone-c.mp3"
                                  << "c.mp3"
                                  << "Title: Third\nLength: 0:01";
    QTest::newRow("listed by the pattern") << "tone-a.mp3"
                                           << "old.mp3.bak" << toneA;
    QTest::newRow("odd name") << "tone-b.mp3"
                              << "ä <b> 'x'.mp3"
                              << "ä <b> 'x'.mp3\nLength: 0:01";
    QTest::newRow("not audio: the name") << "broken.mp3"
                                         << "broken.mp3"
                                         << "broken.mp3";
    QTest::newRow("gone: the name") << ""
                                    << "gone.mp3"
                                    << "gone.mp3";
    QTest::newRow("a folder: the name") << "/"
                                        << "folder.mp3"
                                        << "folder.mp3";
    // Opening a pipe without a writer would never return.
    QTest::newRow("a pipe: the name, unopened") << "|"
                                                << "pipe.mp3"
                                                << "pipe.mp3";
}

void TestSongDetails::eachKindOfFile() {
    QFETCH(QString, sample);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    if (sample == QLatin1String("/"))
        QVERIFY(QDir(dir.path()).mkdir(name));
    else if (sample == QLatin1String("|"))
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (!sample.isEmpty())
        QVERIFY(!copySample(dir, sample, name).isEmpty());
    SongDetails details;
    QCOMPARE(details.describe(path), expected);
}

void TestSongDetails::lengths_data() {
    QTest::addColumn<qint64>("ms");
    QTest::addColumn<QString>("text");
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
    QCOMPARE(details.describe(path), toneA);

    // Same size, same time: the remembered text stands, the file is not read again.
    QVERIFY(patchTitle(path, QStringLiteral("Test Tone"), QStringLiteral("Test Tune")));
    QVERIFY(setModified(path, then));
    QCOMPARE(details.describe(path), toneA);
    // A newer time is read again; so is another size at the same time.
    QVERIFY(setModified(path, then.addSecs(60)));
    QVERIFY(details.describe(path).startsWith(QStringLiteral("Title: Test Tune\n")));
    QVERIFY(!copySample(dir, QStringLiteral("tone-b.mp3"), QStringLiteral("song.mp3")).isEmpty());
    QVERIFY(setModified(path, then.addSecs(60)));
    QCOMPARE(details.describe(path), QStringLiteral("song.mp3\nLength: 0:01"));
}

void TestSongDetails::rowsAskOnlyWhenHoveredAndShowPlainText() {
    QTemporaryDir dir;
    const QString path = copySample(dir, QStringLiteral("tone-a.mp3"), QStringLiteral("a.mp3"));
    QVERIFY(patchTitle(path, QStringLiteral("Test Tone"), QStringLiteral("<i>Te</i>")));
    FileList list;
    SongDetails details;
    int asked = 0;
    list.setToolTipSource([&](int row) {
        ++asked;
        return details.describe(list.pathOf(list.item(row)));
    });
    list.setFolder(dir.path());
    list.setToolTip(QStringLiteral("the list's own"));
    list.resize(300, 200);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QCOMPARE(asked, 0); // filling and painting read no file

    const QRect row = list.visualRect(static_cast<QAbstractItemView&>(list).model()->index(0, 0));
    const QString shown = hover(list, row.center());
    QCOMPARE(asked, 1);
    // The title's angle brackets are shown as they are, not taken as markup.
    QVERIFY2(shown.contains(QStringLiteral("&lt;i&gt;Te&lt;/i&gt;")), qPrintable(shown));
    QVERIFY(shown.contains(QStringLiteral("Tovia Testers")));
    // Below the last row the list's own tooltip shows.
    QCOMPARE(hover(list, QPoint(10, 150)), QStringLiteral("the list's own"));
    QCOMPARE(list.toolTipAt(1), QString());
    QToolTip::hideText();
}

QTEST_MAIN(TestSongDetails)
#include "tst_SongDetails.moc"
