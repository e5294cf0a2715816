#pragma once

#include "NetSocket.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zok {

// Tells, without ever waiting, whether something accepts connections at HOST:PORT: each Poll takes
// the outcome of the attempt the previous Poll started, or starts one (on the host's next address
// when the last one failed). A caller polling once a second thus makes at most one connection
// attempt a second and never blocks on it; only resolving a host name may take the resolver's
// time, once per round of its addresses.
class ConnectProbe
{
public:
    // True when an attempt has connected; that connection is closed again at once.
    bool Poll(const std::string &host, std::uint16_t port);

private:
    bool Start();

    // An attempt that neither connects nor fails (a server whose packets are dropped) is
    // given up after this many polls.
    static constexpr int kPatiencePolls = 5;

    NetSocket m_socket;
    bool m_pending = false;
    int m_pendingPolls = 0;
    std::string m_host;
    std::uint16_t m_port = 0;
    std::vector<NetEndpoint> m_endpoints;
    std::size_t m_next = 0;
};

} // namespace zok
