#include "ConnectProbe.h"

#include "NetErrors.h"

namespace zok {

bool ConnectProbe::Poll(const std::string &host, std::uint16_t port)
{
    if (host != m_host || port != m_port) {
        m_socket.Close();
        m_pending = false;
        m_endpoints.clear();
        m_host = host;
        m_port = port;
    }
    if (m_pending) {
        const long outcome = m_socket.FinishConnect(0);
        if (outcome == kErrorNetTimeout && ++m_pendingPolls < kPatiencePolls)
            return false;
        m_socket.Close();
        m_pending = false;
        if (outcome == 0)
            return true;
        if (outcome == kErrorNetTimeout)
            return false; // given up; the next poll starts afresh
    }
    return Start();
}

bool ConnectProbe::Start()
{
    if (m_next >= m_endpoints.size()) {
        m_next = 0;
        if (ResolveHost(m_host, m_port, m_endpoints) != 0)
            return false;
    }
    if (m_socket.StartConnect(m_endpoints[m_next++]) != 0)
        return false;
    const long outcome = m_socket.FinishConnect(0);
    if (outcome == 0) {
        m_socket.Close();
        return true;
    }
    m_pending = outcome == kErrorNetTimeout;
    m_pendingPolls = 0;
    if (!m_pending)
        m_socket.Close();
    return false;
}

} // namespace zok
