#include "BenchWindow.h"
#include "Cases.h"
#include "Fixtures.h"
#include "Measure.h"
#include "Report.h"

#include "library/LibraryBrowser.h"
#include "ui/Navigation.h"
#include "ui/Tutorial.h"
#include "widgets/FileList.h"

#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QTimer>

#include <utility>

namespace {

// The library page's file list over the 30,000 names, until the list has been laid out and
// painted, against a plain read of the same folder.
void fileListCase(const BenchFolders& folders, BenchWindow& w, Report& report, QString problem) {
    Form& f = w.form();
    ShowLibraryPage(f);
    f.File5->setFolder(folders.manyNames);
    QCoreApplication::processEvents();
    if (f.File5->count() != BenchFolders::manyNameCount && problem.isEmpty())
        problem = QStringLiteral("the list shows %1 names").arg(f.File5->count());

    // A rename before every refresh: the folder has changed, as after any operation that
    // refreshes a list, so the refresh has to read it again.
    const QString first = folders.manyNames + QLatin1Char('/') + f.File5->item(0);
    const QString renamed = folders.manyNames + QStringLiteral("/Renamed while benchmarking.mp3");
    QList<double> refresh;
    QList<double> plain;
    for (int i = 0; i < quickRepetitions; ++i) {
        if (!(i % 2 ? QFile::rename(renamed, first) : QFile::rename(first, renamed)) &&
            problem.isEmpty())
            problem = QStringLiteral("cannot rename %1").arg(first);
        refresh << Measure::millis([&] {
            f.File5->refresh();
            QCoreApplication::processEvents();
        });
        plain << Measure::millis([&] { Measure::plainRead(folders.manyNames); });
    }
    QFile::rename(renamed, first);
    Dir3_Change(f); // back to the browser's own folder

    logSamples(QStringLiteral("refresh (ms)"), refresh);
    logSamples(QStringLiteral("plain read (ms)"), plain);
    const double program = Measure::median(refresh);
    const double read = Measure::median(plain);
    const double ratio = Measure::medianRatio(refresh, plain);
    constexpr double target = 2.0;
    report.add({4, QStringLiteral("FileList refresh over 30,000 MP3 names, shown"), ms(program),
                QStringLiteral("plain directory read ") + ms(read),
                fixed(ratio, 2) + QStringLiteral(" (median of run pairs)"),
                QStringLiteral("ratio <= ") + fixed(target, 1), read > 0 && ratio <= target,
                problem});
}

// The tutorial on step 3 with the pointer arrived: the real Timer1 shows the welcome page
// again every 50 ms.
void tutorialCase(BenchWindow& w, Report& report, QString problem) {
    Form& f = w.form();
    StartTutorial(f);
    helpboxbm_Click(f);
    cmdhelp1_Click(f);
    cmdhelp2_Click(f);
    setPointerTop(f, 5200);
    int ticks = 0;
    const QMetaObject::Connection counting =
        QObject::connect(f.Timer1, &QTimer::timeout, [&ticks] { ++ticks; });
    Measure::settle(300);

    if ((f.helpbox4->isHidden() || pointerTop(f) != 5200 || f.CurrentPage != 1) &&
        problem.isEmpty())
        problem = QStringLiteral("the tutorial is not resting on step 3");
    constexpr int windowMs = 2000;
    QList<double> shares;
    ticks = 0;
    for (int i = 0; i < repetitions; ++i)
        shares << Measure::cpuPercentOverEventLoop(windowMs);
    // At 50 ms a tick, far fewer ticks means the timer was not doing its work.
    if (ticks < repetitions * windowMs / 50 / 2 && problem.isEmpty())
        problem = QStringLiteral("only %1 timer ticks ran").arg(ticks);
    QObject::disconnect(counting);
    cmdhelp3_Click(f);

    logSamples(QStringLiteral("tutorial CPU (%)"), shares);
    constexpr double target = 10;
    const double share = Measure::median(shares);
    report.add({6,
                QStringLiteral("CPU while the tutorial rests on step 3 with 300 playlists "
                               "(welcome page re-shown every 50 ms)"),
                fixed(share, 2) + QStringLiteral(" % of one core"), QStringLiteral("none"),
                QStringLiteral("-"),
                QStringLiteral("<= ") + fixed(target, 0) + QStringLiteral(" %"), share <= target,
                problem});
}

// Each page left alone: whatever the window does by itself counts.
void idleCase(BenchWindow& w, Report& report, const QString& problem) {
    Form& f = w.form();
    const std::pair<const char*, void (*)(Form&)> pages[] = {
        {"welcome", ShowWelcomePage},
        {"playlists", ShowPlaylistsPage},
        {"library", ShowLibraryPage},
        {"settings", ShowSettingsPage},
    };
    double worst = -1;
    QString worstPage;
    QStringList each;
    for (const auto& [name, show] : pages) {
        show(f);
        Measure::settle(300);
        QList<double> shares;
        for (int i = 0; i < repetitions; ++i)
            shares << Measure::cpuPercentOverEventLoop(1000);
        const double share = Measure::median(shares);
        each << QStringLiteral("%1 %2 %").arg(QLatin1String(name), fixed(share, 2));
        if (share > worst) {
            worst = share;
            worstPage = QLatin1String(name);
        }
    }
    ShowWelcomePage(f);

    constexpr double target = 1;
    report.add({7,
                QStringLiteral("CPU with the window idle, each page (") +
                    each.join(QStringLiteral(", ")) + QLatin1Char(')'),
                fixed(worst, 2) + QStringLiteral(" % of one core on the ") + worstPage +
                    QStringLiteral(" page"),
                QStringLiteral("none"), QStringLiteral("-"),
                QStringLiteral("every page <= ") + fixed(target, 0) + QStringLiteral(" %"),
                worst >= 0 && worst <= target, problem});
}

} // namespace

void runWindowCases(const BenchFolders& folders, Report& report) {
    BenchWindow w(folders.largeProgram);
    const bool shown = w.open();
    const QString problem = shown ? QString() : QStringLiteral("the window never showed");
    fileListCase(folders, w, report, problem);
    tutorialCase(w, report, problem);
    idleCase(w, report, problem);
}
