// Thousands of random user actions against the real window, every promise checked after each
// one. TOVIA_MONKEY_SEED (and TOVIA_MONKEY_ACTIONS) from the environment replay a single run.
#include "Monkey.h"
#include "TestApp.h"

#include "widgets/CaptionLabel.h"
#include "widgets/DirList.h"
#include "widgets/FileList.h"
#include "widgets/PictureBox.h"
#include "widgets/PreviewPlayer.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>

namespace {

// Enough for every operation to run many times in each run, and the whole set within about a
// minute in the sanitizer build.
constexpr int defaultActions = 500;
const QList<quint32> fixedSeeds{1, 2, 3, 4, 5, 6};

int environmentNumber(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

} // namespace

class MonkeyTest : public QObject {
    Q_OBJECT

private slots:
    void clicksThroughTheWindowReachTheControls();
    void aDoubleClickRunsAnOperationOnce_data();
    void aDoubleClickRunsAnOperationOnce();
    void brokenPromisesAreCaught_data();
    void brokenPromisesAreCaught();
    void monkey_data();
    void monkey();
    void everyOperationRan();

private:
    QMap<Action, int> m_routines;
    int m_runs = 0;
    int m_actions = 0;
    int m_boxes = 0;
    int m_fileCalls = 0;
};

// The monkey clicks through the window as the system delivers clicks; if that reached nothing,
// every run would pass without testing anything.
void MonkeyTest::clicksThroughTheWindowReachTheControls() {
    Sandbox sandbox;
    auto app = sandbox.makeApp();
    app->folder.writeState(QString(), QStringLiteral("7/16/2009 3:25:07 PM"), QString());
    app->start();
    Form& f = app->form();
    f.Dir3->setPath(sandbox.path(QStringLiteral("songs")));
    app->window->show();
    QVERIFY(QTest::qWaitForWindowExposed(app->window.get()));
    QWindow* window = app->window->windowHandle();
    const auto at = [&](QWidget* widget, const QPoint& local) {
        return widget->mapTo(app->window.get(), local);
    };

    QTest::mouseClick(window, Qt::LeftButton, {}, at(f.sidelables[2], QPoint(5, 5)));
    QCOMPARE(f.CurrentPage, qint16(3));

    const int row = int(f.File5->items().indexOf(QStringLiteral("s1.mp3")));
    QVERIFY(row >= 0);
    const QRect rect = f.File5->visualRect(f.File5->QAbstractItemView::model()->index(row, 0));
    QTest::mouseDClick(window, Qt::LeftButton, {}, at(f.File5->viewport(), rect.center()));
    QCOMPARE(f.WindowsMediaPlayer2->url(), sandbox.path(QStringLiteral("songs/s1.mp3")));

    const QString deeper = sandbox.path(QStringLiteral("songs/deeper"));
    // Every row: the folders above, the folder itself and its subfolders.
    for (int i = 0; i < f.Dir3->QListWidget::count(); ++i) {
        QListWidgetItem* row = f.Dir3->item(i);
        if (row->toolTip() != deeper)
            continue;
        f.Dir3->scrollToItem(row);
        QTest::mouseDClick(window, Qt::LeftButton, {},
                           at(f.Dir3->viewport(), f.Dir3->visualItemRect(row).center()));
        break;
    }
    QCOMPARE(f.Dir3->path(), deeper);
    QCOMPARE(f.File5->items(), QStringList{QStringLiteral("s3.mp3")});
}

void MonkeyTest::aDoubleClickRunsAnOperationOnce_data() {
    QTest::addColumn<bool>("label");
    QTest::newRow("the button's picture") << false;
    QTest::newRow("the button's caption label") << true;
}

// A double-click on an action button is one click and a double-click, as on every other
// control: the operation runs once.
void MonkeyTest::aDoubleClickRunsAnOperationOnce() {
    QFETCH(bool, label);
    Sandbox sandbox;
    auto app = sandbox.makeApp();
    app->folder.writeState(QString(), QStringLiteral("7/16/2009 3:25:07 PM"), QString());
    int runs = 0;
    Form& f = app->form();
    app->start([&](Action action) {
        runs += action == Action::CreatePlaylist;
        runAction(f, action);
    });
    app->window->show();
    QVERIFY(QTest::qWaitForWindowExposed(app->window.get()));
    f.sidelables[1]->clicked();
    f.newplaylistname->setText(QStringLiteral("Fresh"));
    QWidget* target = label ? static_cast<QWidget*>(f.sidelables[7]) : f.cmdactive[2];
    const QPoint at = target->mapTo(app->window.get(), QPoint(3, target->height() / 2));
    QCOMPARE(app->window->childAt(at), target);
    QTest::mouseDClick(app->window->windowHandle(), Qt::LeftButton, {}, at);

    QCOMPARE(runs, 1);
    QCOMPARE(app->prompter.titles(), QStringList{QStringLiteral("Created")});
}

void MonkeyTest::brokenPromisesAreCaught_data() {
    QTest::addColumn<int>("sabotage");
    QTest::addColumn<QString>("caught");
    QTest::newRow("a sentinel deleted") << 0 << QStringLiteral("notes.txt' vanished");
    QTest::newRow("a song put into the library behind the lists")
        << 1 << QStringLiteral("File4 shows");
    QTest::newRow("data.txt cut to two lines") << 2 << QStringLiteral("three lines");
    QTest::newRow("a half-copied song") << 3 << QStringLiteral("no complete song");
}

// Each check can fail: breaking a promise behind the program's back is reported at once.
void MonkeyTest::brokenPromisesAreCaught() {
    QFETCH(int, sabotage);
    QFETCH(QString, caught);
    Monkey monkey(7);
    monkey.sabotage = [sabotage](int action, Sandbox& sandbox, TestApp& app) {
        if (action != 5)
            return;
        switch (sabotage) {
        case 0:
            QFile::remove(sandbox.path(QStringLiteral("notes.txt")));
            break;
        case 1:
            ProgramFolder::putSong(app.folder.library(), QStringLiteral("zz new.mp3"));
            break;
        case 2:
            app.folder.writeStateBytes("Rock\r\nNever\r\n");
            break;
        default:
            QFile::resize(app.folder.playlist(QStringLiteral("Rock")) + QStringLiteral("/a.mp3"),
                          100);
        }
    };
    const QString error = monkey.run(50);
    QVERIFY2(error.contains(caught), qPrintable(error));
    QVERIFY2(error.startsWith(QStringLiteral("Seed 7, action 5:")), qPrintable(error));
}

void MonkeyTest::monkey_data() {
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("actions");
    const int actions = environmentNumber("TOVIA_MONKEY_ACTIONS", defaultActions);
    bool given = false;
    const quint32 seed = quint32(qEnvironmentVariableIntValue("TOVIA_MONKEY_SEED", &given));
    for (const quint32 each : given ? QList<quint32>{seed} : fixedSeeds)
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(each))) << each << actions;
}

