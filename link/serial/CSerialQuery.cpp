// The queries of CSerial that read only what this object keeps, the same on every system.
#include "CSerial.h"

namespace zok {

std::uint32_t CSerial::QueryEventMask()
{
    if (!IsOpen()) {
        Fail(kErrorInvalidHandle);
        return 0;
    }
    SetLastError(kSerialOk);
    return m_eventMask;
}

char CSerial::QueryEventCharacter()
{
    if (!IsOpen()) {
        Fail(kErrorInvalidHandle);
        return 0;
    }
    SetLastError(kSerialOk);
    return m_eventChar;
}

std::uint32_t CSerial::TakeEvents()
{
    const std::uint32_t events = m_lastEvent & m_eventMask;
    m_lastEvent = 0;
    return events;
}

} // namespace zok
