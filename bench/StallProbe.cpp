#include "StallProbe.h"

#include <algorithm>

StallProbe::StallProbe() {
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, &StallProbe::tick);
}

void StallProbe::start() {
    m_ticks = 0;
    m_longest = 0;
    m_last = 0;
    m_clock.start();
    m_timer.start();
}

double StallProbe::stop() {
    tick();
    m_timer.stop();
    return double(m_longest) / 1e6;
}

void StallProbe::tick() {
    const qint64 now = m_clock.nsecsElapsed();
    m_longest = std::max(m_longest, now - m_last);
    m_last = now;
    ++m_ticks;
}
