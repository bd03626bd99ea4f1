// The keyboard and assistive technology in the real window: Enter and Delete on the lists,
// picture buttons that Tab reaches and Space or Enter presses, their names, the tab order, and
// where the focus goes when the window changes under it.
#include "ProductApp.h"

#include "library/LibraryBrowser.h"
#include "ui/FocusRing.h"
#include "ui/Hover.h"
#include "ui/Navigation.h"
#include "widgets/CaptionLabel.h"
#include "widgets/DirList.h"
#include "widgets/DriveList.h"
#include "widgets/FileList.h"
#include "widgets/PageFrame.h"
#include "widgets/PictureBox.h"
#include "widgets/PreviewPlayer.h"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <map>

namespace {

const QString aDate = QStringLiteral("7/16/2009 3:25:07 PM");
void (*const pages[])(Form&) = {ShowWelcomePage, ShowPlaylistsPage, ShowLibraryPage,
                                ShowSettingsPage};

void press(QWidget* widget, Qt::Key key) {
    QTest::keyClick(widget, key);
}

QWidget* focused() {
    return QApplication::focusWidget();
}

// The control that holds widget (a player's own buttons count as the player).
QString controlOf(QWidget* widget, const QStringList& controls) {
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (controls.contains(w->objectName()))
            return w->objectName();
    }
    return widget ? widget->objectName() : QStringLiteral("<none>");
}

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT

private slots:
    void deleteRemovesWithItsQuestion_data();
    void deleteRemovesWithItsQuestion();
    void deleteElsewhereRemovesNothing();
    void enterPreviewsTheSelectedSong_data();
    void enterPreviewsTheSelectedSong();
    void enterOpensPlaylistsAndFolders();
    void everyPictureButtonIsAButtonNamedByItsCaption();
    void spaceAndEnterPressPictureButtons();
    void tabFollowsThePage_data();
    void tabFollowsThePage();
    void theFocusFrameFollowsTheKeyboardOnly();
    void theFocusGoesWhereTheUserLooks();
};

void TestKeyboard::deleteRemovesWithItsQuestion_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QStringList>("afterYes");
    QTest::newRow("File4") << 3 << "File4"
                           << "Are you want to delete 'b.mp3' ?"
                           << QStringList{"Confirm Delete", "Delete Complete"};
    QTest::newRow("playlistsons") << 2 << "playlistsons"
                                  << "Are you want to delete ' b.mp3'?"
                                  << QStringList{"Cofirm Delete", "Removed Complete"};
}

void TestKeyboard::deleteRemovesWithItsQuestion() {
    QFETCH(int, page);
    QFETCH(QString, list);
    QFETCH(QString, question);
    QFETCH(QStringList, afterYes);
    ProductApp app;
    app.folder.addLibrarySong(QStringLiteral("a.mp3"));
    app.folder.addLibrarySong(QStringLiteral("b.mp3"));
    app.folder.addPlaylist(QStringLiteral("Mix"),
                           {QStringLiteral("a.mp3"), QStringLiteral("b.mp3")});
    app.startOn(pages[page - 1]);
    auto* songs = app.window->findChild<FileList*>(list);
    const QString folder = songs->folder();
    songs->selectRow(1);

    app.prompter.queueAnswers({false});
    press(songs, Qt::Key_Delete);
    QCOMPARE(app.prompter.boxes.size(), 1);
    QVERIFY(app.prompter.boxes[0].question);
    QCOMPARE(app.prompter.boxes[0].text, question);
    QCOMPARE(app.prompter.titles(), afterYes.mid(0, 1));
    QCOMPARE(ProgramFolder::filesIn(folder), QStringList({"a.mp3", "b.mp3"}));

    app.prompter.clear();
    app.prompter.queueAnswers({true});
    press(songs, Qt::Key_Delete);
    QCOMPARE(app.prompter.titles(), afterYes);
    QCOMPARE(ProgramFolder::filesIn(folder), QStringList({"a.mp3"}));
    QCOMPARE(songs->items(), QStringList({"a.mp3"}));
}

void TestKeyboard::deleteElsewhereRemovesNothing() {
    ProductApp app;
    app.folder.addLibrarySong(QStringLiteral("a.mp3"));
    app.folder.addPlaylist(QStringLiteral("Mix"), {QStringLiteral("a.mp3")});
    app.folder.writeState(QStringLiteral("Mix"), aDate, QStringLiteral("/home/anna/Music"));
    app.startOn(ShowPlaylistsPage);
    Form& f = app.form();
    f.librarysongs->setSelected(0, true);
    f.playlists->selectRow(0);
    f.File1->selectRow(0);
    for (ListBox* list :
         std::initializer_list<ListBox*>{f.librarysongs, f.playlists, f.File1, f.File5, f.List1})
        press(list, Qt::Key_Delete);
    QVERIFY(app.prompter.boxes.isEmpty());
    QCOMPARE(ProgramFolder::filesIn(app.folder.library()), QStringList({"a.mp3"}));
    QCOMPARE(ProgramFolder::filesIn(app.folder.playlist(QStringLiteral("Mix"))),
             QStringList({"a.mp3"}));
}

