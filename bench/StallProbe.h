#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// A 10 ms timer that notes the longest gap between its ticks: how long the event loop stood
// still while the probe ran.
class StallProbe : public QObject {
public:
    StallProbe();

    void start();
    // Stops the timer and returns the longest gap in milliseconds, counting from start() to
    // the first tick and from the last tick to stop().
    double stop();
    int ticks() const { return m_ticks; }

private:
    void tick();

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
    int m_ticks = 0;
};
