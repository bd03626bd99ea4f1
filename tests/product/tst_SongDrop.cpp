// Songs dropped from a file manager onto the library page.
#include "ProductApp.h"

#include "library/Preview.h"
#include "ui/Navigation.h"
#include "widgets/FileList.h"
#include "widgets/PageFrame.h"
#include "widgets/PreviewPlayer.h"

#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString notAddedTitle = QStringLiteral("Not Added to Library");
const QString onlyMp3 =
    QStringLiteral("Only MP3 files on this computer can be added to the library.");

// A drag as the window system delivers it: enter, move, then the drop, at the target's centre.
// Gives the action the drop was taken with, or IgnoreAction when it was refused.
Qt::DropAction dragAndDrop(QWidget* target, QMimeData& mime,
                           Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction) {
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, offered, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return Qt::IgnoreAction;
    QDragMoveEvent move(at, offered, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &move);
    QDropEvent drop(at, offered, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}

Qt::DropAction dropFiles(QWidget* target, const QStringList& paths) {
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls << QUrl::fromLocalFile(path);
    QMimeData mime;
    mime.setUrls(urls);
    return dragAndDrop(target, mime);
}

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QStringList everythingIn(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// The library's lists show exactly what the library folder holds.
void verifyListsMatchLibrary(ProductApp& app) {
    Form& f = app.form();
    QCOMPARE(f.File4->items(), QDir(app.folder.library())
                                   .entryList({QStringLiteral("*.mp3*")}, QDir::Files,
                                              QDir::Name | QDir::IgnoreCase));
    QCOMPARE(f.librarysongs->items(), ProgramFolder::filesIn(app.folder.library()));
}

} // namespace

class TestSongDrop : public QObject {
    Q_OBJECT

private slots:
    void droppedSongsAreCopiedAndListed();
    void refusedDrops_data();
    void refusedDrops();
    void aMixedDropAddsTheSongsAndNamesTheRest();
    void aFailedCopyIsReportedByName();
    void onlyFilesAreTakenAndAlwaysAsACopy();
    void aLongListOfRefusalsIsCut();
};

void TestSongDrop::droppedSongsAreCopiedAndListed() {
    QTemporaryDir source;
    ProgramFolder::putSong(source.path(), QStringLiteral("song.mp3"), QStringLiteral("tone-b.mp3"));
    ProgramFolder::putSong(source.path(), QStringLiteral("new.mp3.bak"),
                           QStringLiteral("tone-c.mp3"));
    ProgramFolder::putSong(source.path(), QStringLiteral("LOUD.MP3"));
    ProductApp app;
    app.folder.addLibrarySong(QStringLiteral("song.mp3"), QStringLiteral("tone-a.mp3"));
    app.folder.addLibrarySong(QStringLiteral("keep.mp3"));
    app.startOn(ShowLibraryPage);
    Form& f = app.form();
    // The library copy about to be replaced is playing; another song plays on the other page.
    PlayPreview(f.WindowsMediaPlayer2, app.librarySong(QStringLiteral("song.mp3")));
    PlayPreview(f.WindowsMediaPlayer1, app.librarySong(QStringLiteral("keep.mp3")));

    const QStringList dropped{source.filePath(QStringLiteral("song.mp3")),
                              source.filePath(QStringLiteral("new.mp3.bak")),
                              source.filePath(QStringLiteral("LOUD.MP3")),
                              app.librarySong(QStringLiteral("keep.mp3"))}; // its own copy
    QCOMPARE(dropFiles(f.File4->viewport(), dropped), Qt::CopyAction);
    QTRY_COMPARE(f.File4->count(), 4);
    QCOMPARE(f.WindowsMediaPlayer2->url(), QString());
    QCOMPARE(f.WindowsMediaPlayer1->url(), app.librarySong(QStringLiteral("keep.mp3")));
    QCOMPARE(contentOf(app.librarySong(QStringLiteral("keep.mp3"))),
             contentOf(ProgramFolder::sample(QStringLiteral("tone-a.mp3"))));

    QCOMPARE(everythingIn(app.folder.library()),
             QStringList({"LOUD.MP3", "keep.mp3", "new.mp3.bak", "song.mp3"}));
    // The same name is replaced, as "Add Song to Library" replaces it.
    QCOMPARE(contentOf(app.librarySong(QStringLiteral("song.mp3"))),
             contentOf(ProgramFolder::sample(QStringLiteral("tone-b.mp3"))));
    verifyListsMatchLibrary(app);
    QVERIFY(app.prompter.boxes.isEmpty());
    // Copies: the originals stay where they were.
    for (const QString& path : dropped)
        QVERIFY(QFile::exists(path));
}

void TestSongDrop::refusedDrops_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("line"); // the report's line for the item; %1 is the source folder
    QTest::newRow("not an MP3") << "text"
                                << "- 'notes.txt': it is not an MP3 file";
    QTest::newRow("a folder, whatever its name") << "folder"
                                                 << "- 'Album.mp3': it is a folder";
    QTest::newRow("gone before the drop") << "gone"
                                          << "- 'gone.mp3': it no longer exists";
    QTest::newRow("an address on the web")
        << "web"
        << "- 'https://example.com/song.mp3': it is not on this computer";
    QTest::newRow("a file on another host")
        << "share"
        << "- 'file://server/music/song.mp3': it is not on this computer";
}

