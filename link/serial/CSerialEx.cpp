// The parts of CSerialEx that are the same on every system: closing, and starting the listener.
// The listener itself and its stop event are in CSerialEx_posix.cpp and CSerialEx_win32.cpp.
#include "CSerialEx.h"

#include <functional>
#include <system_error>

namespace zok {

long CSerialEx::Close()
{
    StopListenerThread(kInfinite);
    m_stopEvent.Reset();
    return CSerial::Close();
}

long CSerialEx::StartListenerThread()
{
    if (!IsOpen() || !m_stopEvent.Valid())
        return SetLastError(kErrorInvalidHandle);
    if (m_thread.joinable() && m_listening.load())
        return SetLastError(kSerialOk);
    if (m_thread.joinable())
        m_thread.join(); // ended by itself after the port was lost
    ClearStopEvent(m_stopEvent.Get());
    try {
        m_listening.store(true);
        m_thread =
            std::thread(&CSerialEx::ListenerLoop, this, Fd(), m_stopEvent.Get(), std::ref(ListenerSink()));
    } catch (const std::system_error &e) {
        m_listening.store(false);
        return SetLastError(e.code().value());
    }
    return SetLastError(kSerialOk);
}

} // namespace zok
