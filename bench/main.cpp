// tovia3-bench: measures the window's heavy operations against plain baselines taken in the
// same run, and says which targets are met. docs/benchmarks.md tells how to run it.
#include "Cases.h"
#include "Fixtures.h"
#include "Measure.h"
#include "Report.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <cstdio>

#include <sys/resource.h>

namespace {

const QStringList allCases{QStringLiteral("copy"), QStringLiteral("startup"),
                           QStringLiteral("memory"), QStringLiteral("window")};

int usage() {
    std::fprintf(stderr,
                 "usage: tovia3-bench [copy] [startup] [memory] [window]\n"
                 "Runs the named cases, or all of them. The fixtures go to a temporary folder "
                 "under $TMPDIR or /tmp.\n");
    return 2;
}

bool makeFixture(bool (BenchFolders::*make)(QString*) const, const BenchFolders& folders) {
    QString error;
    if ((folders.*make)(&error))
        return true;
    std::fprintf(stderr, "cannot make the fixtures: %s\n", qPrintable(error));
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    // No display is needed, and none is touched: the window is real but painted off screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Ahead of other work on the machine where the system allows it, so that a build running
    // beside the benchmark weighs less on the figures. Set before any thread starts: threads,
    // cp and the child processes inherit it, so programs and baselines run alike.
    const bool raised = ::setpriority(PRIO_PROCESS, 0, -10) == 0;
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // Without a sound server every player says so once; that is not what is measured.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.multimedia.*.warning=false"));

    QStringList cases = QCoreApplication::arguments().mid(1);
    if (cases.size() == 2 && cases.at(0) == QLatin1String("--peak-child"))
        return runPeakMemoryChild(cases.at(1));
    for (const QString& name : std::as_const(cases)) {
        if (!allCases.contains(name))
            return usage();
    }
    if (cases.isEmpty())
        cases = allCases;

    QElapsedTimer total;
    total.start();
    QTemporaryDir temp;
    if (!temp.isValid()) {
        std::fprintf(stderr, "cannot make a temporary folder: %s\n",
                     qPrintable(temp.errorString()));
        return 1;
    }
    const BenchFolders folders(temp.path());
    std::printf("tovia3-bench %s, fixtures in %s, every case repeated at least %d times, %s, "
                "load average %s\n",
                qPrintable(QDateTime::currentDateTime().toString(Qt::ISODate)),
                qPrintable(temp.path()), repetitions, raised ? "nice -10" : "normal priority",
                qPrintable(Measure::loadAverage()));
    std::fflush(stdout);

    Report report;
    if (cases.contains(QLatin1String("copy"))) {
        std::fprintf(stderr, "copy cases...\n");
        if (!makeFixture(&BenchFolders::makeCopyCase, folders))
            return 1;
        runCopyCases(folders, report);
    }
    const bool startup = cases.contains(QLatin1String("startup"));
    const bool memory = cases.contains(QLatin1String("memory"));
    const bool window = cases.contains(QLatin1String("window"));
    if ((startup || memory || window) && !makeFixture(&BenchFolders::makeStartupCase, folders))
        return 1;
    if (startup || memory) {
        std::fprintf(stderr, "start-up cases...\n");
        if (startup)
            runStartupCase(folders, report);
        if (memory)
            runPeakMemoryCase(folders, report);
    }
    if (window) {
        std::fprintf(stderr, "window cases...\n");
        if (!makeFixture(&BenchFolders::makeManyNames, folders))
            return 1;
        runWindowCases(folders, report);
    }

    std::printf("whole run before cleaning up: %.0f s, load average %s\n",
                double(total.elapsed()) / 1000, qPrintable(Measure::loadAverage()));
    std::fflush(stdout);
    report.print();
    return 0;
}
