#include "BenchWindow.h"
#include "Cases.h"
#include "Fixtures.h"
#include "Measure.h"
#include "Report.h"

#include "widgets/ListBox.h"

#include <QCoreApplication>
#include <QProcess>

#include <cstdio>

namespace {

// Start-up to the exposed window; problem is set when the window is not what the folder holds.
double timeStartup(const QString& program, int songs, int playlists, QString* problem) {
    BenchWindow w(program);
    bool shown = false;
    const double taken = Measure::millis([&] { shown = w.open(); });
    if (!shown && problem->isEmpty())
        *problem = QStringLiteral("the window never showed");
    const Form& f = w.form();
    if ((f.librarysongs->count() != songs || f.List1->count() != playlists) && problem->isEmpty())
        *problem = QStringLiteral("the window lists %1 songs and %2 playlists")
                       .arg(f.librarysongs->count())
                       .arg(f.List1->count());
    return taken;
}

// What start-up reads, read plainly: the library, the playlists folder and each playlist.
double timePlainRead(const QString& program) {
    return Measure::millis([&] {
        const QString playlists = program + QStringLiteral("/Playlists");
        Measure::plainRead(program + QStringLiteral("/Library"));
        std::vector<std::string> names;
        Measure::plainRead(playlists, &names);
        for (const std::string& name : names) {
            if (name != "." && name != "..")
                Measure::plainRead(playlists + QLatin1Char('/') + QString::fromStdString(name));
        }
    });
}

qint64 childPeakKiB(const QString& program, QString* problem) {
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--peak-child"), program});
    child.waitForFinished(60000);
    const QList<QByteArray> words = child.readAllStandardOutput().trimmed().split(' ');
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0 ||
        words.value(0) != "VmHWM") {
        if (problem->isEmpty())
            *problem = QStringLiteral("the start-up process failed: ") +
                       QString::fromLocal8Bit(child.readAllStandardError()).simplified();
        return 0;
    }
    return words.value(1).toLongLong();
}

} // namespace

void runStartupCase(const BenchFolders& folders, Report& report) {
    constexpr int songs = BenchFolders::largeLibrarySongs;
    constexpr int playlists = BenchFolders::largePlaylists;
    QString problem;
    // The first window of the process loads fonts, styles and pictures; it is not counted.
    timeStartup(folders.emptyProgram, 0, 0, &problem);
    timeStartup(folders.largeProgram, songs, playlists, &problem);

    QList<double> large;
    QList<double> empty;
    QList<double> plain;
    // Interleaved, so that anything else the machine does weighs on all three alike.
    for (int i = 0; i < quickRepetitions; ++i) {
        empty << timeStartup(folders.emptyProgram, 0, 0, &problem);
        large << timeStartup(folders.largeProgram, songs, playlists, &problem);
        plain << timePlainRead(folders.largeProgram);
    }
    logSamples(QStringLiteral("large start-up (ms)"), large);
    logSamples(QStringLiteral("empty start-up (ms)"), empty);
    logSamples(QStringLiteral("plain read (ms)"), plain);
    const double extra = Measure::median(large) - Measure::median(empty);
    const double read = Measure::median(plain);
    QList<double> extras;
    for (qsizetype i = 0; i < large.size(); ++i)
        extras << large[i] - empty[i];
    const double ratio = Measure::medianRatio(extras, plain);
    constexpr double target = 2.0;
    report.add(
        {3,
         QStringLiteral("Start-up to the window shown, 10,000 library songs and 300 "
                        "playlists of 10"),
         ms(Measure::median(large)) + QStringLiteral(", extra over empty folders ") + ms(extra),
         QStringLiteral("empty folders ") + ms(Measure::median(empty)) +
             QStringLiteral(", plain directory read ") + ms(read),
         fixed(ratio, 2) + QStringLiteral(" (extra / plain read, median of runs)"),
         QStringLiteral("extra <= ") + fixed(target, 1) + QStringLiteral(" x plain read"),
         read > 0 && ratio <= target, problem});
}

void runPeakMemoryCase(const BenchFolders& folders, Report& report) {
    QString problem;
    QList<double> large;
    QList<double> empty;
    for (int i = 0; i < repetitions; ++i) {
        empty << double(childPeakKiB(folders.emptyProgram, &problem)) / 1024;
        large << double(childPeakKiB(folders.largeProgram, &problem)) / 1024;
    }
    logSamples(QStringLiteral("large start-up peak (MiB)"), large);
    logSamples(QStringLiteral("empty start-up peak (MiB)"), empty);
    const double extra = Measure::median(large) - Measure::median(empty);
    constexpr double target = 30;
    report.add({8, QStringLiteral("Peak resident memory after the large start-up"),
                fixed(Measure::median(large), 1) + QStringLiteral(" MiB"),
                QStringLiteral("empty start-up ") + fixed(Measure::median(empty), 1) +
                    QStringLiteral(" MiB"),
                fixed(extra, 1) + QStringLiteral(" MiB more"),
                QStringLiteral("<= ") + fixed(target, 0) + QStringLiteral(" MiB more"),
                extra <= target, problem});
}

int runPeakMemoryChild(const QString& programFolder) {
    BenchWindow w(programFolder);
    if (!w.open())
        return 2;
    // Whatever the shown window still queues (layout, painting) counts towards the peak.
    Measure::settle(200);
    std::printf("VmHWM %lld\n", static_cast<long long>(Measure::peakResidentKiB()));
    return 0;
}
