#include "widgets/DirList.h"
#include "widgets/FileList.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

void touch(const QString& path) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
}

QPoint rowCentre(const ListBox& list, int row) {
    const QAbstractItemView& view = list;
    return view.visualRect(view.model()->index(row, 0)).center();
}

// A double-click as the window system delivers it: press, release, then a second press that
// the application turns into press plus double-click.
void doubleClick(QAbstractItemView& view, const QPoint& pos) {
    QWidget* window = view.window();
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {},
                       view.viewport()->mapTo(window, pos));
}

// The text of every row a DirList shows, ancestors and subfolders alike.
QStringList rowTexts(const QListWidget& rows) {
    QStringList texts;
    for (int i = 0; i < rows.QListWidget::count(); ++i)
        texts.append(rows.item(i)->text());
    return texts;
}

} // namespace

class TestLists : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void patternMatching_data();
    void patternMatching();
    void fileListShowsVisibleFilesOnly();
    void listingAgreesWithAReference_data();
    void listingAgreesWithAReference();
    void fileListSurvivesUnreadableFolders();
    void fileListRefreshKeepsSelection();
    void refreshShowsEveryChangeOfTheFolder_data();
    void refreshShowsEveryChangeOfTheFolder();
    void pathOfJoinsWithoutDoubling();
    void fillsStopAtTheCap();
    void listBoxSortsAsEntriesArrive();
    void listBoxClicksAndProgrammaticSelection();
    void listBoxMultiSelectToggles();
    void dirListShowsAncestorsAndSubfolders();
    void dirListRejectsUnreadableFolders();
    void dirListDoubleClickOpens();

private:
    QTemporaryDir m_mixed; // many names of mixed case, accents and scripts
    QStringList m_mixedNames;
};

void TestLists::initTestCase() {
    QVERIFY(m_mixed.isValid());
    const QString alphabet = QStringLiteral("aAbBcCxX0_ .-éÉäÄωΩ漢字");
    QRandomGenerator random(7);
    for (int i = 0; i < 1500; ++i) {
        QString name;
        const int length = 1 + int(random.bounded(24));
        for (int c = 0; c < length; ++c)
            name += alphabet.at(random.bounded(alphabet.size()));
        if (name.startsWith('.'))
            name.prepend('x');
        name += random.bounded(2) ? ".mp3" : ".MP3";
        if (!m_mixedNames.contains(name))
            m_mixedNames.append(name);
    }
    // One artist's songs: names that agree, but for case, far beyond their first characters.
    const QString artist = QStringLiteral("The Long Named Orchestra Of Somewhere - ");
    for (int i = 0; i < 300; ++i) {
        QString name = random.bounded(2) ? artist : artist.toUpper();
        const int length = 1 + int(random.bounded(6));
        for (int c = 0; c < length; ++c)
            name += alphabet.at(random.bounded(alphabet.size()));
        name += QStringLiteral(".mp3");
        if (!m_mixedNames.contains(name))
            m_mixedNames.append(name);
    }
    // Names equal but for case, which must keep a fixed order between them.
    m_mixedNames += QStringList({"same.mp3", "SAME.mp3", "Same.mp3"});
    for (const QString& name : std::as_const(m_mixedNames))
        touch(m_mixed.filePath(name));
}

