#include "CPortReopener.h"

#include "ConnectProbe.h"
#include "NetworkPortName.h"
#include "PortName.h"

#include <QTimerEvent>

#include <memory>
#include <utility>

namespace zok {

namespace {
// A device is looked for by its file; a device server by a connection attempt that this look
// starts and the next one takes the outcome of (ConnectProbe), so a look never waits.
CPortReopener::PresenceCheck DefaultPresenceCheck()
{
    auto probe = std::make_shared<ConnectProbe>();
    return [probe](const std::string &portName) {
        NetworkPortName name;
        if (!IsNetworkPortName(portName))
            return PortDevicePresent(portName);
        return ParseNetworkPortName(portName, name) == PortNameProblem::None &&
               probe->Poll(name.host, name.port);
    };
}
} // namespace

CPortReopener::CPortReopener(QObject *parent) : QObject(parent), m_present(DefaultPresenceCheck()) {}

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
