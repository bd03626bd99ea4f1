// Highlights under the mouse, driven by real mouse moves over the shown window.
#include "TestApp.h"

#include "ui/Hover.h"
#include "ui/Navigation.h"
#include "widgets/CaptionLabel.h"
#include "widgets/FileList.h"
#include "widgets/ListBox.h"
#include "widgets/PageFrame.h"
#include "widgets/PictureBox.h"

#include <QGroupBox>
#include <QTest>

#include <array>
#include <memory>

#define CHECKED(call)                                                                              \
    do {                                                                                           \
        call;                                                                                      \
        if (QTest::currentTestFailed())                                                            \
            return;                                                                                \
    } while (false)

namespace {

const QString aDate = QStringLiteral("7/16/2009 3:25:07 PM");
const QColor blue(0, 0, 255);
const QColor black(0, 0, 0);

// The caption label over each action button, as the window lays them out.
constexpr std::array<int, 11> captionOf{23, 5, 7, 11, 12, 8, 10, 14, 15, 41, 42};

class ShownApp {
public:
    ShownApp() {
        app.folder.addPlaylist(QStringLiteral("Rock"), {QStringLiteral("r.mp3")});
        app.folder.writeState(QStringLiteral("Rock"), aDate, app.folder.path() + "/Custom Music");
        app.start();
        app.window->show();
        exposed = QTest::qWaitForWindowExposed(app.window.get());
    }

    Form& f() { return app.form(); }
    QWidget* window() { return app.window.get(); }

    // Moves the mouse onto a point of widget (in its own coordinates), which must be the
    // topmost control there.
    void moveOnto(QWidget* widget, QPoint local) {
        const QPoint at = widget->mapTo(window(), local);
        QWidget* top = window()->childAt(at);
        QVERIFY2(top == widget, qPrintable(QStringLiteral("%1 lies over %2")
                                               .arg(top ? top->objectName() : QStringLiteral("-"),
                                                    widget->objectName())));
        QTest::mouseMove(window()->windowHandle(), at);
    }
    void moveOnto(QWidget* widget) { moveOnto(widget, widget->rect().center()); }

    // The empty area of a page, beside its first heading.
    void moveOverPageBackground(QWidget* page) { moveOnto(page, QPoint(3, 3 + m_nudge++ % 2)); }

    // The bare window left of the sidebar buttons.
    void moveOverWindowBackground() {
        const QPoint at(8, 340 + m_nudge++ % 2);
        QVERIFY(!window()->childAt(at));
        QTest::mouseMove(window()->windowHandle(), at);
    }

    void showPage(int page) {
        switch (page) {
        case 1:
            ShowWelcomePage(f());
            break;
        case 2:
            ShowPlaylistsPage(f());
            break;
        case 3:
            ShowLibraryPage(f());
            break;
        default:
            ShowSettingsPage(f());
            break;
        }
    }
    int pageOf(QWidget* control) {
        const QWidget* page = control->parentWidget();
        return page == f().welcome         ? 1
               : page == f().playlistframe ? 2
               : page == f().libraryframe  ? 3
                                           : 4;
    }
    QWidget* pageWidget(int page) {
        const std::array<QWidget*, 4> pages{f().welcome, f().playlistframe, f().libraryframe,
                                            f().settings_frame};
        return pages[page - 1];
    }

    // Shows button k's page and moves over its caption.
    void lightButton(int k) {
        showPage(pageOf(f().cmdactive[k]));
        CHECKED(moveOnto(f().sidelables[captionOf[k]]));
        QVERIFY2(isLit(k), qPrintable(QString::number(k)));
    }

    bool isLit(int k) { return f().cmdactive[k]->isHidden() && !f().cmdover[k]->isHidden(); }
    bool isNormal(int k) { return !f().cmdactive[k]->isHidden() && f().cmdover[k]->isHidden(); }

    TestApp app;
    bool exposed = false;

private:
    int m_nudge = 0;
};

void expectPageHighlightsReset(Form& f) {
    for (int k = 0; k < 11; ++k) {
        QVERIFY2(!f.cmdactive[k]->isHidden(), qPrintable(QString::number(k)));
        QVERIFY2(f.cmdover[k]->isHidden(), qPrintable(QString::number(k)));
    }
    QVERIFY(!f.startgame->isHidden());
    QVERIFY(f.startgame2->isHidden());
    QCOMPARE(f.sidelables[30]->textColor(), black);
    QCOMPARE(f.sidelables[35]->textColor(), black);
}

} // namespace

