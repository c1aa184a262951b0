#pragma once

#include <QTimer>

namespace ui {

// A window timer: it fires every interval while enabled; enabling it (again)
// starts the interval afresh; an interval of 0 keeps it from firing.
class Timer : public QObject
{
    Q_OBJECT
public:
    explicit Timer(QObject *parent = nullptr, int intervalMs = 0);

    int interval() const { return m_interval; }
    void setInterval(int ms);
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);

signals:
    void timer();

private:
    void restart();

    QTimer m_timer;
    int m_interval;
    bool m_enabled = false;
};

} // namespace ui
