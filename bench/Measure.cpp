#include "Measure.h"

#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <algorithm>
#include <string>
#include <vector>

#include <dirent.h>
#include <time.h>

namespace Measure {

double median(QList<double> values) {
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const qsizetype middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double largest(const QList<double>& values) {
    return values.isEmpty() ? 0 : *std::max_element(values.begin(), values.end());
}

double medianRatio(const QList<double>& a, const QList<double>& b) {
    QList<double> ratios;
    for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i) {
        if (b[i] > 0)
            ratios << a[i] / b[i];
    }
    return median(ratios);
}

double processCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

double cpuPercentOverEventLoop(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    QElapsedTimer wall;
    const double cpuBefore = processCpuSeconds();
    wall.start();
    loop.exec();
    const double cpu = processCpuSeconds() - cpuBefore;
    const double seconds = double(wall.nsecsElapsed()) / 1e9;
    return seconds > 0 ? 100.0 * cpu / seconds : 0;
}

void settle(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

qint64 peakResidentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

QString loadAverage() {
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("unknown");
    return QString::fromLatin1(file.readAll()).section(QLatin1Char(' '), 0, 2);
}

qsizetype plainRead(const QString& folder, std::vector<std::string>* names) {
    DIR* dir = opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return -1;
    std::vector<std::string> own;
    std::vector<std::string>& kept = names ? *names : own;
    kept.clear();
    while (const dirent* entry = readdir(dir))
        kept.emplace_back(entry->d_name);
    closedir(dir);
    return qsizetype(kept.size());
}

} // namespace Measure