void TestSongDrop::refusedDrops() {
    QFETCH(QString, kind);
    QFETCH(QString, line);
    QTemporaryDir source;
    QUrl url;
    if (kind == QLatin1String("text")) {
        ProgramFolder::putSong(source.path(), QStringLiteral("notes.txt"));
        url = QUrl::fromLocalFile(source.filePath(QStringLiteral("notes.txt")));
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QDir(source.path()).mkdir(QStringLiteral("Album.mp3")));
        ProgramFolder::putSong(source.filePath(QStringLiteral("Album.mp3")),
                               QStringLiteral("a.mp3"));
        url = QUrl::fromLocalFile(source.filePath(QStringLiteral("Album.mp3")));
    } else if (kind == QLatin1String("gone")) {
        url = QUrl::fromLocalFile(source.filePath(QStringLiteral("gone.mp3")));
    } else if (kind == QLatin1String("web")) {
        url = QUrl(QStringLiteral("https://example.com/song.mp3"));
    } else {
        url = QUrl(QStringLiteral("file://server/music/song.mp3"));
    }
    ProductApp app;
    app.folder.addLibrarySong(QStringLiteral("keep.mp3"));
    app.startOn(ShowLibraryPage);
    Form& f = app.form();
    f.File4->selectRow(0);

    QMimeData mime;
    mime.setUrls({url});
    QCOMPARE(dragAndDrop(f.libraryframe, mime), Qt::CopyAction);
    QTRY_COMPARE(app.prompter.boxes.size(), 1);

    const ScriptedPrompter::Box& box = app.prompter.boxes.first();
    QCOMPARE(box.title, notAddedTitle);
    QCOMPARE(box.icon, Prompter::Icon::Exclamation);
    QCOMPARE(box.text, QStringLiteral("These dropped files were not added to the library:\n\n") +
                           line + QStringLiteral("\n\n") + onlyMp3);
    QCOMPARE(everythingIn(app.folder.library()), QStringList({"keep.mp3"}));
    // Nothing was rebuilt: the library list keeps its selection.
    QCOMPARE(f.File4->selectedName(), QStringLiteral("keep.mp3"));
}

