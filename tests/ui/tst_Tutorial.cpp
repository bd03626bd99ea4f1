// The tutorial: its boxes, the pointer's ticks and the pages shown on arrival.
#include "TestApp.h"

#include "form/LayoutTable.h"
#include "ui/Navigation.h"
#include "ui/Tutorial.h"
#include "widgets/CaptionLabel.h"
#include "widgets/ListBox.h"
#include "widgets/PageFrame.h"
#include "widgets/PictureBox.h"

#include <QGroupBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTest>
#include <QTimer>

#include <memory>

// A failed check inside a helper ends the test, not only the helper.
#define CHECKED(call)                                                                              \
    do {                                                                                           \
        call;                                                                                      \
        if (QTest::currentTestFailed())                                                            \
            return;                                                                                \
    } while (false)

namespace {

const QString aDate = QStringLiteral("7/16/2009 3:25:07 PM");

// A returning user with two playlists, "Rock" being the game's.
std::unique_ptr<TestApp> startApp() {
    auto app = std::make_unique<TestApp>();
    app->folder.addPlaylist(QStringLiteral("Jazz"), {QStringLiteral("j.mp3")});
    app->folder.addPlaylist(QStringLiteral("Rock"), {QStringLiteral("r.mp3")});
    app->folder.writeState(QStringLiteral("Rock"), aDate, app->folder.path() + "/Custom Music");
    app->start();
    return app;
}

QWidget* pageWidget(Form& f, int page) {
    const QList<QWidget*> pages{f.welcome, f.playlistframe, f.libraryframe, f.settings_frame};
    return pages[page - 1];
}

void ticks(Form& f, int count) {
    for (int i = 0; i < count; ++i)
        Timer1_Timer(f);
}

struct Move {
    QList<QPushButton*> busy; // disabled on every moving tick
    QList<QWidget*> dark;     // sidebar highlights hidden on every moving tick
};

// One move of the pointer, tick by tick: `moving` ticks of 100 twips each from `from` to `to`,
// during which the page stays as it was, then the arrival tick, which shows `page` and enables
// `ready`.
void moveAndArrive(Form& f, int from, int to, int moving, const Move& move, int page,
                   const QList<QPushButton*>& ready) {
    QCOMPARE(pointerTop(f), from);
    QCOMPARE(qAbs(to - from), moving * 100);
    const int stride = to > from ? 100 : -100;
    const qint16 pageBefore = f.CurrentPage;
    for (int tick = 1; tick <= moving; ++tick) {
        Timer1_Timer(f);
        const int expected = from + tick * stride;
        QCOMPARE(pointerTop(f), expected);
        QCOMPARE(f.helpboxcurs->y(), Layout::pixels(expected));
        QVERIFY(!f.helpboxcurs->isHidden());
        QCOMPARE(f.CurrentPage, pageBefore);
        const QString when = QStringLiteral(" on tick %1").arg(tick);
        for (QPushButton* button : move.busy)
            QVERIFY2(!button->isEnabled(), qPrintable(button->objectName() + when));
        for (QWidget* highlight : move.dark)
            QVERIFY2(highlight->isHidden(), qPrintable(highlight->objectName() + when));
    }
    Timer1_Timer(f);
    QCOMPARE(pointerTop(f), to);
    QCOMPARE(f.CurrentPage, qint16(page));
    QVERIFY(!pageWidget(f, page)->isHidden());
    for (QPushButton* button : ready)
        QVERIFY2(button->isEnabled(), qPrintable(button->objectName()));
}

// From "Start Tutorial >" to the pointer resting on the Library button.
void runStepOne(Form& f) {
    helpboxbm_Click(f);
    CHECKED(moveAndArrive(f, 2800, 6600, 38, {{f.cmdhelp1}, {}}, 3, {f.cmdhelp1}));
}

void runToStepThree(Form& f) {
    StartTutorial(f);
    CHECKED(runStepOne(f));
    cmdhelp1_Click(f);
    ticks(f, 8);
    cmdhelp2_Click(f);
    ticks(f, 8);
    QCOMPARE(pointerTop(f), 5200);
    QCOMPARE(f.CurrentPage, qint16(1));
    QVERIFY(f.cmdhelp3->isEnabled());
}

// Exactly one tutorial box, or none for 0, is open.
void expectOpenBox(Form& f, int box) {
    const QList<QWidget*> boxes{f.HelpBox1, f.helpbox2, f.helpbox3, f.helpbox4};
    for (int i = 0; i < boxes.size(); ++i)
        QVERIFY2(boxes[i]->isHidden() == (i + 1 != box), qPrintable(boxes[i]->objectName()));
}

void expectPointerAtRest(Form& f) {
    QCOMPARE(pointerTop(f), 2800);
    QCOMPARE(f.helpboxcurs->y(), Layout::pixels(2800));
    QVERIFY(f.helpboxcurs->isHidden());
}

} // namespace

