#include "Report.h"

#include <QTextStream>

#include <algorithm>
#include <cstdio>

QString ms(double value) {
    return QString::number(value, 'f', value < 10 ? 2 : 1) + QStringLiteral(" ms");
}

QString fixed(double value, int decimals) {
    return QString::number(value, 'f', decimals);
}

QString Report::text(const Line& line) {
    QString result = QStringLiteral("%1. %2: median %3 | baseline %4 | ratio %5 | target %6 | %7")
                         .arg(line.number)
                         .arg(line.name, line.median, line.baseline, line.ratio, line.target,
                              line.met ? QStringLiteral("met") : QStringLiteral("MISSED"));
    if (!line.note.isEmpty())
        result += QStringLiteral(" (") + line.note + QLatin1Char(')');
    return result;
}

void Report::add(Line line) {
    // A figure measured over work that failed says nothing about the target.
    if (!line.note.isEmpty())
        line.met = false;
    std::fprintf(stderr, "%s\n", qPrintable(text(line)));
    std::fflush(stderr);
    m_lines.append(std::move(line));
}

void Report::print() const {
    QList<Line> sorted = m_lines;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const Line& a, const Line& b) { return a.number < b.number; });
    QTextStream out(stdout);
    int met = 0;
    for (const Line& line : sorted) {
        out << text(line) << '\n';
        met += line.met ? 1 : 0;
    }
    out << met << " of " << sorted.size() << " targets met\n";
    out.flush();
}

void logSamples(const QString& what, const QList<double>& samples) {
    QStringList texts;
    for (double sample : samples)
        texts << QString::number(sample, 'f', 1);
    std::fprintf(stderr, "  %s: %s\n", qPrintable(what), qPrintable(texts.join(QLatin1Char(' '))));
}