void TestSongDrop::aMixedDropAddsTheSongsAndNamesTheRest() {
    QTemporaryDir source;
    ProgramFolder::putSong(source.path(), QStringLiteral("a.mp3"));
    ProgramFolder::putSong(source.path(), QStringLiteral("cover.jpg"));
    ProductApp app;
    app.startOn(ShowLibraryPage);
    Form& f = app.form();

    dropFiles(f.File5->viewport(), {source.filePath(QStringLiteral("cover.jpg")),
                                    source.filePath(QStringLiteral("a.mp3"))});
    QTRY_COMPARE(app.prompter.boxes.size(), 1);
    QCOMPARE(ProgramFolder::filesIn(app.folder.library()), QStringList({"a.mp3"}));
    QCOMPARE(f.File4->items(), QStringList({"a.mp3"}));
    QCOMPARE(f.librarysongs->items(), QStringList({"a.mp3"}));
    QVERIFY(app.prompter.boxes.first().text.contains(QStringLiteral("'cover.jpg'")));
    QVERIFY(!app.prompter.boxes.first().text.contains(QStringLiteral("a.mp3")));
}

void TestSongDrop::aFailedCopyIsReportedByName() {
    QTemporaryDir source;
    ProgramFolder::putSong(source.path(), QStringLiteral("a.mp3"));
    FullDiskFileOps fullDisk;
    ProductApp app(&fullDisk);
    app.folder.addLibrarySong(QStringLiteral("keep.mp3"));
    app.startOn(ShowLibraryPage);
    Form& f = app.form();

    dropFiles(f.libraryframe, {source.filePath(QStringLiteral("a.mp3"))});
    QTRY_COMPARE(app.prompter.boxes.size(), 1);
    const ScriptedPrompter::Box& box = app.prompter.boxes.first();
    QCOMPARE(box.title, notAddedTitle);
    QCOMPARE(box.icon, Prompter::Icon::Exclamation);
    QVERIFY2(box.text.contains(QStringLiteral("Could not copy 'a.mp3'")), qPrintable(box.text));
    QVERIFY(box.text.contains(QStringLiteral("No space left on device")));
    // A copy that failed is no refusal: the box does not send the user looking for MP3s.
    QVERIFY(!box.text.contains(onlyMp3));
    QCOMPARE(everythingIn(app.folder.library()), QStringList({"keep.mp3"}));
    verifyListsMatchLibrary(app);
}

void TestSongDrop::onlyFilesAreTakenAndAlwaysAsACopy() {
    QTemporaryDir source;
    ProgramFolder::putSong(source.path(), QStringLiteral("a.mp3"));
    ProductApp app;
    app.startOn(ShowLibraryPage);
    Form& f = app.form();

    QMimeData text;
    text.setText(QStringLiteral("a.mp3"));
    QCOMPARE(dragAndDrop(f.File4->viewport(), text), Qt::IgnoreAction);

    // A file manager that offers only to move still gets a copy: the original must stay.
    QMimeData moved;
    moved.setUrls({QUrl::fromLocalFile(source.filePath(QStringLiteral("a.mp3")))});
    QCOMPARE(dragAndDrop(f.libraryframe, moved, Qt::MoveAction | Qt::CopyAction), Qt::CopyAction);
    QTRY_COMPARE(f.File4->items(), QStringList({"a.mp3"}));
    QVERIFY(QFile::exists(source.filePath(QStringLiteral("a.mp3"))));
    QVERIFY(app.prompter.boxes.isEmpty());
}

void TestSongDrop::aLongListOfRefusalsIsCut() {
    QTemporaryDir source;
    QStringList dropped;
    for (int i = 0; i < 40; ++i) {
        const QString name = QStringLiteral("page%1.txt").arg(i, 2, 10, QLatin1Char('0'));
        ProgramFolder::putSong(source.path(), name);
        dropped << source.filePath(name);
    }
    ProductApp app;
    app.startOn(ShowLibraryPage);
    dropFiles(app.form().libraryframe, dropped);
    QTRY_COMPARE(app.prompter.boxes.size(), 1);
    const QString text = app.prompter.boxes.first().text;
    QCOMPARE(text.count(QStringLiteral("\n- ")), 15);
    QVERIFY(text.contains(QStringLiteral("'page14.txt'")));
    QVERIFY(!text.contains(QStringLiteral("'page15.txt'")));
    QVERIFY(text.contains(QStringLiteral("… and 25 more.")));
    QVERIFY(text.endsWith(onlyMp3));
}

QTEST_MAIN(TestSongDrop)
#include "tst_SongDrop.moc"
