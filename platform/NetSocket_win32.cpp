// NetSocket over Winsock: non-blocking sockets, select() for the connection and for room to send,
// and an event the socket signals (WSAEventSelect) for received bytes, so that the listener can
// wait for it together with its stop event.
#include "NetSocket.h"

#include "NetErrors.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <mstcpip.h> // after winsock2.h, whose types it uses

#include <chrono>

namespace zok {

namespace {
constexpr std::intptr_t kNoSocket = static_cast<std::intptr_t>(INVALID_SOCKET);

// Winsock is started once, on first use, and ended when the program ends.
struct WinsockUser
{
    WinsockUser()
    {
        WSADATA data;
        ::WSAStartup(MAKEWORD(2, 2), &data);
    }
    ~WinsockUser() { ::WSACleanup(); }
};

void UseWinsock()
{
    static const WinsockUser user;
}

SOCKET Sock(std::intptr_t socket)
{
    return static_cast<SOCKET>(socket);
}

long ConnectFailure(int error)
{
    switch (error) {
    case WSAECONNREFUSED:
        return kErrorConnectionRefused;
    case WSAETIMEDOUT:
        return kErrorConnectTimeout;
    default:
        return kErrorHostUnreachable;
    }
}

timeval TimeVal(int timeoutMs)
{
    return {timeoutMs / 1000, (timeoutMs % 1000) * 1000};
}

int MsLeft(std::chrono::steady_clock::time_point end)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}
} // namespace

long ResolveHost(const std::string &host, std::uint16_t port, std::vector<NetEndpoint> &endpoints)
{
    UseWinsock();
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
        ::closesocket(Sock(m_socket));
    if (m_event != 0)
        ::WSACloseEvent(reinterpret_cast<WSAEVENT>(m_event));
    m_socket = kNoSocket;
    m_event = 0;
    m_pending = false;
    m_peerClosed = false;
}

long NetSocket::StartConnect(const NetEndpoint &endpoint)
{
    UseWinsock();
    Close();
    const SOCKET s = ::socket(endpoint.family, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET)
        return kErrorHostUnreachable;
    m_socket = static_cast<std::intptr_t>(s);
    u_long nonBlocking = 1;
    ::ioctlsocket(s, FIONBIO, &nonBlocking);
    const auto *address = reinterpret_cast<const sockaddr *>(endpoint.address.data());
    if (::connect(s, address, static_cast<int>(endpoint.address.size())) != 0 &&
        ::WSAGetLastError() != WSAEWOULDBLOCK) {
        const long code = ConnectFailure(::WSAGetLastError());
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
    if (!m_pending)
        return 0;
    const SOCKET s = Sock(m_socket);
    fd_set writable;
    fd_set failed;
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    FD_SET(s, &writable);
    FD_SET(s, &failed);
    timeval limit = TimeVal(timeoutMs < 0 ? 0 : timeoutMs);
    const int n = ::select(0, nullptr, &writable, &failed, timeoutMs < 0 ? nullptr : &limit);
    if (n == 0)
        return kErrorNetTimeout;
    if (n < 0 || FD_ISSET(s, &failed)) {
        int error = 0;
        int size = sizeof error;
        ::getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char *>(&error), &size);
        Close();
        return ConnectFailure(error);
    }
    m_pending = false;
    const BOOL one = TRUE;
    ::setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char *>(&one), sizeof one);
    // Acknowledge every segment at once (Windows 10 and later; elsewhere the call fails and changes
    // nothing): a server that holds its next small write until the last one is acknowledged
    // (Nagle's rule) would otherwise wait for the delayed acknowledgement.
    DWORD everySegment = 1;
    DWORD unused = 0;
    ::WSAIoctl(s, SIO_TCP_SET_ACK_FREQUENCY, &everySegment, sizeof everySegment, nullptr, 0, &unused, nullptr,
               nullptr);
    const WSAEVENT event = ::WSACreateEvent();
    if (event == WSA_INVALID_EVENT || ::WSAEventSelect(s, event, FD_READ | FD_CLOSE) != 0) {
        if (event != WSA_INVALID_EVENT)
            ::WSACloseEvent(event);
        Close();
        return kErrorHostUnreachable;
    }
    m_event = reinterpret_cast<std::intptr_t>(event);
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
        const int left = MsLeft(end);
        if (left <= 0)
            return kErrorConnectTimeout;
        code = StartConnect(endpoint);
        if (code == 0)
            code = FinishConnect(left);
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
    const SOCKET s = Sock(m_socket);
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (sent < length) {
        const int n = ::send(s, data + sent, static_cast<int>(length - sent), 0);
        if (n > 0) {
            sent += static_cast<std::size_t>(n);
            continue;
        }
        if (n == SOCKET_ERROR && ::WSAGetLastError() != WSAEWOULDBLOCK)
            return kErrorConnectionClosed;
        if (timeoutMs >= 0 && MsLeft(end) <= 0)
            return kErrorNetTimeout;
        fd_set writable;
        FD_ZERO(&writable);
        FD_SET(s, &writable);
        timeval limit = TimeVal(MsLeft(end));
        if (::select(0, nullptr, &writable, nullptr, timeoutMs < 0 ? nullptr : &limit) < 0)
            return kErrorConnectionClosed;
    }
    return 0;
}

long NetSocket::Receive(char *buffer, std::size_t capacity, std::size_t &received)
{
    received = 0;
    const int n = ::recv(Sock(m_socket), buffer, static_cast<int>(capacity), 0);
    if (n > 0) {
        received = static_cast<std::size_t>(n);
        return 0;
    }
    if (n == SOCKET_ERROR && ::WSAGetLastError() == WSAEWOULDBLOCK)
        return 0;
    return kErrorConnectionClosed; // an orderly end (0) or a reset
}

// The socket's event is set for each new batch of bytes (recv re-arms it while some are left)
// and, once, for the end of the connection; reading its network events puts it back. The end
// may come with the last bytes, in one wake-up: it is kept, or no wait would ever report it.
NetWake NetSocket::WaitReadable(int timeoutMs, StopEventToken stop)
{
    if (m_peerClosed)
        return NetWake::Readable;
    const auto event = reinterpret_cast<WSAEVENT>(m_event);
    const HANDLE handles[2] = {event, reinterpret_cast<HANDLE>(stop)};
    const DWORD count = stop == kNoStopEvent ? 1 : 2;
    const DWORD woken = ::WaitForMultipleObjects(count, handles, FALSE,
                                                 timeoutMs < 0 ? INFINITE : static_cast<DWORD>(timeoutMs));
    if (woken == WAIT_OBJECT_0 + 1)
        return NetWake::Stopped;
    if (woken == WAIT_TIMEOUT)
        return NetWake::TimedOut;
    if (woken != WAIT_OBJECT_0)
        return NetWake::Failed;
    WSANETWORKEVENTS events{};
    ::WSAEnumNetworkEvents(Sock(m_socket), event, &events);
    if (events.lNetworkEvents & FD_CLOSE)
        m_peerClosed = true;
    return NetWake::Readable;
}

bool WaitForStopEvent(StopEventToken stop, int timeoutMs)
{
    return ::WaitForSingleObject(reinterpret_cast<HANDLE>(stop), static_cast<DWORD>(timeoutMs)) ==
           WAIT_OBJECT_0;
}

} // namespace zok
