#pragma once

#include "SerialEvents.h"

#include <QEvent>

namespace zok {

// Tells the port's owner that the device went away (errno in Error(), usually EIO); the listener
// has ended and the owner closes the port and waits for it to come back
// (CPortReopener).
class PortLostEvent : public QEvent
{
public:
    explicit PortLostEvent(long error) : QEvent(WM_PORT_LOST), m_error(error) {}

    long Error() const { return m_error; }

private:
    long m_error;
};

} // namespace zok
