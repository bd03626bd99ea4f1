#include "LibraryFixture.h"

#include "library/LibraryBrowser.h"
#include "library/LibraryMaintenance.h"
#include "library/Preview.h"
#include "ui/Navigation.h"
#include "widgets/DriveList.h"
#include "widgets/FileList.h"
#include "widgets/PreviewPlayer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Real file operations that fail on request, as a full or read-only disk would.
class FailingFileOps : public RealFileOps {
public:
    bool failCopy = false;
    bool failRemove = false;

    FileResult copyReplace(const QString& src, const QString& dst) override {
        if (failCopy)
            return FileResult::failure(
                QStringLiteral("Could not copy '%1' to '%2': No space left on device")
                    .arg(QFileInfo(src).fileName(), dst));
        return RealFileOps::copyReplace(src, dst);
    }
    FileResult removeFile(const QString& path) override {
        if (failRemove)
            return FileResult::failure(
                QStringLiteral("Could not delete '%1': Read-only file system").arg(path));
        return RealFileOps::removeFile(path);
    }
};

// The browser pointed at a folder of songs, offered as a volume.
struct Browser {
    QTemporaryDir dir;
    QString path() const { return dir.path(); }
    QString song(const QString& name) const { return dir.path() + QLatin1Char('/') + name; }
};

void browse(Form& f, const QString& folder) {
    Drive1_Change(f, folder);
    QCOMPARE(f.File5->folder(), folder);
}

// The library's lists show exactly what the library folder holds.
void verifyListsMatchLibrary(LibraryApp& app) {
    Form& f = app.form();
    QCOMPARE(f.File4->items(), songsIn(app.folder.library()));
    QCOMPARE(f.librarysongs->items(), ProgramFolder::filesIn(app.folder.library()));
    QCOMPARE(f.librarysongs->selectedCount(), 0);
}

} // namespace

class TestLibraryMaintenance : public QObject {
    Q_OBJECT

private slots:
    void addReplacesASameNamedSong();
    void addKeepsAnUnrelatedPreviewPlaying();
    void nothingSelectedIsRefused();
    void addOfAVanishedSourceIsReported();
    void failedCopyLeavesTheLibraryAsItWas();
    void noToTheQuestionDeletesNothing();
    void removalLeavesPlaylistCopies();
    void failedRemovalIsReported();
    void libraryBeyondTheListLimit();
};

void TestLibraryMaintenance::addReplacesASameNamedSong() {
    Browser source;
    ProgramFolder::putSong(source.path(), QStringLiteral("song.mp3"), QStringLiteral("tone-b.mp3"));
    LibraryApp app;
    app.folder.addLibrarySong(QStringLiteral("song.mp3"), QStringLiteral("tone-a.mp3"));
    app.folder.addLibrarySong(QStringLiteral("other.mp3"));
    app.startOn(ShowLibraryPage);
    Form& f = app.form();
    browse(f, source.path());
    f.librarysongs->setSelected(0, true);

    // The library copy is playing when it is replaced.
    const QString target = app.folder.library() + QStringLiteral("/song.mp3");
    QVERIFY(clickEntry(f.File4, QStringLiteral("song.mp3")));
    QTRY_VERIFY_WITH_TIMEOUT(isOpenHere(target), 20000);
    QVERIFY(clickEntry(f.File5, QStringLiteral("song.mp3")));
    AddSongToLibrary(f);

    QVERIFY(app.prompter.boxes.isEmpty());
    QCOMPARE(contentOf(target), contentOf(ProgramFolder::sample(QStringLiteral("tone-b.mp3"))));
    QCOMPARE(everythingIn(app.folder.library()), QStringList({"other.mp3", "song.mp3"}));
    QCOMPARE(f.File4->items().count(QStringLiteral("song.mp3")), 1);
    QCOMPARE(f.librarysongs->items().count(QStringLiteral("song.mp3")), 1);
    verifyListsMatchLibrary(app);
    QCOMPARE(f.WindowsMediaPlayer2->url(), QString());
    QTRY_VERIFY_WITH_TIMEOUT(!isOpenHere(target), 20000);
}

