#include "CPortReopener.h"

#include "PortName.h"

#include <QTimerEvent>

#include <utility>

namespace zok {

CPortReopener::CPortReopener(QObject *parent)
    : QObject(parent), m_present([](const std::string &name) { return PortDevicePresent(name); })
{
}

void CPortReopener::Start(std::string portName, Attempt attempt)
{
    m_portName = std::move(portName);
    m_attempt = std::move(attempt);
    // Coarse: a few percent of a second either way costs nothing here and lets the system group
    // the wake-up with others.
    m_timer.start(m_periodMs, Qt::CoarseTimer, this);
}

void CPortReopener::Stop()
{
    m_timer.stop();
}

void CPortReopener::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_timer.timerId()) {
        QObject::timerEvent(event);
        return;
    }
    ++m_checks;
    if (!m_present(m_portName))
        return;
    if (m_attempt())
        Stop();
}

} // namespace zok