void TestLists::patternMatching_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("matches");
    QTest::newRow("plain") << "song.mp3"
                           << "*.mp3*" << true;
    QTest::newRow("upper case") << "SONG.MP3"
                                << "*.mp3*" << true;
    QTest::newRow("suffix after") << "song.mp3.bak"
                                  << "*.mp3*" << true;
    QTest::newRow("other type") << "song.ogg"
                                << "*.mp3*" << false;
    QTest::newRow("no dot") << "mp3"
                            << "*.mp3*" << false;
    QTest::newRow("whole name") << "song.mp3"
                                << "song" << false;
    QTest::newRow("one char") << "a.mp3"
                              << "?.mp3" << true;
    QTest::newRow("two chars for one") << "ab.mp3"
                                       << "?.mp3" << false;
    QTest::newRow("star backtracks") << "a.mp3.mp3x"
                                     << "*.mp3" << false;
    QTest::newRow("star backtracks to end") << "a.mp3x.mp3"
                                            << "*.mp3" << true;
    QTest::newRow("empty pattern") << "anything"
                                   << "" << true;
    QTest::newRow("accented case") << QStringLiteral("ÉTÉ.mp3") << QStringLiteral("été*") << true;
    QTest::newRow("literal brackets") << "[live] a.mp3"
                                      << "[live]*" << true;
}

void TestLists::patternMatching() {
    QFETCH(QString, name);
    QFETCH(QString, pattern);
    QFETCH(bool, matches);
    QCOMPARE(FileList::matchesPattern(name, pattern), matches);
}

void TestLists::fileListShowsVisibleFilesOnly() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const char* name : {"song.mp3", "SONG2.MP3", "b.mp3.bak", "note.ogg", ".hidden.mp3"})
        touch(dir.filePath(name));
    QVERIFY(QDir(dir.path()).mkdir("folder.mp3"));
    QVERIFY(QFile::link(dir.filePath("song.mp3"), dir.filePath("link.mp3")));
    QVERIFY(QFile::link(dir.filePath("folder.mp3"), dir.filePath("folderlink.mp3")));
    QVERIFY(QFile::link(dir.filePath("gone"), dir.filePath("dangling.mp3")));
    QCOMPARE(mkfifo(QFile::encodeName(dir.filePath("pipe.mp3")).constData(), 0600), 0);

    FileList list;
    list.setPattern("*.mp3*");
    list.setFolder(dir.path());
    QCOMPARE(list.items(), QStringList({"b.mp3.bak", "link.mp3", "song.mp3", "SONG2.MP3"}));

    list.setPattern("");
    QCOMPARE(list.items(),
             QStringList({"b.mp3.bak", "link.mp3", "note.ogg", "song.mp3", "SONG2.MP3"}));
}

void TestLists::listingAgreesWithAReference_data() {
    QTest::addColumn<QString>("pattern");
    for (const char* pattern : {"", "*", "*a*", "?b*", "*.MP3", "*x?", "a*b*c"})
        QTest::newRow(pattern) << QString::fromLatin1(pattern);
    QTest::newRow("accent") << QStringLiteral("*É*");
    QTest::newRow("greek") << QStringLiteral("*ω?*");
}

// The listing against Qt's own case-insensitive comparison and wildcard matching.
void TestLists::listingAgreesWithAReference() {
    QFETCH(QString, pattern);
    const QRegularExpression wildcard(QRegularExpression::wildcardToRegularExpression(pattern),
                                      QRegularExpression::CaseInsensitiveOption);
    QStringList expected;
    for (const QString& name : std::as_const(m_mixedNames)) {
        if (pattern.isEmpty() || wildcard.match(name).hasMatch())
            expected.append(name);
    }
    std::sort(expected.begin(), expected.end(), [](const QString& a, const QString& b) {
        const int folded = QString::compare(a, b, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a < b;
    });
    QCOMPARE(FileList::listFolder(m_mixed.path(), pattern), expected);
}

void TestLists::fileListSurvivesUnreadableFolders() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    touch(dir.filePath("a.mp3"));
    FileList list;
    list.setFolder(dir.path());
    QCOMPARE(list.count(), 1);

    list.setFolder(dir.filePath("missing"));
    QCOMPARE(list.count(), 0);
    list.setFolder(dir.filePath("a.mp3")); // a file, not a folder
    QCOMPARE(list.count(), 0);
    list.setFolder("");
    QCOMPARE(list.count(), 0);
    QVERIFY(FileList::listFolder(dir.filePath("missing"), "*").isEmpty());
}