void TestKeyboard::enterPreviewsTheSelectedSong_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("player");
    QTest::newRow("File5") << 3 << "File5"
                           << "WindowsMediaPlayer2";
    QTest::newRow("File4") << 3 << "File4"
                           << "WindowsMediaPlayer2";
    QTest::newRow("librarysongs") << 2 << "librarysongs"
                                  << "WindowsMediaPlayer1";
    QTest::newRow("playlistsons") << 2 << "playlistsons"
                                  << "WindowsMediaPlayer1";
    QTest::newRow("File1") << 1 << "File1"
                           << "WindowsMediaPlayer3";
}

void TestKeyboard::enterPreviewsTheSelectedSong() {
    QFETCH(int, page);
    QFETCH(QString, list);
    QFETCH(QString, player);
    QTemporaryDir browsed;
    ProductApp app;
    for (const QString& song : {QStringLiteral("a.mp3"), QStringLiteral("b.mp3")}) {
        ProgramFolder::putSong(browsed.path(), song);
        app.folder.addLibrarySong(song);
    }
    app.folder.addPlaylist(QStringLiteral("Mix"),
                           {QStringLiteral("a.mp3"), QStringLiteral("b.mp3")});
    app.folder.writeState(QStringLiteral("Mix"), aDate, QStringLiteral("/home/anna/Music"));
    app.startOn(pages[page - 1]);
    Drive1_Change(app.form(), browsed.path());
    auto* songs = app.window->findChild<ListBox*>(list);
    auto* preview = app.window->findChild<PreviewPlayer*>(player);
    const QString folder = list == QLatin1String("librarysongs")
                               ? app.folder.library()
                               : static_cast<FileList*>(songs)->folder();
    QCOMPARE(songs->items(), QStringList({"a.mp3", "b.mp3"}));

    // Nothing selected: nothing to play.
    songs->setCurrentIndex(QModelIndex());
    songs->clearSelection();
    press(songs, Qt::Key_Return);
    QCOMPARE(preview->url(), QString());

    songs->selectRow(1);
    press(songs, Qt::Key_Return);
    QCOMPARE(QDir::cleanPath(preview->url()), QDir::cleanPath(folder + QStringLiteral("/b.mp3")));
    songs->selectRow(0);
    press(songs, Qt::Key_Enter); // the keypad's
    QCOMPARE(QDir::cleanPath(preview->url()), QDir::cleanPath(folder + QStringLiteral("/a.mp3")));
    QVERIFY(app.prompter.boxes.isEmpty());
}

void TestKeyboard::enterOpensPlaylistsAndFolders() {
    QTemporaryDir browsed;
    ProgramFolder::putSong(browsed.path() + QStringLiteral("/Albums"), QStringLiteral("x.mp3"));
    ProductApp app;
    app.folder.addPlaylist(QStringLiteral("One"), {QStringLiteral("one.mp3")});
    app.folder.addPlaylist(QStringLiteral("Two"), {QStringLiteral("two.mp3")});
    app.folder.writeState(QStringLiteral("One"), aDate, QStringLiteral("/home/anna/Music"));
    app.startOn(ShowWelcomePage);
    Form& f = app.form();

    // The arrow keys only move the selection; Enter opens what is selected.
    press(f.List1, Qt::Key_Down);
    QCOMPARE(f.File1->items(), QStringList({"one.mp3"}));
    press(f.List1, Qt::Key_Return);
    QCOMPARE(f.File1->items(), QStringList({"two.mp3"}));
    ShowPlaylistsPage(f);
    press(f.playlists, Qt::Key_Down);
    press(f.playlists, Qt::Key_Return);
    QCOMPARE(f.playlistsons->items(), QStringList({"two.mp3"}));

    ShowLibraryPage(f);
    Drive1_Change(f, browsed.path());
    const QList<QListWidgetItem*> rows =
        f.Dir3->findItems(QStringLiteral("Albums"), Qt::MatchEndsWith);
    QCOMPARE(rows.size(), 1);
    f.Dir3->setCurrentItem(rows.first());
    press(f.Dir3, Qt::Key_Return);
    QCOMPARE(f.Dir3->path(), browsed.path() + QStringLiteral("/Albums"));
    QCOMPARE(f.File5->items(), QStringList({"x.mp3"}));
}