void TestLibraryMaintenance::addKeepsAnUnrelatedPreviewPlaying() {
    Browser source;
    ProgramFolder::putSong(source.path(), QStringLiteral("new.mp3.bak"));
    ProgramFolder::putSong(source.path(), QStringLiteral("z.mp3"), QStringLiteral("tone-c.mp3"));
    LibraryApp app;
    app.startOn(ShowLibraryPage);
    Form& f = app.form();
    browse(f, source.path());

    QVERIFY(doubleClickEntry(f.File5, QStringLiteral("z.mp3")));
    QVERIFY(clickEntry(f.File5, QStringLiteral("new.mp3.bak")));
    AddSongToLibrary(f);

    QCOMPARE(f.WindowsMediaPlayer2->url(), source.song(QStringLiteral("z.mp3")));
    QCOMPARE(ProgramFolder::filesIn(app.folder.library()), QStringList({"new.mp3.bak"}));
    QCOMPARE(f.File4->items(), QStringList({"new.mp3.bak"}));
    verifyListsMatchLibrary(app);
    // The browsed folder is untouched by the copy.
    QCOMPARE(ProgramFolder::filesIn(source.path()), QStringList({"new.mp3.bak", "z.mp3"}));
}

void TestLibraryMaintenance::nothingSelectedIsRefused() {
    Browser source;
    ProgramFolder::putSong(source.path(), QStringLiteral("s.mp3"));
    LibraryApp app;
    app.folder.addLibrarySong(QStringLiteral("a.mp3"));
    app.startOn(ShowLibraryPage);
    Form& f = app.form();
    browse(f, source.path());
    QVERIFY(doubleClickEntry(f.File5, QStringLiteral("s.mp3")));
    f.File5->clearSelection();

    AddSongToLibrary(f);
    QCOMPARE(app.prompter.boxes.size(), 1);
    QCOMPARE(app.prompter.boxes[0].title, QStringLiteral("No Song Selected"));
    QVERIFY(!app.prompter.boxes[0].question);
    QVERIFY(app.prompter.boxes[0].text.contains(QStringLiteral("select")));
    QCOMPARE(everythingIn(app.folder.library()), QStringList({"a.mp3"}));
    QCOMPARE(f.WindowsMediaPlayer2->url(), source.song(QStringLiteral("s.mp3")));

    // Removal stops the library page's preview before it looks at the selection.
    app.prompter.clear();
    RemoveLibrarySong(f);
    QCOMPARE(f.WindowsMediaPlayer2->url(), QString());
    QCOMPARE(app.prompter.boxes.size(), 1);
    QCOMPARE(app.prompter.boxes[0].title, QStringLiteral("No Song Selected"));
    QVERIFY(!app.prompter.boxes[0].question);
    QCOMPARE(everythingIn(app.folder.library()), QStringList({"a.mp3"}));
}

void TestLibraryMaintenance::addOfAVanishedSourceIsReported() {
    Browser source;
    ProgramFolder::putSong(source.path(), QStringLiteral("gone.mp3"));
    ProgramFolder::putSong(source.path(), QStringLiteral("kept.mp3"));
    LibraryApp app;
    app.folder.addLibrarySong(QStringLiteral("a.mp3"));
    app.startOn(ShowLibraryPage);
    Form& f = app.form();
    browse(f, source.path());
    QVERIFY(clickEntry(f.File5, QStringLiteral("gone.mp3")));
    QVERIFY(QFile::remove(source.song(QStringLiteral("gone.mp3"))));
    // Another program filled the library meanwhile: the lists catch up all the same.
    app.folder.addLibrarySong(QStringLiteral("late.mp3"));

    AddSongToLibrary(f);
    QCOMPARE(app.prompter.boxes.size(), 1);
    const ScriptedPrompter::Box& box = app.prompter.boxes[0];
    QCOMPARE(box.icon, Prompter::Icon::Exclamation);
    QVERIFY2(box.text.contains(QStringLiteral("gone.mp3")), qPrintable(box.text));
    QVERIFY2(box.text.contains(QStringLiteral("No such file")), qPrintable(box.text));
    QCOMPARE(everythingIn(app.folder.library()), QStringList({"a.mp3", "late.mp3"}));
    verifyListsMatchLibrary(app);
    QCOMPARE(f.File5->items(), QStringList({"kept.mp3"}));
}

