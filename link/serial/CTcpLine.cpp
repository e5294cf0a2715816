#include "CTcpLine.h"

#include "CRfc2217Line.h"
#include "SerialConstants.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <utility>

namespace zok {

namespace {
constexpr std::size_t kReceiveChunk = 4096;
} // namespace

std::unique_ptr<CTcpLine> CTcpLine::ForName(std::string_view portName)
{
    NetworkPortName name;
    if (ParseNetworkPortName(portName, name) != PortNameProblem::None)
        return nullptr;
    if (name.scheme == NetworkScheme::Rfc2217)
        return std::make_unique<CRfc2217Line>(std::move(name));
    return std::make_unique<CTcpLine>(std::move(name));
}

CTcpLine::CTcpLine(NetworkPortName name) : m_name(std::move(name)) {}

CTcpLine::~CTcpLine() = default;

bool CTcpLine::ValidSettings(int baud, int dataBits, int parity, int stopBits)
{
    const bool knownSpeed = baud == 9600 || baud == 19200 || baud == 38400 || baud == 57600 || baud == 115200;
    return knownSpeed && dataBits >= 5 && dataBits <= 8 && parity >= 0 && parity <= 4 && stopBits >= 0 &&
           stopBits <= 2;
}

long CTcpLine::Open()
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kConnectTimeoutMs);
    for (;;) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        long code = m_socket.Connect(m_name.host, m_name.port,
                                     static_cast<int>(std::max<long long>(left.count(), 1)));
        if (code == kSerialOk)
            code = SetUpConnection();
        if (code != kErrorConnectionClosed ||
            std::chrono::steady_clock::now() + std::chrono::milliseconds(kRetryPauseMs) >= end)
            return code;
        m_socket.Close();
        ResetConnection();
        std::this_thread::sleep_for(std::chrono::milliseconds(kRetryPauseMs));
    }
}

long CTcpLine::SetUpConnection()
{
    std::unique_lock lock(m_mutex);
    AwaitLocked(lock, kSettleMs, [] { return false; });
    if (m_closed)
        return kErrorConnectionClosed;
    m_pending.clear();
    return kSerialOk;
}

void CTcpLine::ResetConnection()
{
    std::lock_guard lock(m_mutex);
    m_pending.clear();
    m_closed = false;
}

long CTcpLine::Configure(int baud, int dataBits, int parity, int stopBits)
{
    return ValidSettings(baud, dataBits, parity, stopBits) ? kErrorLineSetOnServer : kErrorInvalidArg;
}

long CTcpLine::SetHandshake(int kind)
{
    return kind < kHandshakeOff || kind > kHandshakeSoftware ? kErrorInvalidArg : kErrorLineSetOnServer;
}

LineSettings CTcpLine::Settings()
{
    return {};
}

void CTcpLine::Decode(const char *bytes, std::size_t count, std::string &data)
{
    data.append(bytes, count);
}

void CTcpLine::Encode(const char *data, std::size_t count, std::string &out)
{
    out.append(data, count);
}

long CTcpLine::SendBytes(std::string_view bytes, int timeoutMs)
{
    std::lock_guard lock(m_sendMutex);
    std::size_t sent = 0;
    return m_socket.Send(bytes.data(), bytes.size(), timeoutMs, sent);
}

long CTcpLine::Write(const void *data, std::size_t length, std::size_t &written, int timeoutMs)
{
    written = 0;
    {
        std::lock_guard lock(m_mutex);
        if (m_closed)
            return kErrorConnectionClosed;
    }
    std::string encoded;
    Encode(static_cast<const char *>(data), length, encoded);
    const long code = SendBytes(encoded, timeoutMs);
    // Escaping makes byte counts differ on the wire; what was asked for went out, or it failed.
    if (code == kSerialOk)
        written = length;
    return code;
}

long CTcpLine::PumpLocked()
{
    char raw[kReceiveChunk];
    std::size_t count = 0;
    const long code = m_socket.Receive(raw, sizeof raw, count);
    if (code != kSerialOk) {
        m_closed = true;
        m_changed.notify_all();
        return code;
    }
    if (count > 0)
        Decode(raw, count, m_pending);
    return kSerialOk;
}

long CTcpLine::Receive(char *buffer, std::size_t capacity, std::size_t &received)
{
    received = 0;
    std::lock_guard lock(m_mutex);
    long code = kSerialOk;
    if (m_pending.empty() && !m_closed)
        code = PumpLocked();
    received = std::min(capacity, m_pending.size());
    std::copy_n(m_pending.begin(), received, buffer);
    m_pending.erase(0, received);
    if (received == 0 && m_closed)
        return code != kSerialOk ? code : kErrorConnectionClosed;
    return kSerialOk;
}

long CTcpLine::Available(std::size_t &available)
{
    std::lock_guard lock(m_mutex);
    long code = kSerialOk;
    if (m_pending.empty() && !m_closed)
        code = PumpLocked();
    available = m_pending.size();
    if (available == 0 && m_closed)
        return code != kSerialOk ? code : kErrorConnectionClosed;
    return kSerialOk;
}

NetWake CTcpLine::WaitInput(int timeoutMs, StopEventToken stop)
{
    {
        std::lock_guard lock(m_mutex);
        if (!m_pending.empty() || m_closed)
            return NetWake::Readable;
    }
    return m_socket.WaitReadable(timeoutMs, stop);
}

void CTcpLine::SetListening(bool listening)
{
    std::lock_guard lock(m_mutex);
    m_listening.store(listening);
    m_changed.notify_all();
}

bool CTcpLine::AwaitLocked(std::unique_lock<std::mutex> &lock, int timeoutMs,
                           const std::function<bool()> &done)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (m_closed)
            return false;
        if (m_listening.load()) {
            if (m_changed.wait_until(lock, end) == std::cv_status::timeout)
                return done();
            continue;
        }
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        lock.unlock();
        const NetWake wake = m_socket.WaitReadable(static_cast<int>(left.count()));
        lock.lock();
        if (wake == NetWake::Failed)
            return false;
        if (wake == NetWake::Readable)
            PumpLocked();
    }
    return true;
}

} // namespace zok
