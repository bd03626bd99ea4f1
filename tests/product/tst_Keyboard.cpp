// The keyboard and assistive technology: Enter and Delete on the lists, picture buttons that
// Tab reaches and Space or Enter presses, their accessible names, and the tab order.
#include "ProductApp.h"

#include "library/LibraryBrowser.h"
#include "ui/Hover.h"
#include "ui/Navigation.h"
#include "widgets/CaptionLabel.h"
#include "widgets/DirList.h"
#include "widgets/FileList.h"
#include "widgets/PageFrame.h"
#include "widgets/PictureBox.h"
#include "widgets/PreviewPlayer.h"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <map>

namespace {

// The control of the form that holds widget (a player's own buttons count as the player).
QWidget* controlOf(QWidget* widget, const QList<QWidget*>& controls) {
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (controls.contains(w))
            return w;
    }
    return widget;
}

void press(QWidget* widget, Qt::Key key) {
    QTest::keyClick(widget, key);
}

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT

private slots:
    void deleteOnTheLibraryListAsksFirst();
    void deleteOnThePlaylistsSongsAsksFirst();
    void deleteElsewhereRemovesNothing();
    void enterPreviewsTheSelectedSong_data();
    void enterPreviewsTheSelectedSong();
    void enterWithoutSelectionPlaysNothing();
    void enterOpensTheChosenPlaylist();
    void enterOpensTheChosenFolder();
    void everyPictureButtonIsNamedByItsCaption();
    void spaceAndEnterPressPictureButtons();
    void assistiveTechnologyCanPressAButton();
    void tabFollowsThePage_data();
    void tabFollowsThePage();
    void focusStaysOnAButtonWhoseHighlightSwaps();
};

void TestKeyboard::deleteOnTheLibraryListAsksFirst() {
    ProductApp app;
    app.folder.addLibrarySong(QStringLiteral("a.mp3"));
    app.folder.addLibrarySong(QStringLiteral("b.mp3"));
    app.startOn(ShowLibraryPage);
    Form& f = app.form();
    f.File4->selectRow(1);
    f.File4->setFocus();

    app.prompter.queueAnswers({false});
    press(f.File4, Qt::Key_Delete);
    QCOMPARE(app.prompter.boxes.size(), 1);
    QVERIFY(app.prompter.boxes[0].question);
    QCOMPARE(app.prompter.boxes[0].text, QStringLiteral("Are you want to delete 'b.mp3' ?"));
    QCOMPARE(app.prompter.boxes[0].title, QStringLiteral("Confirm Delete"));
    QVERIFY(QFile::exists(app.librarySong(QStringLiteral("b.mp3"))));

    app.prompter.clear();
    app.prompter.queueAnswers({true});
    press(f.File4, Qt::Key_Delete);
    QCOMPARE(app.prompter.titles(), QStringList({"Confirm Delete", "Delete Complete"}));
    QCOMPARE(ProgramFolder::filesIn(app.folder.library()), QStringList({"a.mp3"}));
    QCOMPARE(f.File4->items(), QStringList({"a.mp3"}));
    QCOMPARE(f.librarysongs->items(), QStringList({"a.mp3"}));
}

void TestKeyboard::deleteOnThePlaylistsSongsAsksFirst() {
    ProductApp app;
    app.folder.addPlaylist(QStringLiteral("Mix"),
                           {QStringLiteral("a.mp3"), QStringLiteral("b.mp3")});
    app.startOn(ShowPlaylistsPage);
    Form& f = app.form();
    QCOMPARE(f.playlistsons->items(), QStringList({"a.mp3", "b.mp3"}));
    f.playlistsons->selectRow(0);

    app.prompter.queueAnswers({false});
    press(f.playlistsons, Qt::Key_Delete);
    QCOMPARE(app.prompter.boxes.size(), 1);
    QCOMPARE(app.prompter.boxes[0].text, QStringLiteral("Are you want to delete ' a.mp3'?"));
    QCOMPARE(app.prompter.boxes[0].title, QStringLiteral("Cofirm Delete"));
    QCOMPARE(ProgramFolder::filesIn(app.folder.playlist(QStringLiteral("Mix"))),
             QStringList({"a.mp3", "b.mp3"}));

    app.prompter.clear();
    app.prompter.queueAnswers({true});
    press(f.playlistsons, Qt::Key_Delete);
    QCOMPARE(app.prompter.titles(), QStringList({"Cofirm Delete", "Removed Complete"}));
    QCOMPARE(ProgramFolder::filesIn(app.folder.playlist(QStringLiteral("Mix"))),
             QStringList({"b.mp3"}));
    QCOMPARE(f.playlistsons->items(), QStringList({"b.mp3"}));
}