void TestLists::fileListRefreshKeepsSelection() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    touch(dir.filePath("b.mp3"));
    touch(dir.filePath("d.mp3"));
    FileList list;
    list.setFolder(dir.path());
    list.selectRow(1);
    QCOMPARE(list.selectedName(), QString("d.mp3"));

    touch(dir.filePath("a.mp3"));
    QVERIFY(QFile::remove(dir.filePath("b.mp3")));
    list.refresh();
    QCOMPARE(list.items(), QStringList({"a.mp3", "d.mp3"}));
    QCOMPARE(list.selectedName(), QString("d.mp3"));
}

void TestLists::refreshShowsEveryChangeOfTheFolder_data() {
    QTest::addColumn<QString>("pattern");
    QTest::newRow("songs") << "*.mp3*";
    QTest::newRow("every file") << "";
}

// A refresh that changes only the rows of the names that changed must show exactly what a
// fresh read shows, whatever happened to the folder in between.
void TestLists::refreshShowsEveryChangeOfTheFolder() {
    QFETCH(QString, pattern);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QRandomGenerator random(7);
    const QStringList stems{"Song", "song", "Äpfel", "Zebra", "ånd", "日本", "b", "Mix - Live"};
    const QStringList endings{".mp3", ".MP3", ".mp3.bak", ".txt", ""};
    auto randomName = [&] {
        return stems[random.bounded(stems.size())] + QString::number(random.bounded(400)) +
               endings[random.bounded(endings.size())];
    };
    for (int i = 0; i < 300; ++i)
        touch(dir.filePath(randomName()));

    FileList list;
    list.setPattern(pattern);
    list.setFolder(dir.path());
    for (int step = 0; step < 200; ++step) {
        const QStringList present = QDir(dir.path()).entryList(QDir::Files);
        const int changes = step % 25 == 24 ? 80 : random.bounded(4);
        for (int c = 0; c < changes && !present.isEmpty(); ++c) {
            const QString some = dir.filePath(present[random.bounded(present.size())]);
            switch (random.bounded(5)) {
            case 0:
                QFile::remove(some);
                break;
            case 1:
                QFile::rename(some, dir.filePath(randomName()));
                break;
            case 2:
                touch(dir.filePath("." + randomName())); // hidden: never shown
                break;
            case 3:
                QDir(dir.path()).mkdir(randomName() + "-folder"); // folders are not files
                break;
            default:
                touch(dir.filePath(randomName()));
            }
        }
        const QString selected = list.item(random.bounded(std::max(1, list.count())));
        list.selectRow(list.items().indexOf(selected));
        if (step % 50 == 49)
            list.clear(); // entries changed behind the list's back
        list.refresh();
        const QStringList expected = FileList::listFolder(dir.path(), pattern);
        QCOMPARE(list.items(), expected);
        if (expected.contains(selected) && !selected.isEmpty() && step % 50 != 49)
            QCOMPARE(list.selectedName(), selected);
    }
}

void TestLists::pathOfJoinsWithoutDoubling() {
    FileList list;
    list.setFolder("/");
    QCOMPARE(list.pathOf("a.mp3"), QString("/a.mp3"));
    list.setFolder("/no/such/music/");
    QCOMPARE(list.pathOf("a.mp3"), QString("/no/such/music/a.mp3"));
    list.setFolder("/no/such/music");
    QCOMPARE(list.pathOf("a.mp3"), QString("/no/such/music/a.mp3"));
}

