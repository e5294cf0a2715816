#include "CToolTimer.h"

CToolTimer::CToolTimer(const QString &role, QObject *parent) : QObject(parent)
{
    setObjectName(role);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &CToolTimer::fire);
}

void CToolTimer::start(int milliseconds)
{
    m_interval = milliseconds;
    m_active = true;
    ++m_starts;
    if (m_manual)
        m_timer.stop();
    else
        m_timer.start(milliseconds);
}

void CToolTimer::stop()
{
    m_active = false;
    m_timer.stop();
}

void CToolTimer::setManual(bool manual)
{
    m_manual = manual;
    if (manual)
        m_timer.stop();
    else if (m_active)
        m_timer.start(m_interval);
}

void CToolTimer::fire()
{
    if (m_active)
        emit tick();
}