void TestKeyboard::deleteElsewhereRemovesNothing() {
    ProductApp app;
    app.folder.addLibrarySong(QStringLiteral("a.mp3"));
    app.folder.addPlaylist(QStringLiteral("Mix"), {QStringLiteral("a.mp3")});
    app.folder.writeState(QStringLiteral("Mix"), QStringLiteral("7/16/2009 3:25:07 PM"),
                          QStringLiteral("/home/anna/Music"));
    app.startOn(ShowPlaylistsPage);
    Form& f = app.form();
    f.librarysongs->setSelected(0, true);
    press(f.librarysongs, Qt::Key_Delete);
    f.playlists->selectRow(0);
    press(f.playlists, Qt::Key_Delete);
    ShowWelcomePage(f);
    f.File1->selectRow(0);
    press(f.File1, Qt::Key_Delete);

    QVERIFY(app.prompter.boxes.isEmpty());
    QCOMPARE(ProgramFolder::filesIn(app.folder.library()), QStringList({"a.mp3"}));
    QCOMPARE(ProgramFolder::filesIn(app.folder.playlist(QStringLiteral("Mix"))),
             QStringList({"a.mp3"}));
}

void TestKeyboard::enterPreviewsTheSelectedSong_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("page");
    QTest::newRow("File5") << "File5" << 3;
    QTest::newRow("File4") << "File4" << 3;
    QTest::newRow("librarysongs") << "librarysongs" << 2;
    QTest::newRow("playlistsons") << "playlistsons" << 2;
    QTest::newRow("File1") << "File1" << 1;
}

void TestKeyboard::enterPreviewsTheSelectedSong() {
    QFETCH(QString, list);
    QFETCH(int, page);
    QTemporaryDir browsed;
    ProgramFolder::putSong(browsed.path(), QStringLiteral("a.mp3"));
    ProgramFolder::putSong(browsed.path(), QStringLiteral("b.mp3"));
    ProductApp app;
    app.platform.volumes = {QStringLiteral("/"), browsed.path()};
    app.folder.addLibrarySong(QStringLiteral("a.mp3"));
    app.folder.addLibrarySong(QStringLiteral("b.mp3"));
    app.folder.addPlaylist(QStringLiteral("Mix"),
                           {QStringLiteral("a.mp3"), QStringLiteral("b.mp3")});
    app.folder.writeState(QStringLiteral("Mix"), QStringLiteral("7/16/2009 3:25:07 PM"),
                          QStringLiteral("/home/anna/Music"));
    void (*const pages[])(Form&) = {ShowWelcomePage, ShowPlaylistsPage, ShowLibraryPage};
    app.startOn(pages[page - 1]);
    Form& f = app.form();
    Drive1_Change(f, browsed.path());

    const std::map<QString, std::pair<ListBox*, PreviewPlayer*>> lists{
        {QStringLiteral("File5"), {f.File5, f.WindowsMediaPlayer2}},
        {QStringLiteral("File4"), {f.File4, f.WindowsMediaPlayer2}},
        {QStringLiteral("librarysongs"), {f.librarysongs, f.WindowsMediaPlayer1}},
        {QStringLiteral("playlistsons"), {f.playlistsons, f.WindowsMediaPlayer1}},
        {QStringLiteral("File1"), {f.File1, f.WindowsMediaPlayer3}},
    };
    const std::map<QString, QString> folders{
        {QStringLiteral("File5"), browsed.path()},
        {QStringLiteral("File4"), app.folder.library()},
        {QStringLiteral("librarysongs"), app.folder.library()},
        {QStringLiteral("playlistsons"), app.folder.playlist(QStringLiteral("Mix"))},
        {QStringLiteral("File1"), app.folder.playlist(QStringLiteral("Mix"))},
    };
    auto [songs, player] = lists.at(list);
    QCOMPARE(songs->items(), QStringList({"a.mp3", "b.mp3"}));
    songs->setFocus();
    songs->selectRow(1);
    QCOMPARE(player->url(), QString());

    press(songs, Qt::Key_Return);
    QCOMPARE(QDir::cleanPath(player->url()), folders.at(list) + QStringLiteral("/b.mp3"));
    // The keypad's Enter does the same.
    songs->selectRow(0);
    press(songs, Qt::Key_Enter);
    QCOMPARE(QDir::cleanPath(player->url()), folders.at(list) + QStringLiteral("/a.mp3"));
    QVERIFY(app.prompter.boxes.isEmpty());
}