void MonkeyTest::monkey() {
    QFETCH(quint32, seed);
    QFETCH(int, actions);
    Monkey monkey(seed);
    const QString error = monkey.run(actions);
    m_actions += monkey.actionsDone();
    m_boxes += monkey.boxesShown();
    m_fileCalls += monkey.fileCalls();
    ++m_runs;
    for (auto it = monkey.routines().begin(); it != monkey.routines().end(); ++it)
        m_routines[it.key()] += it.value();
    if (!error.isEmpty())
        qWarning().noquote() << error;
    QVERIFY2(error.isEmpty(), qPrintable(error.section(QLatin1Char('\n'), 0, 1)));
}

// The runs went everywhere: every operation behind a button or label ran at least once.
void MonkeyTest::everyOperationRan() {
    qInfo("%d actions survived in %d runs; %d message boxes answered, %d file operations",
          m_actions, m_runs, m_boxes, m_fileCalls);
    QStringList counts;
    for (auto it = m_routines.begin(); it != m_routines.end(); ++it)
        counts << QStringLiteral("%1 x%2").arg(int(it.key())).arg(it.value());
    qInfo("Operations run (by action number): %s", qPrintable(counts.join(QStringLiteral(", "))));
    if (qEnvironmentVariableIsSet("TOVIA_MONKEY_SEED"))
        QSKIP("A single replayed run need not reach every operation.");
    for (int action = int(Action::ShowWelcomePage); action <= int(Action::UseDefaultMusicFolder);
         ++action)
        QVERIFY2(m_routines.value(Action(action)) > 0, qPrintable(QString::number(action)));
}

QTEST_MAIN(MonkeyTest)
#include "tst_Monkey.moc"