void TestLibraryMaintenance::failedCopyLeavesTheLibraryAsItWas() {
    Browser source;
    ProgramFolder::putSong(source.path(), QStringLiteral("song.mp3"), QStringLiteral("tone-b.mp3"));
    FailingFileOps files;
    LibraryApp app(&files);
    app.folder.addLibrarySong(QStringLiteral("song.mp3"), QStringLiteral("tone-a.mp3"));
    app.startOn(ShowLibraryPage);
    Form& f = app.form();
    browse(f, source.path());
    QVERIFY(clickEntry(f.File5, QStringLiteral("song.mp3")));
    app.folder.addLibrarySong(QStringLiteral("late.mp3"));
    files.failCopy = true;

    AddSongToLibrary(f);
    QCOMPARE(app.prompter.boxes.size(), 1);
    const ScriptedPrompter::Box& box = app.prompter.boxes[0];
    QCOMPARE(box.icon, Prompter::Icon::Exclamation);
    QVERIFY2(box.text.contains(QStringLiteral("song.mp3")), qPrintable(box.text));
    QVERIFY2(box.text.contains(QStringLiteral("No space left")), qPrintable(box.text));
    QCOMPARE(contentOf(app.folder.library() + QStringLiteral("/song.mp3")),
             contentOf(ProgramFolder::sample(QStringLiteral("tone-a.mp3"))));
    verifyListsMatchLibrary(app);
    QCOMPARE(f.File4->items(), QStringList({"late.mp3", "song.mp3"}));
}

void TestLibraryMaintenance::noToTheQuestionDeletesNothing() {
    LibraryApp app;
    app.folder.addLibrarySong(QStringLiteral("a.mp3"));
    app.folder.addLibrarySong(QStringLiteral("b.mp3"));
    app.startOn(ShowLibraryPage);
    Form& f = app.form();
    const QString song = app.folder.library() + QStringLiteral("/a.mp3");
    QVERIFY(clickEntry(f.File4, QStringLiteral("a.mp3")));
    QCOMPARE(f.WindowsMediaPlayer2->url(), song);
    QTRY_VERIFY_WITH_TIMEOUT(isOpenHere(song), 20000);
    app.folder.addLibrarySong(QStringLiteral("late.mp3"));

    QString urlWhileAsked = QStringLiteral("<not asked>");
    app.prompter.whileOpen = [&](const ScriptedPrompter::Box&) {
        urlWhileAsked = f.WindowsMediaPlayer2->url();
    };
    app.prompter.queueAnswers({false});
    RemoveLibrarySong(f);

    QCOMPARE(app.prompter.boxes.size(), 1);
    const ScriptedPrompter::Box& box = app.prompter.boxes[0];
    QVERIFY(box.question);
    QCOMPARE(box.text, QStringLiteral("Are you want to delete 'a.mp3' ?"));
    QCOMPARE(box.title, QStringLiteral("Confirm Delete"));
    QCOMPARE(urlWhileAsked, QString());
    QCOMPARE(f.WindowsMediaPlayer2->url(), QString());
    QTRY_VERIFY_WITH_TIMEOUT(!isOpenHere(song), 20000);
    QCOMPARE(ProgramFolder::filesIn(app.folder.library()),
             QStringList({"a.mp3", "b.mp3", "late.mp3"}));
    // Nothing was refreshed either.
    QCOMPARE(f.File4->items(), QStringList({"a.mp3", "b.mp3"}));
}