void TestKeyboard::enterWithoutSelectionPlaysNothing() {
    ProductApp app;
    app.folder.addLibrarySong(QStringLiteral("a.mp3"));
    app.startOn(ShowPlaylistsPage);
    Form& f = app.form();
    f.librarysongs->clearSelection();
    f.librarysongs->setCurrentIndex(QModelIndex());
    press(f.librarysongs, Qt::Key_Return);
    press(f.playlistsons, Qt::Key_Return);
    ShowLibraryPage(f);
    f.File4->clearSelection();
    press(f.File4, Qt::Key_Return);
    QCOMPARE(f.WindowsMediaPlayer1->url(), QString());
    QCOMPARE(f.WindowsMediaPlayer2->url(), QString());
    QVERIFY(app.prompter.boxes.isEmpty());
}

void TestKeyboard::enterOpensTheChosenPlaylist() {
    ProductApp app;
    app.folder.addPlaylist(QStringLiteral("One"), {QStringLiteral("one.mp3")});
    app.folder.addPlaylist(QStringLiteral("Two"), {QStringLiteral("two.mp3")});
    app.folder.writeState(QStringLiteral("One"), QStringLiteral("7/16/2009 3:25:07 PM"),
                          QStringLiteral("/home/anna/Music"));
    app.startOn(ShowWelcomePage);
    Form& f = app.form();
    QCOMPARE(f.File1->items(), QStringList({"one.mp3"}));

    // The arrow keys only move the selection; Enter opens what is selected.
    f.List1->setFocus();
    press(f.List1, Qt::Key_Down);
    QCOMPARE(f.List1->selectedText(), QStringLiteral("Two"));
    QCOMPARE(f.File1->items(), QStringList({"one.mp3"}));
    press(f.List1, Qt::Key_Return);
    QCOMPARE(f.File1->items(), QStringList({"two.mp3"}));

    ShowPlaylistsPage(f);
    QCOMPARE(f.playlistsons->items(), QStringList({"one.mp3"}));
    f.playlists->setFocus();
    press(f.playlists, Qt::Key_Down);
    press(f.playlists, Qt::Key_Return);
    QCOMPARE(f.playlistsons->items(), QStringList({"two.mp3"}));
}

void TestKeyboard::enterOpensTheChosenFolder() {
    QTemporaryDir browsed;
    QVERIFY(QDir(browsed.path()).mkdir(QStringLiteral("Albums")));
    ProgramFolder::putSong(browsed.path() + QStringLiteral("/Albums"), QStringLiteral("x.mp3"));
    ProductApp app;
    app.platform.volumes = {QStringLiteral("/"), browsed.path()};
    app.startOn(ShowLibraryPage);
    Form& f = app.form();
    Drive1_Change(f, browsed.path());
    QCOMPARE(f.Dir3->count(), 1);

    const QString albums = f.Dir3->entry(0);
    QList<QListWidgetItem*> rows = f.Dir3->findItems(QStringLiteral("Albums"), Qt::MatchEndsWith);
    QCOMPARE(rows.size(), 1);
    f.Dir3->setCurrentItem(rows.first());
    press(f.Dir3, Qt::Key_Return);
    QCOMPARE(f.Dir3->path(), albums);
    QCOMPARE(f.File5->items(), QStringList({"x.mp3"}));
}