void TestLists::fillsStopAtTheCap() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const int files = 33000;
    for (int i = 0; i < files; ++i)
        touch(dir.filePath(QString("t%1.mp3").arg(i, 5, 10, QLatin1Char('0'))));

    FileList list;
    list.setFolder(dir.path());
    QCOMPARE(list.count(), ListBox::maxEntries);
    QVERIFY(list.isTruncated());
    QVERIFY(list.toolTip().contains("32,767"));
    QCOMPARE(list.item(0), QString("t00000.mp3"));
    QCOMPARE(list.item(ListBox::maxEntries - 1), QString("t32766.mp3"));

    list.addItem("zz.mp3");
    QCOMPARE(list.count(), ListBox::maxEntries);

    list.setItems({"one"});
    QVERIFY(!list.isTruncated());
    QVERIFY(list.toolTip().isEmpty());
}

void TestLists::listBoxSortsAsEntriesArrive() {
    ListBox plain;
    for (const char* entry : {"delta", "Alpha", "charlie"})
        plain.addItem(entry);
    QCOMPARE(plain.items(), QStringList({"delta", "Alpha", "charlie"}));

    ListBox sorted;
    sorted.setSorted(true);
    for (const char* entry : {"delta", "Alpha", "charlie", "Bravo", "alpha2", "echo"})
        sorted.addItem(entry);
    QCOMPARE(sorted.items(), QStringList({"Alpha", "alpha2", "Bravo", "charlie", "delta", "echo"}));
    sorted.setItems({"b", "C", "a"});
    QCOMPARE(sorted.items(), QStringList({"a", "b", "C"}));

    plain.setSorted(true);
    QCOMPARE(plain.items(), QStringList({"Alpha", "charlie", "delta"}));
}

void TestLists::listBoxClicksAndProgrammaticSelection() {
    ListBox list;
    list.setItems({"one", "two", "three"});
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QSignalSpy clicks(&list, &ListBox::itemClicked);
    QSignalSpy doubleClicks(&list, &ListBox::itemDoubleClicked);

    list.selectRow(1);
    QCOMPARE(list.selectedRow(), 1);
    QCOMPARE(list.selectedText(), QString("two"));
    list.selectRow(99);
    QCOMPARE(list.selectedRow(), -1);
    QCOMPARE(list.selectedText(), QString());
    QCOMPARE(clicks.count(), 0);

    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rowCentre(list, 2));
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(clicks.at(0).at(0).toInt(), 2);
    QCOMPARE(list.selectedRow(), 2);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rowCentre(list, 0));
    QCOMPARE(list.selectedRow(), 0);
    QCOMPARE(list.selectedCount(), 1); // single selection replaces the earlier row

    doubleClick(list, rowCentre(list, 1));
    QCOMPARE(doubleClicks.count(), 1);
    QCOMPARE(doubleClicks.at(0).at(0).toInt(), 1);
}

void TestLists::listBoxMultiSelectToggles() {
    ListBox list;
    list.setMultiSelect(true);
    list.setItems({"one", "two", "three"});
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));

    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rowCentre(list, 0));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rowCentre(list, 2));
    QCOMPARE(list.selectedCount(), 2);
    QVERIFY(list.isSelected(0) && !list.isSelected(1) && list.isSelected(2));

    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rowCentre(list, 0));
    QVERIFY(!list.isSelected(0) && list.isSelected(2));

    list.setSelected(1, true);
    QCOMPARE(list.selectedCount(), 2);
    list.clearSelection();
    QCOMPARE(list.selectedCount(), 0);
}