void TestLibraryMaintenance::removalLeavesPlaylistCopies() {
    LibraryApp app;
    app.folder.addLibrarySong(QStringLiteral("a.mp3"));
    app.folder.addLibrarySong(QStringLiteral("b.mp3"));
    app.folder.addLibrarySong(QStringLiteral("c.txt"));
    app.folder.addPlaylist(QStringLiteral("Mix"), {QStringLiteral("a.mp3")});
    app.startOn(ShowLibraryPage);
    Form& f = app.form();
    const QString song = app.folder.library() + QStringLiteral("/a.mp3");
    const QString copy = app.folder.playlist(QStringLiteral("Mix")) + QStringLiteral("/a.mp3");
    QVERIFY(clickEntry(f.File4, QStringLiteral("a.mp3")));

    QStringList seenWhileReported;
    app.prompter.whileOpen = [&](const ScriptedPrompter::Box& box) {
        if (!box.question)
            seenWhileReported = f.File4->items();
    };
    app.prompter.queueAnswers({true});
    RemoveLibrarySong(f);

    QCOMPARE(app.prompter.boxes.size(), 2);
    QCOMPARE(app.prompter.boxes[1].text, QStringLiteral("File Deleted"));
    QCOMPARE(app.prompter.boxes[1].title, QStringLiteral("Delete Complete"));
    QCOMPARE(app.prompter.boxes[1].icon, Prompter::Icon::Information);
    QVERIFY(!app.prompter.boxes[1].question);
    // The lists are rebuilt once the report is closed.
    QCOMPARE(seenWhileReported, QStringList({"a.mp3", "b.mp3"}));
    QVERIFY(!QFile::exists(song));
    QCOMPARE(f.File4->items(), QStringList({"b.mp3"}));
    QCOMPARE(f.librarysongs->items(), QStringList({"b.mp3", "c.txt"}));
    verifyListsMatchLibrary(app);

    QCOMPARE(contentOf(copy), contentOf(ProgramFolder::sample(QStringLiteral("tone-a.mp3"))));
    ShowPlaylistsPage(f);
    QVERIFY(f.playlistsons->items().contains(QStringLiteral("a.mp3")));
    QVERIFY(doubleClickEntry(f.playlistsons, QStringLiteral("a.mp3")));
    QCOMPARE(f.WindowsMediaPlayer1->url(), copy);
}

void TestLibraryMaintenance::failedRemovalIsReported() {
    FailingFileOps files;
    files.failRemove = true;
    LibraryApp app(&files);
    app.folder.addLibrarySong(QStringLiteral("a.mp3"));
    app.startOn(ShowLibraryPage);
    Form& f = app.form();
    QVERIFY(clickEntry(f.File4, QStringLiteral("a.mp3")));
    app.folder.addLibrarySong(QStringLiteral("late.mp3"));

    app.prompter.queueAnswers({true});
    RemoveLibrarySong(f);
    QCOMPARE(app.prompter.boxes.size(), 2);
    const ScriptedPrompter::Box& box = app.prompter.boxes[1];
    QVERIFY(box.text != QStringLiteral("File Deleted"));
    QCOMPARE(box.icon, Prompter::Icon::Exclamation);
    QVERIFY2(box.text.contains(QStringLiteral("a.mp3")), qPrintable(box.text));
    QVERIFY2(box.text.contains(QStringLiteral("Read-only")), qPrintable(box.text));
    QCOMPARE(ProgramFolder::filesIn(app.folder.library()), QStringList({"a.mp3", "late.mp3"}));
    verifyListsMatchLibrary(app);
}

void TestLibraryMaintenance::libraryBeyondTheListLimit() {
    constexpr int songs = 32768;
    LibraryApp app;
    for (int i = 0; i < songs; ++i) {
        QFile file(app.folder.library() +
                   QStringLiteral("/s%1.mp3").arg(i, 5, 10, QLatin1Char('0')));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    Browser source;
    ProgramFolder::putSong(source.path(), QStringLiteral("a.mp3"));
    app.startOn(ShowLibraryPage);
    Form& f = app.form();
    browse(f, source.path());
    QVERIFY(clickEntry(f.File5, QStringLiteral("a.mp3")));

    AddSongToLibrary(f);
    QVERIFY(app.prompter.boxes.isEmpty());
    QVERIFY(QFile::exists(app.folder.library() + QStringLiteral("/a.mp3")));
    // The first 32,767 names show, with a note saying so; the new song sorts first.
    for (ListBox* list : {static_cast<ListBox*>(f.File4), f.librarysongs}) {
        QCOMPARE(list->count(), 32767);
        QCOMPARE(list->item(0), QStringLiteral("a.mp3"));
        QVERIFY(!list->toolTip().isEmpty());
    }
    // Removing the first one works as in any library.
    QVERIFY(clickEntry(f.File4, QStringLiteral("a.mp3")));
    app.prompter.queueAnswers({true});
    RemoveLibrarySong(f);
    QVERIFY(!QFile::exists(app.folder.library() + QStringLiteral("/a.mp3")));
    QCOMPARE(f.File4->item(0), QStringLiteral("s00000.mp3"));
}

QTEST_MAIN(TestLibraryMaintenance)
#include "tst_LibraryMaintenance.moc"