class HoverTest : public QObject {
    Q_OBJECT

private slots:
    void aCaptionLightsItsButtonAndThePictureKeepsIt();
    void movesOverListsAndBoxesAreNoBackground();
    void aPageBackgroundRestoresEveryPage_data();
    void aPageBackgroundRestoresEveryPage();
    void theWindowBackgroundKeepsOnlyTheCurrentPagesHighlight_data();
    void theWindowBackgroundKeepsOnlyTheCurrentPagesHighlight();
    void linksTurnBlueAndBackToBlack();
    void thePlayGamePictureSwapsForItsHighlight();
};

void HoverTest::aCaptionLightsItsButtonAndThePictureKeepsIt() {
    ShownApp s;
    QVERIFY(s.exposed);
    Form& f = s.f();
    for (int k = 0; k < 11; ++k) {
        CHECKED(s.lightButton(k));
        for (int other = 0; other < 11; ++other) {
            if (other != k)
                QVERIFY2(s.isNormal(other),
                         qPrintable(QStringLiteral("%1 with %2").arg(other).arg(k)));
        }
        // The picture's strip above the caption is the highlighted picture now.
        CHECKED(s.moveOnto(f.cmdover[k], QPoint(f.cmdover[k]->width() / 2, 2)));
        QVERIFY2(s.isLit(k), qPrintable(QString::number(k)));
        CHECKED(s.moveOverPageBackground(s.pageWidget(s.pageOf(f.cmdactive[k]))));
        QVERIFY2(s.isNormal(k), qPrintable(QString::number(k)));
    }
}

void HoverTest::movesOverListsAndBoxesAreNoBackground() {
    ShownApp s;
    QVERIFY(s.exposed);
    Form& f = s.f();
    CHECKED(s.lightButton(0));
    CHECKED(s.moveOnto(f.sidebutton2, QPoint(20, 3)));
    QVERIFY(!f.sidebutton5->isHidden());

    // A list, a player and an open tutorial box react to nothing, and are not the background
    // behind them.
    f.HelpBox1->show();
    for (QWidget* control : {static_cast<QWidget*>(f.List1), static_cast<QWidget*>(f.File1),
                             static_cast<QWidget*>(f.HelpBox1)}) {
        const QPoint at = control->mapTo(s.window(), QPoint(control->width() / 2, 5));
        QVERIFY(s.window()->childAt(at));
        QTest::mouseMove(s.window()->windowHandle(), at);
        QVERIFY2(s.isLit(0), qPrintable(control->objectName()));
        QVERIFY2(!f.sidebutton5->isHidden(), qPrintable(control->objectName()));
    }
}

void HoverTest::aPageBackgroundRestoresEveryPage_data() {
    QTest::addColumn<int>("page");
    QTest::newRow("welcome") << 1;
    QTest::newRow("playlists") << 2;
    QTest::newRow("library") << 3;
    QTest::newRow("settings") << 4;
}

void HoverTest::aPageBackgroundRestoresEveryPage() {
    QFETCH(int, page);
    ShownApp s;
    QVERIFY(s.exposed);
    Form& f = s.f();
    for (int k = 0; k < 11; ++k)
        CHECKED(s.lightButton(k));
    s.showPage(1);
    CHECKED(s.moveOnto(f.startgame));
    CHECKED(s.moveOnto(f.sidelables[30]));
    CHECKED(s.moveOnto(f.sidelables[35]));
    CHECKED(s.moveOnto(f.Image3));
    QVERIFY(!f.Image1->isHidden());
    for (int k = 0; k < 11; ++k)
        QVERIFY2(s.isLit(k), qPrintable(QString::number(k)));

    s.showPage(page);
    CHECKED(s.moveOverPageBackground(s.pageWidget(page)));
    CHECKED(expectPageHighlightsReset(f));
    // Page backgrounds leave the window buttons and the sidebar alone.
    QVERIFY(!f.Image1->isHidden());
}