void TestKeyboard::everyPictureButtonIsAButtonNamedByItsCaption() {
    ProductApp app;
    app.startOn(ShowWelcomePage);
    Form& f = app.form();
    const std::map<QString, QString> named{
        {"sidebutton1", "Welcome"},
        {"sidebutton4", "Welcome"},
        {"sidebutton2", "Playlists"},
        {"sidebutton5", "Playlists"},
        {"sidebutton3", "Library"},
        {"sidebutton6", "Library"},
        {"sidebutton7", "Settings"},
        {"sidebutton8", "Settings"},
        {"Image1", "Close"},
        {"Image3", "Close"},
        {"Image2", "Minimise"},
        {"Image4", "Minimise"},
        {"startgame", "Play Game with selected Playlist"},
        {"startgame2", "Play Game with selected Playlist"},
    };
    const QStringList actions{"Update/Change Playlist", "Delete Playlist",
                              "Create Playlist",        "Remove Selected Song",
                              "Clear Playlist",         "Add song(s) to Playlist",
                              "Add All to Playlist",    "Add Song to Library",
                              "Remove from Library",    "Change Path",
                              "Use Default Path"};
    const QStringList decorations{"sidearrow1", "sidearrow2", "sidearrow3", "sidearrow4",
                                  "helpboxcurs"};
    static const QRegularExpression action(QStringLiteral("^cmd(active|over)\\((\\d+)\\)$"));
    int checked = 0;
    for (PictureBox* picture : app.window->findChildren<PictureBox*>()) {
        const QString name = picture->objectName();
        if (decorations.contains(name))
            continue;
        const QRegularExpressionMatch match = action.match(name);
        QVERIFY2(named.count(name) || match.hasMatch(), qPrintable(name + " has no caption"));
        const QString caption =
            match.hasMatch() ? actions.at(match.captured(2).toInt()) : named.at(name);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(picture);
        QCOMPARE(accessible->text(QAccessible::Name), caption);
        QCOMPARE(accessible->role(), QAccessible::Button);
        QVERIFY(picture->focusPolicy() & Qt::TabFocus);
        ++checked;
    }
    QCOMPARE(checked, int(named.size() + 2 * actions.size()));

    // A screen reader presses a button through its press action; a link is a link.
    QAccessibleActionInterface* settings =
        QAccessible::queryAccessibleInterface(f.sidebutton7)->actionInterface();
    settings->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(f.CurrentPage, qint16(4));
    QAccessibleInterface* link = QAccessible::queryAccessibleInterface(f.sidelables[30]);
    QCOMPARE(link->role(), QAccessible::Link);
    QCOMPARE(link->text(QAccessible::Name), QStringLiteral("Run First time Tutorial Again >>"));
    // Lists are named by their headings.
    QCOMPARE(QAccessible::queryAccessibleInterface(f.File4)->text(QAccessible::Name),
             QStringLiteral("Music in Library"));
}

void TestKeyboard::spaceAndEnterPressPictureButtons() {
    ProductApp app;
    app.folder.addLibrarySong(QStringLiteral("a.mp3"));
    app.startOn(ShowWelcomePage);
    Form& f = app.form();

    press(f.sidebutton3, Qt::Key_Space);
    QCOMPARE(f.CurrentPage, qint16(3));
    press(f.sidebutton2, Qt::Key_Return);
    QCOMPARE(f.CurrentPage, qint16(2));
    press(f.sidebutton8, Qt::Key_Enter); // the lit picture over a sidebar button
    QCOMPARE(f.CurrentPage, qint16(4));
    press(f.sidebutton1, Qt::Key_A);
    QCOMPARE(f.CurrentPage, qint16(4));

    // An action button runs its routine with its usual question; a held key presses once.
    ShowLibraryPage(f);
    f.File4->selectRow(0);
    app.prompter.defaultAnswer = false;
    press(f.cmdactive[8], Qt::Key_Space);
    QCOMPARE(app.prompter.titles(), QStringList({"Confirm Delete"}));
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
    QCoreApplication::sendEvent(f.cmdactive[8], &repeat);
    QCOMPARE(app.prompter.boxes.size(), 1);
    QVERIFY(QFile::exists(app.librarySong(QStringLiteral("a.mp3"))));

    QSignalSpy closed(app.window.get(), &MainWindow::closed);
    press(f.Image3, Qt::Key_Return);
    QCOMPARE(closed.size(), 1);
}

