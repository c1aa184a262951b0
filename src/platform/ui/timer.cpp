#include "timer.h"

namespace ui {

Timer::Timer(QObject *parent, int intervalMs)
    : QObject(parent)
    , m_interval(intervalMs)
{
    connect(&m_timer, &QTimer::timeout, this, &Timer::timer);
}

void Timer::setInterval(int ms)
{
    m_interval = ms;
    restart();
}

void Timer::setEnabled(bool enabled)
{
    m_enabled = enabled;
    restart();
}

void Timer::restart()
{
    if (m_enabled && m_interval > 0)
        m_timer.start(m_interval);
    else
        m_timer.stop();
}

} // namespace ui
