// The live window against the layout table, and the window's own buttons.
#include "TestApp.h"

#include "form/LayoutTable.h"
#include "ui/ActionDispatch.h"
#include "widgets/CaptionLabel.h"
#include "widgets/DirList.h"
#include "widgets/DriveList.h"
#include "widgets/FileList.h"
#include "widgets/PageFrame.h"
#include "widgets/PictureBox.h"
#include "widgets/PreviewPlayer.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

const char* containerName(Layout::Container container) {
    switch (container) {
    case Layout::Container::Window:
        return "Form1";
    case Layout::Container::welcome:
        return "welcome";
    case Layout::Container::playlistframe:
        return "playlistframe";
    case Layout::Container::libraryframe:
        return "libraryframe";
    case Layout::Container::settings_frame:
        return "settings_frame";
    case Layout::Container::HelpBox1:
        return "HelpBox1";
    case Layout::Container::helpbox2:
        return "helpbox2";
    case Layout::Container::helpbox3:
        return "helpbox3";
    case Layout::Container::helpbox4:
        return "helpbox4";
    }
    return "";
}

bool hasKind(QWidget* widget, Layout::Kind kind) {
    switch (kind) {
    case Layout::Kind::Label:
        return qobject_cast<CaptionLabel*>(widget);
    case Layout::Kind::Picture:
        return qobject_cast<PictureBox*>(widget);
    case Layout::Kind::Page:
        return qobject_cast<PageFrame*>(widget);
    case Layout::Kind::HelpBox:
        return qobject_cast<QGroupBox*>(widget);
    case Layout::Kind::PushButton:
        return qobject_cast<QPushButton*>(widget);
    case Layout::Kind::ListBox:
        return qobject_cast<ListBox*>(widget) && !qobject_cast<FileList*>(widget);
    case Layout::Kind::FileList:
        return qobject_cast<FileList*>(widget);
    case Layout::Kind::DirList:
        return qobject_cast<DirList*>(widget);
    case Layout::Kind::DriveList:
        return qobject_cast<DriveList*>(widget);
    case Layout::Kind::TextBox:
        return qobject_cast<QLineEdit*>(widget);
    case Layout::Kind::Player:
        return qobject_cast<PreviewPlayer*>(widget);
    }
    return false;
}

// Position among its siblings: later siblings are drawn above earlier ones.
int stackIndex(QWidget* widget) {
    return widget->parentWidget()->children().indexOf(widget);
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private slots:
    void everyControlMatchesTheTable();
    void theWindowIsFramelessFixedAndCentred();
    void stackingOrder();
    void closingEndsWithoutTouchingTheStateFile();
    void minimisingAndRestoringKeepsWhatWasShown();
};

void LayoutTest::everyControlMatchesTheTable() {
    TestApp app;
    Form& f = app.form();
    int checked = 0;
    for (const Layout::Control& row : Layout::table()) {
        const QString name = Layout::objectName(row);
        auto* widget = f.window->findChild<QWidget*>(name);
        QVERIFY2(widget, qPrintable(name));
        QVERIFY2(hasKind(widget, row.kind), qPrintable(name));
        QCOMPARE(widget->parentWidget()->objectName(),
                 QString::fromLatin1(containerName(row.container)));
        const QRect expected(Layout::pixels(row.left), Layout::pixels(row.top),
                             Layout::pixels(row.width), Layout::pixels(row.height));
        QCOMPARE(widget->pos(), expected.topLeft());
        QCOMPARE(widget->height(), expected.height());
        if (!(row.flags & Layout::SizedToText))
            QCOMPARE(widget->width(), expected.width());
        QCOMPARE(widget->isHidden(), bool(row.flags & Layout::Hidden));
        if (auto* label = qobject_cast<CaptionLabel*>(widget)) {
            QCOMPARE(label->text(), QString::fromUtf8(row.caption));
            QCOMPARE(bool(label->alignment() & Qt::AlignHCenter),
                     bool(row.flags & Layout::Centred));
        }
        if (auto* button = qobject_cast<QPushButton*>(widget))
            QCOMPARE(button->text(), QString::fromUtf8(row.caption));
        if (auto* box = qobject_cast<QGroupBox*>(widget))
            QCOMPARE(box->title(), QString::fromUtf8(row.caption));
        ++checked;
    }
    // 43 labels, 22 action-button pictures and every single control of the window.
    QCOMPARE(checked, int(Layout::table().size()));
    for (int i = 0; i < 43; ++i)
        QVERIFY(f.sidelables[i]);
}