class TutorialTest : public QObject {
    Q_OBJECT

private slots:
    void aNewUserWhoSaysYesGetsTheIntroduction();
    void theStartActionOpensTheIntroductionOnly();
    void stepOneTakes39TicksAndEveryOtherMove8();
    void anArrivedStepShowsItsPageAgainOnTheNextTick_data();
    void anArrivedStepShowsItsPageAgainOnTheNextTick();
    void finishedRestsThePointerForASecondRun();
    void aRestartClosesAnOpenStep_data();
    void aRestartClosesAnOpenStep();
    void aTickActsOnlyInsideTheStepsRanges_data();
    void aTickActsOnlyInsideTheStepsRanges();
    void theRealTimerRunsTheTour();
};

void TutorialTest::aNewUserWhoSaysYesGetsTheIntroduction() {
    TestApp app; // a fresh folder: "Never" on line 2
    app.prompter.queueAnswers({true});
    app.start();
    Form& f = app.form();
    QCOMPARE(app.prompter.titles(), QStringList{QStringLiteral("New User")});
    QVERIFY(f.Timer1->isActive());
    QCOMPARE(f.Timer1->interval(), 50);
    expectOpenBox(f, 1);
    QVERIFY(f.sidebutton4->isHidden());
    QVERIFY(f.sidearrow1->isHidden());
    expectPointerAtRest(f);
}

void TutorialTest::theStartActionOpensTheIntroductionOnly() {
    auto app = startApp();
    Form& f = app->form();
    const QSignalBlocker quiet(f.Timer1);
    QVERIFY(!f.Timer1->isActive());
    expectOpenBox(f, 0);

    // The welcome page's link is the way back into the tutorial.
    emit f.sidelables[30]->clicked();
    QVERIFY(f.Timer1->isActive());
    expectOpenBox(f, 1);
    QVERIFY(f.sidebutton4->isHidden());
    QVERIFY(f.sidearrow1->isHidden());
    QCOMPARE(f.CurrentPage, qint16(1));
    QVERIFY(!f.welcome->isHidden());

    // While only the introduction is open, ticks leave everything alone.
    ticks(f, 60);
    expectPointerAtRest(f);
    expectOpenBox(f, 1);
    QCOMPARE(f.CurrentPage, qint16(1));
    QVERIFY(f.sidebutton4->isHidden());
}

void TutorialTest::stepOneTakes39TicksAndEveryOtherMove8() {
    auto app = startApp();
    Form& f = app->form();
    const QSignalBlocker quiet(f.Timer1);
    StartTutorial(f);
    f.helpboxbm->click();
    expectOpenBox(f, 2);
    // Until the first tick, "Next Step >" is as the window left it.
    QVERIFY(f.cmdhelp1->isEnabled());
    CHECKED(moveAndArrive(f, 2800, 6600, 38, {{f.cmdhelp1}, {}}, 3, {f.cmdhelp1}));
    QVERIFY(!f.sidebutton6->isHidden());
    QVERIFY(!f.sidearrow3->isHidden());

    // Step 2, up from the Library button, whose highlight goes out.
    const Move upToPlaylists{{f.cmdhelp2, f.cmdback1, f.cmdback2}, {f.sidebutton6}};
    f.cmdhelp1->click();
    expectOpenBox(f, 3);
    QVERIFY(f.cmdback2->isEnabled());
    QVERIFY(!f.sidebutton6->isHidden());
    CHECKED(moveAndArrive(f, 6600, 5900, 7, upToPlaylists, 2, {f.cmdhelp2, f.cmdback1}));
    QVERIFY(!f.cmdback2->isEnabled());

    // Back to step 1: down again, and the library page returns.
    f.cmdback1->click();
    expectOpenBox(f, 2);
    QVERIFY(f.sidebutton5->isHidden());
    QVERIFY(f.sidebutton4->isHidden());
    CHECKED(moveAndArrive(f, 5900, 6600, 7, {{f.cmdhelp1}, {}}, 3, {f.cmdhelp1}));

    f.cmdhelp1->click();
    CHECKED(moveAndArrive(f, 6600, 5900, 7, upToPlaylists, 2, {f.cmdhelp2, f.cmdback1}));

    // Step 3, up to the Welcome button.
    f.cmdhelp2->click();
    expectOpenBox(f, 4);
    QVERIFY(!f.sidebutton5->isHidden());
    CHECKED(moveAndArrive(f, 5900, 5200, 7,
                          {{f.cmdhelp3, f.cmdback1, f.cmdhelp2, f.cmdback2}, {f.sidebutton5}}, 1,
                          {f.cmdhelp3, f.cmdback2}));
    QVERIFY(!f.sidebutton4->isHidden());

    // Back to step 2: down from the Welcome button.
    f.cmdback2->click();
    expectOpenBox(f, 3);
    QVERIFY(f.sidebutton4->isHidden());
    CHECKED(moveAndArrive(f, 5200, 5900, 7,
                          {{f.cmdhelp3, f.cmdback2, f.cmdhelp2, f.cmdback1}, {f.sidebutton5}}, 2,
                          {f.cmdhelp2, f.cmdback1}));
    QVERIFY(!f.sidebutton5->isHidden());
    QVERIFY(!f.sidearrow2->isHidden());
}