void TestLists::dirListShowsAncestorsAndSubfolders() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QDir root(dir.path());
    for (const char* name : {"b", "A", ".hidden", "b/inner"})
        QVERIFY(root.mkdir(name));
    touch(dir.filePath("file.txt"));
    QVERIFY(QFile::link(dir.filePath("b"), dir.filePath("link")));
    QVERIFY(QFile::link(dir.filePath("file.txt"), dir.filePath("filelink")));

    DirList list;
    QSignalSpy changes(&list, &DirList::pathChanged);
    QVERIFY(list.setPath(dir.path() + "/./b/..//"));
    QCOMPARE(list.path(), dir.path());
    QCOMPARE(changes.count(), 1);
    QCOMPARE(changes.at(0).at(0).toString(), dir.path());
    QCOMPARE(list.count(), 3);
    QCOMPARE(list.entry(0), dir.filePath("A"));
    QCOMPARE(list.entry(1), dir.filePath("b"));
    QCOMPARE(list.entry(2), dir.filePath("link"));
    QCOMPARE(list.entry(3), QString());

    QStringList expected{"/"};
    expected += dir.path().split('/', Qt::SkipEmptyParts);
    const int ancestors = int(expected.size());
    expected += QStringList({"A", "b", "link"});
    QCOMPARE(rowTexts(list), expected);
    QVERIFY(list.item(ancestors - 1)->font().bold());
    QVERIFY(!list.item(ancestors)->font().bold());

    QVERIFY(root.mkdir("c"));
    list.refresh();
    QCOMPARE(list.count(), 4);
    QCOMPARE(list.entry(2), dir.filePath("c"));
    QCOMPARE(changes.count(), 1);

    QVERIFY(list.setPath(dir.path())); // the same path again still announces itself
    QCOMPARE(changes.count(), 2);

    QVERIFY(list.setPath("/"));
    QCOMPARE(list.path(), QString("/"));
    QCOMPARE(list.item(0)->text(), QString("/"));
    for (int i = 0; i < list.count(); ++i)
        QVERIFY2(list.entry(i).startsWith('/') && !list.entry(i).startsWith("//"),
                 qPrintable(list.entry(i)));
}

void TestLists::dirListRejectsUnreadableFolders() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir("sub"));
    touch(dir.filePath("file.txt"));
    DirList list;
    QVERIFY(list.setPath(dir.path()));
    const QStringList rows = rowTexts(list);
    QSignalSpy changes(&list, &DirList::pathChanged);

    QVERIFY(!list.setPath(dir.filePath("missing")));
    QVERIFY(!list.setPath(dir.filePath("file.txt")));
    QVERIFY(!list.setPath(""));
    QCOMPARE(list.path(), dir.path());
    QCOMPARE(list.count(), 1);
    QCOMPARE(rowTexts(list), rows);
    QCOMPARE(changes.count(), 0);

    // A folder removed after it was opened has no subfolders left to show.
    QVERIFY(list.setPath(dir.filePath("sub")));
    QVERIFY(QDir(dir.path()).mkdir("sub/x"));
    list.refresh();
    QCOMPARE(list.count(), 1);
    QVERIFY(QDir(dir.filePath("sub")).removeRecursively());
    list.refresh();
    QCOMPARE(list.count(), 0);
}

void TestLists::dirListDoubleClickOpens() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir("gone"));
    QVERIFY(QDir(dir.path()).mkdir("open"));
    DirList list;
    list.resize(300, 600);
    QVERIFY(list.setPath(dir.path()));
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QSignalSpy changes(&list, &DirList::pathChanged);
    QSignalSpy failures(&list, &DirList::openFailed);
    const int firstSub = list.QListWidget::count() - list.count();

    QVERIFY(QDir(dir.filePath("gone")).removeRecursively());
    doubleClick(list, list.visualItemRect(list.item(firstSub)).center());
    QCOMPARE(failures.count(), 1);
    QCOMPARE(failures.at(0).at(0).toString(), dir.filePath("gone"));
    QCOMPARE(list.path(), dir.path());

    doubleClick(list, list.visualItemRect(list.item(firstSub + 1)).center());
    QCOMPARE(list.path(), dir.filePath("open"));
    QCOMPARE(changes.count(), 1);

    // The parent's row, one above the current folder's, leads back up.
    const int parentRow = list.QListWidget::count() - list.count() - 2;
    doubleClick(list, list.visualItemRect(list.item(parentRow)).center());
    QCOMPARE(list.path(), dir.path());
}

QTEST_MAIN(TestLists)
#include "tst_Lists.moc"