void TestKeyboard::everyPictureButtonIsNamedByItsCaption() {
    ProductApp app;
    app.startOn(ShowWelcomePage);
    const std::map<QString, QString> expected{
        {"sidebutton1", "Welcome"},
        {"sidebutton4", "Welcome"},
        {"sidebutton2", "Playlists"},
        {"sidebutton5", "Playlists"},
        {"sidebutton3", "Library"},
        {"sidebutton6", "Library"},
        {"sidebutton7", "Settings"},
        {"sidebutton8", "Settings"},
        {"startgame", "Play Game with selected Playlist"},
        {"startgame2", "Play Game with selected Playlist"},
        {"Image1", "Close"},
        {"Image3", "Close"},
        {"Image2", "Minimise"},
        {"Image4", "Minimise"},
    };
    const QStringList actions{"Update/Change Playlist", "Delete Playlist",
                              "Create Playlist",        "Remove Selected Song",
                              "Clear Playlist",         "Add song(s) to Playlist",
                              "Add All to Playlist",    "Add Song to Library",
                              "Remove from Library",    "Change Path",
                              "Use Default Path"};
    const QStringList decorations{"sidearrow1", "sidearrow2", "sidearrow3", "sidearrow4",
                                  "helpboxcurs"};
    int named = 0;
    for (PictureBox* picture : app.window->findChildren<PictureBox*>()) {
        const QString name = picture->objectName();
        if (decorations.contains(name))
            continue;
        QString caption;
        if (const auto known = expected.find(name); known != expected.end()) {
            caption = known->second;
        } else {
            static const QRegularExpression action(
                QStringLiteral("^cmd(active|over)\\((\\d+)\\)$"));
            const QRegularExpressionMatch match = action.match(name);
            QVERIFY2(match.hasMatch(),
                     qPrintable(name + QStringLiteral(": a picture without a name")));
            caption = actions.at(match.captured(2).toInt());
        }
        QCOMPARE(picture->accessibleName(), caption);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(picture);
        QVERIFY(accessible);
        QCOMPARE(accessible->text(QAccessible::Name), caption);
        QCOMPARE(accessible->role(), QAccessible::Button);
        QVERIFY(picture->focusPolicy() & Qt::TabFocus);
        ++named;
    }
    QCOMPARE(named, int(expected.size()) + 2 * int(actions.size()));
}

void TestKeyboard::spaceAndEnterPressPictureButtons() {
    ProductApp app;
    app.folder.addLibrarySong(QStringLiteral("a.mp3"));
    app.startOn(ShowWelcomePage);
    Form& f = app.form();

    press(f.sidebutton3, Qt::Key_Space);
    QCOMPARE(f.CurrentPage, qint16(3));
    QVERIFY(f.libraryframe->isVisible());
    press(f.sidebutton2, Qt::Key_Return);
    QCOMPARE(f.CurrentPage, qint16(2));
    // The lit picture over a sidebar button presses the same page.
    f.sidebutton8->show();
    press(f.sidebutton8, Qt::Key_Enter);
    QCOMPARE(f.CurrentPage, qint16(4));

    // An action button runs its routine with its usual question.
    ShowLibraryPage(f);
    f.File4->selectRow(0);
    app.prompter.defaultAnswer = false;
    press(f.cmdactive[8], Qt::Key_Space);
    QCOMPARE(app.prompter.titles(), QStringList({"Confirm Delete"}));
    // Holding the key down presses once.
    QTest::keyEvent(QTest::KeyAction::Press, f.cmdactive[8], Qt::Key_Space, Qt::NoModifier);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
    QCoreApplication::sendEvent(f.cmdactive[8], &repeat);
    QCOMPARE(app.prompter.boxes.size(), 2);
    QVERIFY(QFile::exists(app.librarySong(QStringLiteral("a.mp3"))));

    // Other keys do nothing.
    press(f.sidebutton1, Qt::Key_A);
    QCOMPARE(f.CurrentPage, qint16(3));

    QSignalSpy closed(app.window.get(), &MainWindow::closed);
    press(f.Image3, Qt::Key_Return);
    QCOMPARE(closed.size(), 1);
}