void TutorialTest::anArrivedStepShowsItsPageAgainOnTheNextTick_data() {
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("page");
    QTest::newRow("step 1, library") << 1 << 6600 << 3;
    QTest::newRow("step 2, playlists") << 2 << 5900 << 2;
    QTest::newRow("step 3, welcome") << 3 << 5200 << 1;
}

void TutorialTest::anArrivedStepShowsItsPageAgainOnTheNextTick() {
    QFETCH(int, step);
    QFETCH(int, target);
    QFETCH(int, page);
    auto app = startApp();
    Form& f = app->form();
    const QSignalBlocker quiet(f.Timer1);
    StartTutorial(f);
    CHECKED(runStepOne(f));
    if (step >= 2) {
        cmdhelp1_Click(f);
        ticks(f, 8);
    }
    if (step == 3) {
        cmdhelp2_Click(f);
        ticks(f, 8);
    }
    QCOMPARE(pointerTop(f), target);
    QCOMPARE(f.CurrentPage, qint16(page));

    // The user opens the settings page from the sidebar: it lasts one tick.
    emit f.sidebutton7->clicked();
    QCOMPARE(f.CurrentPage, qint16(4));
    Timer1_Timer(f);
    QCOMPARE(f.CurrentPage, qint16(page));
    QVERIFY(!pageWidget(f, page)->isHidden());
    QVERIFY(f.settings_frame->isHidden());
    QCOMPARE(pointerTop(f), target);

    // Resting goes on tick after tick without moving the pointer.
    ticks(f, 20);
    QCOMPARE(pointerTop(f), target);
    QCOMPARE(f.CurrentPage, qint16(page));
}

void TutorialTest::finishedRestsThePointerForASecondRun() {
    auto app = startApp();
    Form& f = app->form();
    const QSignalBlocker quiet(f.Timer1);
    CHECKED(runToStepThree(f));

    // Resting on the welcome page re-selects the game's playlist on every tick.
    const int jazz = f.List1->items().indexOf(QStringLiteral("Jazz"));
    QVERIFY(jazz >= 0);
    f.List1->selectRow(jazz);
    Timer1_Timer(f);
    QCOMPARE(f.List1->selectedText(), QStringLiteral("Rock"));

    ShowSettingsPage(f);
    f.cmdhelp3->click();
    QVERIFY(!f.Timer1->isActive());
    expectOpenBox(f, 0);
    expectPointerAtRest(f);
    QCOMPARE(f.CurrentPage, qint16(1));
    QVERIFY(!f.welcome->isHidden());

    // The second run starts from the same place, with "Next Step >" left enabled by the first
    // until its first tick.
    StartTutorial(f);
    expectOpenBox(f, 1);
    expectPointerAtRest(f);
    f.helpboxbm->click();
    QVERIFY(f.cmdhelp1->isEnabled());
    CHECKED(moveAndArrive(f, 2800, 6600, 38, {{f.cmdhelp1}, {}}, 3, {f.cmdhelp1}));
}

void TutorialTest::aRestartClosesAnOpenStep_data() {
    QTest::addColumn<bool>("inStepThree"); // else in step 1 before the pointer arrives
    QTest::newRow("step 3 arrived") << true;
    QTest::newRow("step 1 moving") << false;
}

