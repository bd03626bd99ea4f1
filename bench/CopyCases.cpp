#include "BenchWindow.h"
#include "Cases.h"
#include "Fixtures.h"
#include "Measure.h"
#include "Report.h"
#include "StallProbe.h"

#include "playlists/PlaylistContents.h"
#include "playlists/PlaylistManagement.h"
#include "playlists/SetGamePlaylist.h"
#include "widgets/ListBox.h"

#include <QDir>
#include <QProcess>

namespace {

struct Timings {
    QList<double> program;
    QList<double> baseline;
    QList<double> stalls;
    QString problem; // the first failure of the measured work
};

bool selectByText(ListBox* list, const QString& text) {
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row) == text) {
            list->selectRow(row);
            return true;
        }
    }
    return false;
}

void note(QString* problem, const QString& text) {
    if (problem->isEmpty())
        *problem = text;
}

// Runs cp with an argument list and returns its time; problem is set when it failed.
double timeCp(const QStringList& arguments, QString* problem) {
    QProcess cp;
    const double taken = Measure::millis([&] {
        cp.start(QStringLiteral("cp"), arguments);
        cp.waitForFinished(-1);
    });
    if (cp.exitStatus() != QProcess::NormalExit || cp.exitCode() != 0)
        note(problem, QStringLiteral("cp failed: ") +
                          QString::fromLocal8Bit(cp.readAllStandardError()).simplified());
    return taken;
}

void checkCopied(const QString& folder, BenchWindow& w, QString* problem) {
    const int copied = Fixtures::fileCount(folder);
    if (copied != BenchFolders::copySongs)
        note(problem,
             QStringLiteral("%1 of %2 songs arrived").arg(copied).arg(BenchFolders::copySongs));
    if (const QString shown = w.prompter.firstProblem(); !shown.isEmpty())
        note(problem, shown.simplified());
}

// cp -r of the playlist's songs into a fresh folder.
void copyPlaylistWithCp(const BenchFolders& folders, Timings& t) {
    QDir(folders.copyBaseline).removeRecursively();
    const QString source = folders.copyProgram + QStringLiteral("/Playlists/Big");
    t.baseline << timeCp({QStringLiteral("-r"), source, folders.copyBaseline}, &t.problem);
    QDir(folders.copyBaseline).removeRecursively();
}

// cp of the library's songs into an empty folder.
void copyLibraryWithCp(const BenchFolders& folders, Timings& t) {
    QDir(folders.copyBaseline).removeRecursively();
    QDir().mkpath(folders.copyBaseline);
    QStringList arguments = Fixtures::filePaths(folders.copyProgram + QStringLiteral("/Library"));
    arguments << folders.copyBaseline;
    t.baseline << timeCp(arguments, &t.problem);
    QDir(folders.copyBaseline).removeRecursively();
}

// One setting of the playlist into the emptied music folder, with the stall probe running. The
// copies are deleted at once, before the kernel starts writing them back, so that one run's
// write-back never slows the next.
void setPlaylistOnce(const BenchFolders& folders, BenchWindow& w, Timings& t) {
    Form& f = w.form();
    Fixtures::emptyFolder(folders.musicFolder);
    if (!selectByText(f.List1, BenchFolders::bigPlaylist()))
        note(&t.problem, QStringLiteral("the playlist is not listed on the welcome page"));
    w.prompter.clear();
    StallProbe probe;
    probe.start();
    t.program << Measure::millis([&] { SetGamePlaylist(f); });
    t.stalls << probe.stop();
    checkCopied(folders.musicFolder, w, &t.problem);
    Fixtures::emptyFolder(folders.musicFolder);
}

// One AddAllToPlaylist into the emptied playlist "Target".
void addAllOnce(const BenchFolders& folders, BenchWindow& w, Timings& t) {
    Form& f = w.form();
    const QString target = folders.copyProgram + QStringLiteral("/Playlists/Target");
    Fixtures::emptyFolder(target);
    if (!selectByText(f.playlists, BenchFolders::targetPlaylist()))
        note(&t.problem, QStringLiteral("the playlist is not listed on the playlists page"));
    playlists_Click(f);
    w.prompter.clear();
    t.program << Measure::millis([&] { AddAllToPlaylist(f); });
    checkCopied(target, w, &t.problem);
    Fixtures::emptyFolder(target);
}

// The program and its baseline in turn, which of them first alternating from run to run, so
// that neither always meets the state the other left behind.
template <typename Program, typename Baseline>
void alternate(int runs, Program program, Baseline baseline) {
    for (int i = 0; i < runs; ++i) {
        if (i % 2) {
            baseline();
            program();
        } else {
            program();
            baseline();
        }
    }
}

Report::Line ratioLine(int number, const QString& name, const QString& baselineName,
                       const Timings& t, double target) {
    logSamples(name + QStringLiteral(" (ms)"), t.program);
    logSamples(baselineName + QStringLiteral(" (ms)"), t.baseline);
    const double program = Measure::median(t.program);
    const double baseline = Measure::median(t.baseline);
    const double ratio = Measure::medianRatio(t.program, t.baseline);
    return {number,
            name,
            ms(program),
            baselineName + QLatin1Char(' ') + ms(baseline),
            fixed(ratio, 2) + QStringLiteral(" (median of run pairs)"),
            QStringLiteral("ratio <= ") + fixed(target, 1),
            baseline > 0 && ratio > 0 && ratio <= target,
            t.problem};
}

} // namespace

void runCopyCases(const BenchFolders& folders, Report& report) {
    const QString setName =
        QStringLiteral("SetGamePlaylist, 200 songs of 2 MiB into an emptied music folder");
    const QString addName = QStringLiteral("AddAllToPlaylist, the same 200 songs");
    BenchWindow w(folders.copyProgram);
    if (!w.open()) {
        Timings failed;
        failed.problem = QStringLiteral("the window never showed");
        report.add(ratioLine(1, setName, QStringLiteral("cp -r"), failed, 1.0));
        report.add(ratioLine(2, addName, QStringLiteral("cp"), failed, 1.0));
        return;
    }

    // The first run of each pays for first-time work (thread pool, dialog); it is not counted.
    Timings warmUp;
    setPlaylistOnce(folders, w, warmUp);
    addAllOnce(folders, w, warmUp);

    Timings set;
    Timings add;
    alternate(
        quickRepetitions, [&] { setPlaylistOnce(folders, w, set); },
        [&] { copyPlaylistWithCp(folders, set); });
    alternate(
        quickRepetitions, [&] { addAllOnce(folders, w, add); },
        [&] { copyLibraryWithCp(folders, add); });

    report.add(ratioLine(1, setName, QStringLiteral("cp -r"), set, 1.0));
    report.add(ratioLine(2, addName, QStringLiteral("cp"), add, 1.0));

    logSamples(QStringLiteral("longest stall (ms)"), set.stalls);
    constexpr double stallTarget = 100;
    const double worst = Measure::largest(set.stalls);
    report.add({5,
                QStringLiteral("Longest event-loop stall while setting the 200-song playlist "
                               "(gaps of a 10 ms timer)"),
                ms(Measure::median(set.stalls)) + QStringLiteral(", worst run ") + ms(worst),
                QStringLiteral("none"), QStringLiteral("-"),
                QStringLiteral("worst run <= ") + ms(stallTarget),
                !set.stalls.isEmpty() && worst <= stallTarget, set.problem});
}
