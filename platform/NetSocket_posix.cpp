// NetSocket over POSIX sockets: non-blocking descriptors, with poll() for every wait.
#include "NetSocket.h"

#include "NetErrors.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace zok {

namespace {
constexpr std::intptr_t kNoSocket = -1;

int Fd(std::intptr_t socket)
{
    return static_cast<int>(socket);
}

long ConnectFailure(int error)
{
    switch (error) {
    case ECONNREFUSED:
        return kErrorConnectionRefused;
    case ETIMEDOUT:
        return kErrorConnectTimeout;
    default:
        return kErrorHostUnreachable;
    }
}

// poll() on up to two descriptors, again after a signal, within one limit.
int PollFor(pollfd *fds, nfds_t count, int timeoutMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        int wait = timeoutMs;
        if (timeoutMs > 0) {
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
            wait = left.count() > 0 ? static_cast<int>(left.count()) : 0;
        }
        const int n = ::poll(fds, count, wait);
        if (n >= 0 || errno != EINTR)
            return n;
    }
}
} // namespace

long ResolveHost(const std::string &host, std::uint16_t port, std::vector<NetEndpoint> &endpoints)
{
    endpoints.clear();
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo *found = nullptr;
    if (::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0)
        return kErrorHostNotFound;
    for (const addrinfo *a = found; a != nullptr; a = a->ai_next)
        endpoints.push_back(
            {a->ai_family, std::string(reinterpret_cast<const char *>(a->ai_addr), a->ai_addrlen)});
    ::freeaddrinfo(found);
    return endpoints.empty() ? kErrorHostNotFound : 0;
}

NetSocket::NetSocket() : m_socket(kNoSocket), m_event(0) {}

NetSocket::~NetSocket()
{
    Close();
}

bool NetSocket::Valid() const
{
    return m_socket != kNoSocket;
}

void NetSocket::Close()
{
    if (Valid())
        ::close(Fd(m_socket));
    m_socket = kNoSocket;
    m_pending = false;
}

long NetSocket::StartConnect(const NetEndpoint &endpoint)
{
    Close();
    const int fd = ::socket(endpoint.family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return kErrorHostUnreachable;
    m_socket = fd;
    const auto *address = reinterpret_cast<const sockaddr *>(endpoint.address.data());
    if (::connect(fd, address, static_cast<socklen_t>(endpoint.address.size())) != 0 &&
        errno != EINPROGRESS) {
        const long code = ConnectFailure(errno);
        Close();
        return code;
    }
    m_pending = true;
    return 0;
}

long NetSocket::FinishConnect(int timeoutMs)
{
    if (!Valid())
        return kErrorHostUnreachable;
    if (m_pending) {
        pollfd p{Fd(m_socket), POLLOUT, 0};
        const int n = PollFor(&p, 1, timeoutMs);
        if (n == 0)
            return kErrorNetTimeout;
        int error = 0;
        socklen_t size = sizeof error;
        if (n < 0 || ::getsockopt(Fd(m_socket), SOL_SOCKET, SO_ERROR, &error, &size) != 0)
            error = errno;
        if (error != 0) {
            Close();
            return ConnectFailure(error);
        }
        m_pending = false;
        const int one = 1;
        ::setsockopt(Fd(m_socket), IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    }
    return 0;
}

long NetSocket::Connect(const std::string &host, std::uint16_t port, int timeoutMs)
{
    std::vector<NetEndpoint> endpoints;
    if (const long code = ResolveHost(host, port, endpoints))
        return code;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    long code = kErrorHostUnreachable;
    for (const NetEndpoint &endpoint : endpoints) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return kErrorConnectTimeout;
        code = StartConnect(endpoint);
        if (code == 0)
            code = FinishConnect(static_cast<int>(left.count()));
        if (code == 0)
            return 0;
        if (code == kErrorNetTimeout) {
            Close();
            return kErrorConnectTimeout;
        }
    }
    return code;
}

long NetSocket::Send(const char *data, std::size_t length, int timeoutMs, std::size_t &sent)
{
    sent = 0;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (sent < length) {
        const ssize_t n = ::send(Fd(m_socket), data + sent, length - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            return kErrorConnectionClosed;
        int wait = -1;
        if (timeoutMs >= 0) {
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                return kErrorNetTimeout;
            wait = static_cast<int>(left.count());
        }
        pollfd p{Fd(m_socket), POLLOUT, 0};
        if (PollFor(&p, 1, wait) < 0)
            return kErrorConnectionClosed;
    }
    return 0;
}

long NetSocket::Receive(char *buffer, std::size_t capacity, std::size_t &received)
{
    received = 0;
    for (;;) {
        const ssize_t n = ::recv(Fd(m_socket), buffer, capacity, MSG_DONTWAIT);
        if (n > 0) {
            // Acknowledge at once: a server that holds its next small write until the last one is
            // acknowledged (Nagle's rule, ser2net's default) would otherwise wait for the delayed
            // acknowledgement, up to 40 ms per answer. The kernel drops the setting as it goes.
            const int one = 1;
            ::setsockopt(Fd(m_socket), IPPROTO_TCP, TCP_QUICKACK, &one, sizeof one);
            received = static_cast<std::size_t>(n);
            return 0;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return 0;
        return kErrorConnectionClosed; // an orderly end (0) or a reset
    }
}

NetWake NetSocket::WaitReadable(int timeoutMs, StopEventToken stop)
{
    pollfd fds[2] = {{Fd(m_socket), POLLIN, 0}, {static_cast<int>(stop), POLLIN, 0}};
    const nfds_t count = stop == kNoStopEvent ? 1 : 2;
    const int n = PollFor(fds, count, timeoutMs);
    if (n < 0 || (fds[0].revents & POLLNVAL))
        return NetWake::Failed;
    if (count == 2 && fds[1].revents != 0)
        return NetWake::Stopped;
    if (fds[0].revents != 0)
        return NetWake::Readable; // bytes, or the end of the connection that Receive reports
    return NetWake::TimedOut;
}

bool WaitForStopEvent(StopEventToken stop, int timeoutMs)
{
    pollfd p{static_cast<int>(stop), POLLIN, 0};
    return PollFor(&p, 1, timeoutMs) > 0;
}

} // namespace zok
