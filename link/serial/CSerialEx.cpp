// The parts of CSerialEx that are the same on every system: closing, and starting the listener.
// The listener of a local device and its stop event are in CSerialEx_posix.cpp and
// CSerialEx_win32.cpp, the listener of a network line in CSerialEx_network.cpp.
#include "CSerialEx.h"

#include "CTcpLine.h"

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
    CTcpLine *line = NetworkLine();
    try {
        m_listening.store(true);
        if (line) {
            line->SetListening(true);
            m_thread = std::thread(&CSerialEx::NetworkListenerLoop, this, std::ref(*line), m_stopEvent.Get(),
                                   std::ref(ListenerSink()));
        } else {
            m_thread = std::thread(&CSerialEx::ListenerLoop, this, Fd(), m_stopEvent.Get(),
                                   std::ref(ListenerSink()));
        }
    } catch (const std::system_error &e) {
        if (line)
            line->SetListening(false);
        m_listening.store(false);
        return SetLastError(e.code().value());
    }
    return SetLastError(kSerialOk);
}

} // namespace zok