void LayoutTest::theWindowIsFramelessFixedAndCentred() {
    TestApp app;
    Form& f = app.form();
    QCOMPARE(f.window->size(), QSize(844, 607));
    QVERIFY(f.window->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(f.window->minimumSize(), f.window->maximumSize());
    QCOMPARE(f.window->windowTitle(), QStringLiteral("The Tovia 3 Music Manager"));
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window));
    const QRect screen = f.window->screen()->availableGeometry();
    QVERIFY(qAbs(f.window->geometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(f.window->geometry().center().y() - screen.center().y()) <= 1);

    // Fonts come from the layout: a few representative ones.
    QCOMPARE(f.title->font().pointSizeF(), 14.25);
    QVERIFY(f.title->font().bold());
    QCOMPARE(f.sidelables[30]->font().pointSizeF(), 11.25);
    QVERIFY(f.sidelables[30]->font().italic());
    QCOMPARE(f.sidelables[19]->font().bold(), false);
    QCOMPARE(f.List1->font().pointSizeF(), 9.75);
    QCOMPARE(f.File1->font().family(), QStringLiteral("MS Sans Serif"));
    QVERIFY(QFontInfo(f.title->font()).family().contains(QStringLiteral("Liberation")));

    // No tutorial button cuts its caption off.
    for (QPushButton* button :
         {f.helpboxbm, f.cmdhelp1, f.cmdback1, f.cmdhelp2, f.cmdback2, f.cmdhelp3}) {
        QVERIFY2(button->sizeHint().width() <= button->width(), qPrintable(button->text()));
        QVERIFY(button->font().pointSizeF() >= 6);
    }
}

void LayoutTest::stackingOrder() {
    TestApp app;
    Form& f = app.form();
    for (int k = 0; k <= 10; ++k) {
        CaptionLabel* caption = f.sidelables[captionLabelOfButton(k)];
        QCOMPARE(caption->parentWidget(), f.cmdactive[k]->parentWidget());
        QVERIFY(stackIndex(caption) > stackIndex(f.cmdactive[k]));
        QVERIFY(stackIndex(caption) > stackIndex(f.cmdover[k]));
        QCOMPARE(f.cmdover[k]->geometry(), f.cmdactive[k]->geometry());
    }
    QVERIFY(stackIndex(f.sidebutton4) > stackIndex(f.sidebutton1));
    QVERIFY(stackIndex(f.sidebutton5) > stackIndex(f.sidebutton2));
    QVERIFY(stackIndex(f.sidebutton6) > stackIndex(f.sidebutton3));
    QVERIFY(stackIndex(f.sidebutton8) > stackIndex(f.sidebutton7));
    QVERIFY(stackIndex(f.Image1) > stackIndex(f.Image3));
    QVERIFY(stackIndex(f.Image2) > stackIndex(f.Image4));
    for (QWidget* below :
         {static_cast<QWidget*>(f.sidebutton1), static_cast<QWidget*>(f.sidebutton6),
          static_cast<QWidget*>(f.sidelables[0]), static_cast<QWidget*>(f.sidelables[2])})
        QVERIFY(stackIndex(f.helpboxcurs) > stackIndex(below));

    // Pages and tutorial boxes lie above everything drawn directly on the window.
    int highestWindowControl = 0;
    for (QObject* child : f.window->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || qobject_cast<PageFrame*>(widget) || qobject_cast<QGroupBox*>(widget))
            continue;
        highestWindowControl = qMax(highestWindowControl, stackIndex(widget));
    }
    for (QWidget* top : {static_cast<QWidget*>(f.welcome), static_cast<QWidget*>(f.settings_frame),
                         static_cast<QWidget*>(f.HelpBox1), static_cast<QWidget*>(f.helpbox4)})
        QVERIFY(stackIndex(top) > highestWindowControl);
}

void LayoutTest::closingEndsWithoutTouchingTheStateFile() {
    TestApp app;
    app.folder.writeState(QStringLiteral("Rock, Mix"), QStringLiteral("7/16/2009 3:25:07 PM"),
                          QStringLiteral("/tmp/nowhere"));
    app.folder.addLibrarySong(QStringLiteral("song.mp3"));
    const QByteArray before = app.folder.stateBytes();
    app.start();
    Form& f = app.form();
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window));
    f.WindowsMediaPlayer2->setUrl(app.folder.library() + QStringLiteral("/song.mp3"));
    f.WindowsMediaPlayer2->play();

    QSignalSpy closed(app.window.get(), &MainWindow::closed);
    QTest::mouseClick(f.Image3, Qt::LeftButton);
    QCOMPARE(closed.count(), 1);
    QVERIFY(!f.window->isVisible());
    QCOMPARE(app.folder.stateBytes(), before);
}

void LayoutTest::minimisingAndRestoringKeepsWhatWasShown() {
    TestApp app;
    app.folder.addPlaylist(QStringLiteral("Alpha"));
    app.folder.addPlaylist(QStringLiteral("Beta"));
    app.prompter.queueAnswers({true}); // run the tutorial
    app.start();
    Form& f = app.form();
    f.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window));
    QTest::mouseClick(f.sidelables[1], Qt::LeftButton);
    f.playlists->selectRow(1);

    QTest::mouseClick(f.Image4, Qt::LeftButton);
    QVERIFY(f.window->windowState() & Qt::WindowMinimized);
    f.window->showNormal();
    QVERIFY(!(f.window->windowState() & Qt::WindowMinimized));
    QVERIFY(f.playlistframe->isVisible());
    QVERIFY(f.HelpBox1->isVisible());
    QCOMPARE(f.playlists->selectedText(), QStringLiteral("Beta"));
}

QTEST_MAIN(LayoutTest)
#include "tst_Layout.moc"