void HoverTest::theWindowBackgroundKeepsOnlyTheCurrentPagesHighlight_data() {
    QTest::addColumn<int>("page");
    QTest::newRow("welcome") << 1;
    QTest::newRow("playlists") << 2;
    QTest::newRow("library") << 3;
    QTest::newRow("settings") << 4;
}

void HoverTest::theWindowBackgroundKeepsOnlyTheCurrentPagesHighlight() {
    QFETCH(int, page);
    ShownApp s;
    QVERIFY(s.exposed);
    Form& f = s.f();
    const std::array<PictureBox*, 4> normal{f.sidebutton1, f.sidebutton2, f.sidebutton3,
                                            f.sidebutton7};
    const std::array<PictureBox*, 4> lit{f.sidebutton4, f.sidebutton5, f.sidebutton6,
                                         f.sidebutton8};
    s.showPage(page);
    CHECKED(s.lightButton(7)); // an action button, which the window background leaves lit
    s.showPage(page);
    for (int i = 0; i < 4; ++i) {
        // The strip above the caption, unless the highlight already covers it.
        if (lit[i]->isHidden())
            CHECKED(s.moveOnto(normal[i], QPoint(20, 3)));
        QVERIFY2(!lit[i]->isHidden(), qPrintable(lit[i]->objectName()));
    }
    CHECKED(s.moveOnto(f.Image3));
    QVERIFY(!f.Image1->isHidden());
    CHECKED(s.moveOnto(f.Image1)); // the highlight itself changes nothing
    CHECKED(s.moveOnto(f.Image4));
    QVERIFY(!f.Image2->isHidden());

    CHECKED(s.moveOverWindowBackground());
    for (int i = 0; i < 4; ++i)
        QVERIFY2(lit[i]->isHidden() == (i + 1 != page), qPrintable(lit[i]->objectName()));
    QVERIFY(f.Image1->isHidden());
    QVERIFY(f.Image2->isHidden());
    QVERIFY(s.isLit(7));
}

void HoverTest::linksTurnBlueAndBackToBlack() {
    ShownApp s;
    QVERIFY(s.exposed);
    Form& f = s.f();
    const QColor headingColour = f.sidelables[34]->textColor();
    CHECKED(s.moveOnto(f.sidelables[30]));
    QCOMPARE(f.sidelables[30]->textColor(), blue);
    QVERIFY(f.sidelables[35]->textColor() != blue);
    CHECKED(s.moveOnto(f.sidelables[35]));
    QCOMPARE(f.sidelables[35]->textColor(), blue);
    // Other labels are no links.
    CHECKED(s.moveOnto(f.sidelables[34]));
    QCOMPARE(f.sidelables[34]->textColor(), headingColour);
    QCOMPARE(f.sidelables[30]->textColor(), blue);

    CHECKED(s.moveOverPageBackground(f.welcome));
    QCOMPARE(f.sidelables[30]->textColor(), black);
    QCOMPARE(f.sidelables[35]->textColor(), black);
    CHECKED(s.moveOnto(f.sidelables[30]));
    QCOMPARE(f.sidelables[30]->textColor(), blue);
}

void HoverTest::thePlayGamePictureSwapsForItsHighlight() {
    ShownApp s;
    QVERIFY(s.exposed);
    Form& f = s.f();
    CHECKED(s.moveOnto(f.startgame));
    QVERIFY(!f.startgame2->isHidden());
    QVERIFY(f.startgame->isHidden());
    CHECKED(s.moveOnto(f.startgame2, QPoint(5, 5)));
    QVERIFY(!f.startgame2->isHidden());

    // Lit, the mouse leaves for another page: it stays lit until a page background.
    CHECKED(s.moveOnto(f.sidebutton3, QPoint(20, 3)));
    emit f.sidebutton3->clicked();
    QVERIFY(!f.startgame2->isHidden());
    CHECKED(s.moveOverPageBackground(f.libraryframe));
    QVERIFY(f.startgame2->isHidden());
    QVERIFY(!f.startgame->isHidden());
}

QTEST_MAIN(HoverTest)
#include "tst_Hover.moc"
