#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zok {

// One address a host resolved to: a socket address as the system gives it.
struct NetEndpoint
{
    int family = 0;
    std::string address;
};

// The addresses of `host` (a name or a numeric address) for TCP port `port`, in the system's
// order; kErrorHostNotFound when there is none. A name may take the resolver some time.
long ResolveHost(const std::string &host, std::uint16_t port, std::vector<NetEndpoint> &endpoints);

// A stop event as the serial layer's listener holds one (an eventfd on POSIX, an event handle on
// Windows), carried as an integer so that this header needs no system type.
using StopEventToken = std::intptr_t;
inline constexpr StopEventToken kNoStopEvent = -1;

// How a wait for received bytes ended.
enum class NetWake { Readable, Stopped, TimedOut, Failed };

// A TCP connection. The socket is non-blocking underneath and every wait has its own limit, so a
// silent server can never hang a thread. One thread may send while another receives and waits;
// Connect and Close belong to the owner, with no other thread using the socket. Small writes go
// out at once (no Nagle delay): each command is one write, and its answer waits for it.
class NetSocket
{
public:
    NetSocket();
    ~NetSocket();
    NetSocket(const NetSocket &) = delete;
    NetSocket &operator=(const NetSocket &) = delete;

    // Connects to the first address of `host` that accepts, all within `timeoutMs`. 0, or
    // kErrorHostNotFound, kErrorConnectionRefused, kErrorConnectTimeout, kErrorHostUnreachable.
    long Connect(const std::string &host, std::uint16_t port, int timeoutMs);
    // Starts connecting to one address without waiting (0: under way or done); FinishConnect then
    // waits up to `timeoutMs` and gives 0 once connected, kErrorNetTimeout while still under way,
    // or why it failed (the codes of Connect).
    long StartConnect(const NetEndpoint &endpoint);
    long FinishConnect(int timeoutMs);
    void Close();
    bool Valid() const;

    // Sends every byte, waiting up to `timeoutMs` for room (negative: no limit); `sent` says how
    // many went. kErrorNetTimeout, or kErrorConnectionClosed when the connection is gone.
    long Send(const char *data, std::size_t length, int timeoutMs, std::size_t &sent);
    // What has arrived, without waiting (`received` 0 when nothing has); kErrorConnectionClosed
    // once the server has ended or reset the connection.
    long Receive(char *buffer, std::size_t capacity, std::size_t &received);
    // Waits until bytes (or the end of the connection) can be received, `stop` is signalled, or
    // `timeoutMs` passes (negative: no limit).
    NetWake WaitReadable(int timeoutMs, StopEventToken stop = kNoStopEvent);

private:
    std::intptr_t m_socket; // a descriptor, or a SOCKET
    std::intptr_t m_event;  // Windows: the event the socket signals for reads; unused on POSIX
    bool m_pending = false; // a connection started and not finished
    // Windows: the end of the connection was reported (once only, by the socket's event); every
    // wait after it returns at once, so that Receive reports the end. Used by the reading thread.
    bool m_peerClosed = false;
};

// Waits up to `timeoutMs` for `stop`; true when it is signalled.
bool WaitForStopEvent(StopEventToken stop, int timeoutMs);

} // namespace zok
