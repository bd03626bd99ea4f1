#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QString>

#include <string>
#include <utility>
#include <vector>

// Clocks, counters and the plain baselines the program's figures are compared with.
namespace Measure {

double median(QList<double> values);
double largest(const QList<double>& values);
// The median of a[i] / b[i]: runs taken back to back share whatever else the machine was doing
// at the time, so their ratio varies far less than the times themselves.
double medianRatio(const QList<double>& a, const QList<double>& b);

// Milliseconds taken by work.
template <typename Work> double millis(Work&& work) {
    QElapsedTimer clock;
    clock.start();
    std::forward<Work>(work)();
    return double(clock.nsecsElapsed()) / 1e6;
}

// CPU time used so far by every thread of this process, in seconds.
double processCpuSeconds();

// Runs the event loop for ms milliseconds and returns the process's CPU time over that wall
// time, in percent of one core.
double cpuPercentOverEventLoop(int ms);

// Lets the event loop run for ms milliseconds, unmeasured.
void settle(int ms);

// The process's peak resident memory (VmHWM) in KiB, or -1 when the system does not say.
qint64 peakResidentKiB();

// The system's load averages over 1, 5 and 15 minutes: on a busy machine no figure holds.
QString loadAverage();

// opendir/readdir of one folder, keeping every name: the least that any listing has to do.
// Returns the number of names, or -1 when the folder cannot be read.
qsizetype plainRead(const QString& folder, std::vector<std::string>* names = nullptr);

} // namespace Measure