void TestKeyboard::tabFollowsThePage_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("order"); // from the page's first control, once round
    const QStringList rest{"sidebutton1", "sidebutton2", "sidebutton3",
                           "sidebutton7", "Image4",      "Image3"};
    QTest::newRow("welcome")
        << 1
        << QStringList{"List1",         "cmdactive(0)",        "startgame",
                       "File1",         "WindowsMediaPlayer3", "sidelables(35)",
                       "sidelables(30)"} +
               rest;
    QTest::newRow("playlists") << 2
                               << QStringList{"playlists",           "cmdactive(1)",
                                              "newplaylistname",     "cmdactive(2)",
                                              "WindowsMediaPlayer1", "playlistsons",
                                              "cmdactive(3)",        "cmdactive(4)",
                                              "librarysongs",        "cmdactive(5)",
                                              "cmdactive(6)"} +
                                      rest;
    QTest::newRow("library") << 3
                             << QStringList{"Drive1",       "Dir3",
                                            "File5",        "WindowsMediaPlayer2",
                                            "cmdactive(7)", "File4",
                                            "cmdactive(8)"} +
                                    rest;
    QTest::newRow("settings") << 4
                              << QStringList{"settings_Drive", "settings_Dir", "cmdactive(9)",
                                             "cmdactive(10)"} +
                                     rest;
}

void TestKeyboard::tabFollowsThePage() {
    QFETCH(int, page);
    QFETCH(QStringList, order);
    ProductApp app;
    app.folder.addPlaylist(QStringLiteral("Mix"));
    app.startOn(pages[page - 1]);
    app.window->findChild<QWidget*>(order.first())->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(focused()->objectName(), order.first());

    // Twice round, so that the way back to the start is seen too.
    QStringList visited{order.first()};
    for (int step = 0; step < 80 && visited.size() < 2 * order.size(); ++step) {
        press(focused(), Qt::Key_Tab);
        const QString name = controlOf(focused(), order);
        if (name != visited.last()) // a player's own buttons are one stop
            visited << name;
    }
    QCOMPARE(visited, order + order);
}

void TestKeyboard::theFocusFrameFollowsTheKeyboardOnly() {
    ProductApp app;
    app.startOn(ShowLibraryPage);
    Form& f = app.form();
    auto* ring = app.window->findChild<FocusRing*>();
    f.File4->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(focused(), f.File4);

    press(f.File4, Qt::Key_Tab);
    QCOMPARE(focused(), f.cmdactive[8]);
    QVERIFY(ring->isVisible());
    QCOMPARE(ring->geometry(), f.cmdactive[8]->geometry());
    QCOMPARE(ring->parentWidget(), f.cmdactive[8]->parentWidget());

    // The mouse over the caption swaps the pictures: the lit one takes the focus, and gives it
    // back when the mouse leaves.
    sidelablesMouseMove(f, 15);
    QTRY_COMPARE(focused(), f.cmdover[8]);
    QVERIFY(ring->isVisible());
    maKebuttonsnotactive(f);
    QTRY_COMPARE(focused(), f.cmdactive[8]);

    // A mouse user never sees it, wherever the focus goes.
    QTest::mouseClick(f.File4->viewport(), Qt::LeftButton);
    QVERIFY(!ring->isVisible());
    f.sidebutton3->setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(focused(), f.sidebutton3);
    QVERIFY(!ring->isVisible());
}

void TestKeyboard::theFocusGoesWhereTheUserLooks() {
    ProductApp app;
    app.startOn(ShowWelcomePage);
    Form& f = app.form();
    f.List1->setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(focused(), f.List1);

    // A page left with the focus on it hands the focus to the page shown, whichever of the two
    // the routine shows first.
    QTest::mouseClick(f.sidebutton3, Qt::LeftButton);
    QTRY_COMPARE(focused(), f.Drive1);
    QTest::mouseClick(f.sidebutton2, Qt::LeftButton);
    QTRY_COMPARE(focused(), f.playlists);
    // The keyboard on the sidebar stays there.
    f.sidebutton1->setFocus(Qt::TabFocusReason);
    press(f.sidebutton1, Qt::Key_Space);
    QCOMPARE(f.CurrentPage, qint16(1));
    QCoreApplication::processEvents();
    QCOMPARE(focused(), f.sidebutton1);

    // A tutorial box takes the focus on its button that goes on.
    press(f.sidelables[30], Qt::Key_Return);
    QTRY_COMPARE(focused(), f.helpboxbm);
    press(f.helpboxbm, Qt::Key_Return);
    QVERIFY(f.helpbox2->isVisible());
    QTRY_COMPARE(focused(), f.cmdhelp1);
}

QTEST_MAIN(TestKeyboard)
#include "tst_Keyboard.moc"