void TestKeyboard::assistiveTechnologyCanPressAButton() {
    ProductApp app;
    app.startOn(ShowWelcomePage);
    Form& f = app.form();
    QAccessibleInterface* settings = QAccessible::queryAccessibleInterface(f.sidebutton7);
    QVERIFY(settings && settings->actionInterface());
    QCOMPARE(settings->actionInterface()->actionNames(),
             QStringList({QAccessibleActionInterface::pressAction()}));
    settings->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(f.CurrentPage, qint16(4));

    QAccessibleInterface* link = QAccessible::queryAccessibleInterface(f.sidelables[30]);
    QCOMPARE(link->role(), QAccessible::Link);
    QCOMPARE(link->text(QAccessible::Name), QStringLiteral("Run First time Tutorial Again >>"));
    ShowWelcomePage(f);
    press(f.sidelables[30], Qt::Key_Return);
    QVERIFY(f.HelpBox1->isVisible());
}

void TestKeyboard::tabFollowsThePage_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("order"); // object names, from the page's first control on
    const QStringList sidebarAndWindow{"sidebutton1", "sidebutton2", "sidebutton3",
                                       "sidebutton7", "Image4",      "Image3"};
    QTest::newRow("welcome")
        << 1
        << QStringList{"List1",         "cmdactive(0)",        "startgame",
                       "File1",         "WindowsMediaPlayer3", "sidelables(35)",
                       "sidelables(30)"} +
               sidebarAndWindow;
    QTest::newRow("playlists") << 2
                               << QStringList{"playlists",           "cmdactive(1)",
                                              "newplaylistname",     "cmdactive(2)",
                                              "WindowsMediaPlayer1", "playlistsons",
                                              "cmdactive(3)",        "cmdactive(4)",
                                              "librarysongs",        "cmdactive(5)",
                                              "cmdactive(6)"} +
                                      sidebarAndWindow;
    QTest::newRow("library") << 3
                             << QStringList{"Drive1",       "Dir3",
                                            "File5",        "WindowsMediaPlayer2",
                                            "cmdactive(7)", "File4",
                                            "cmdactive(8)"} +
                                    sidebarAndWindow;
    QTest::newRow("settings") << 4
                              << QStringList{"settings_Drive", "settings_Dir", "cmdactive(9)",
                                             "cmdactive(10)"} +
                                     sidebarAndWindow;
}

void TestKeyboard::tabFollowsThePage() {
    QFETCH(int, page);
    QFETCH(QStringList, order);
    ProductApp app;
    app.folder.addPlaylist(QStringLiteral("Mix"));
    void (*const pages[])(Form&) = {ShowWelcomePage, ShowPlaylistsPage, ShowLibraryPage,
                                    ShowSettingsPage};
    app.startOn(pages[page - 1]);
    Form& f = app.form();
    QList<QWidget*> controls;
    for (const QString& name : order)
        controls << app.window->findChild<QWidget*>(name);
    QVERIFY(!controls.contains(nullptr));

    controls.first()->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), controls.first());
    QStringList visited{order.first()};
    // Twice round the window, so that the way back to the start is seen as well.
    for (int step = 0; step < 2 * 40 && visited.size() < 2 * order.size(); ++step) {
        press(QApplication::focusWidget(), Qt::Key_Tab);
        const QString name = controlOf(QApplication::focusWidget(), controls)->objectName();
        if (name != visited.last()) // a player's own buttons are one control
            visited << name;
    }
    QCOMPARE(visited, order + order);
    Q_UNUSED(f);
}

void TestKeyboard::focusStaysOnAButtonWhoseHighlightSwaps() {
    ProductApp app;
    app.startOn(ShowLibraryPage);
    Form& f = app.form();
    f.cmdactive[7]->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), f.cmdactive[7]);

    // The mouse over its caption lights the button: the lit picture takes over the focus.
    sidelablesMouseMove(f, 14);
    QVERIFY(!f.cmdactive[7]->isVisible());
    QTRY_COMPARE(QApplication::focusWidget(), f.cmdover[7]);
    // And hands it back when the mouse leaves.
    maKebuttonsnotactive(f);
    QTRY_COMPARE(QApplication::focusWidget(), f.cmdactive[7]);
}

QTEST_MAIN(TestKeyboard)
#include "tst_Keyboard.moc"
