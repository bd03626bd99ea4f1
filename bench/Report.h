#pragma once

#include <QList>
#include <QString>

// One line per metric, in the order of the metric numbers, and the count of targets met.
class Report {
public:
    struct Line {
        int number = 0;
        QString name;
        QString median;   // the measured figure
        QString baseline; // what it is compared with, measured in the same run
        QString ratio;    // the figure the target judges
        QString target;
        bool met = false;
        QString note; // why the figure cannot be trusted, when the measured work failed
    };

    // Keeps the line and shows it on stderr at once, so that a long run shows its progress.
    void add(Line line);
    // Every line to stdout, sorted by number, then "N of M targets met".
    void print() const;

    static QString text(const Line& line);

private:
    QList<Line> m_lines;
};

// Number formatting shared by the cases.
QString ms(double value);
QString fixed(double value, int decimals);

// Every sample of a figure, to stderr: how much the runs spread.
void logSamples(const QString& what, const QList<double>& samples);