void TutorialTest::aRestartClosesAnOpenStep() {
    QFETCH(bool, inStepThree);
    auto app = startApp();
    Form& f = app->form();
    const QSignalBlocker quiet(f.Timer1);
    if (inStepThree) {
        CHECKED(runToStepThree(f));
    } else {
        StartTutorial(f);
        helpboxbm_Click(f);
        ticks(f, 12);
        QCOMPARE(pointerTop(f), 4000);
    }

    emit f.sidelables[30]->clicked();
    QVERIFY(f.Timer1->isActive());
    expectOpenBox(f, 1);
    expectPointerAtRest(f);
    QVERIFY(f.sidebutton4->isHidden());
    QVERIFY(f.sidearrow1->isHidden());
    ticks(f, 5);
    expectPointerAtRest(f);

    // The new run behaves like a first one.
    CHECKED(runStepOne(f));
    expectOpenBox(f, 2);
}

void TutorialTest::aTickActsOnlyInsideTheStepsRanges_data() {
    QTest::addColumn<QString>("steps"); // the step boxes open
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("after");

    QTest::newRow("1: lowest start") << "1" << 0 << 100;
    QTest::newRow("1: last move") << "1" << 6500 << 6600;
    QTest::newRow("1: below the target") << "1" << 6700 << 6700;
    QTest::newRow("2: from the Library button") << "2" << 6600 << 6500;
    QTest::newRow("2: last move up") << "2" << 6000 << 5900;
    QTest::newRow("2: below the Library button") << "2" << 6700 << 6700;
    QTest::newRow("2: lowest move down") << "2" << 5000 << 5100;
    QTest::newRow("2: above the range") << "2" << 4900 << 4900;
    QTest::newRow("3: from the Playlists button") << "3" << 5900 << 5800;
    QTest::newRow("3: last move") << "3" << 5300 << 5200;
    QTest::newRow("3: above the target") << "3" << 5100 << 5100;
    QTest::newRow("3: below the range") << "3" << 6000 << 6000;
    // Each check reads the pointer afresh: two open steps undo each other's move.
    QTest::newRow("1 and 2 open") << "12" << 5900 << 5900;
    QTest::newRow("1 and 3 open") << "13" << 5300 << 5300;
}

void TutorialTest::aTickActsOnlyInsideTheStepsRanges() {
    QFETCH(QString, steps);
    QFETCH(int, top);
    QFETCH(int, after);
    auto app = startApp();
    Form& f = app->form();
    const QSignalBlocker quiet(f.Timer1);
    StartTutorial(f);
    f.HelpBox1->hide();
    const QList<QGroupBox*> boxes{f.helpbox2, f.helpbox3, f.helpbox4};
    for (QChar step : steps)
        boxes[step.digitValue() - 1]->show();
    setPointerTop(f, top);
    ShowSettingsPage(f);
    const QList<QPushButton*> buttons{f.cmdhelp1, f.cmdback1, f.cmdhelp2, f.cmdback2, f.cmdhelp3};

    Timer1_Timer(f);
    QCOMPARE(pointerTop(f), after);
    QCOMPARE(f.helpboxcurs->y(), Layout::pixels(after));
    // None of these positions is an arrival: the page and, where the pointer stayed, the buttons
    // are left alone.
    QCOMPARE(f.CurrentPage, qint16(4));
    if (after == top && steps.size() == 1) {
        for (QPushButton* button : buttons)
            QVERIFY2(button->isEnabled(), qPrintable(button->objectName()));
    }
}

void TutorialTest::theRealTimerRunsTheTour() {
    auto app = startApp();
    Form& f = app->form();
    emit f.sidelables[30]->clicked();
    f.helpboxbm->click();
    QTRY_VERIFY_WITH_TIMEOUT(f.CurrentPage == 3, 10000);
    QCOMPARE(pointerTop(f), 6600);
    QVERIFY(f.cmdhelp1->isEnabled());
    QVERIFY(!f.helpboxcurs->isHidden());

    f.cmdhelp1->click();
    QTRY_VERIFY_WITH_TIMEOUT(f.CurrentPage == 2 && f.cmdhelp2->isEnabled(), 5000);
    f.cmdhelp2->click();
    QTRY_VERIFY_WITH_TIMEOUT(f.CurrentPage == 1 && f.cmdhelp3->isEnabled(), 5000);
    QCOMPARE(pointerTop(f), 5200);
    f.cmdhelp3->click();
    QVERIFY(!f.Timer1->isActive());
    expectPointerAtRest(f);
}

QTEST_MAIN(TutorialTest)
#include "tst_Tutorial.moc"
