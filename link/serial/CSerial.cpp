// CSerial's operations handed to the backend the port name chose at opening: the local device
// (CSerial_posix.cpp, CSerial_win32.cpp and their Io and Query files) or a network line
// (CTcpLine, CRfc2217Line), whose side is here where it is more than a call.
#include "CSerial.h"

#include "CTcpLine.h"
#include "NetworkPortName.h"
#include "PollWait.h"

#include <cstring>

namespace zok {

namespace {
// A command's write on a network line: the socket takes it at once unless the server stopped
// reading long ago.
constexpr int kNetworkCommandTimeoutMs = 2000;
} // namespace

CSerial::CSerial() = default;

CSerial::~CSerial()
{
    CSerial::Close();
}

long CSerial::Fail(long code)
{
    return SetLastError(code);
}

long CSerial::Open(std::string_view portName, unsigned inQueue, unsigned outQueue)
{
    if (IsOpen())
        return Fail(kErrorAlreadyInitialized);
    if (IsNetworkPortName(portName))
        return OpenNetwork(portName);
    return OpenDevice(portName, inQueue, outQueue);
}

long CSerial::OpenNetwork(std::string_view portName)
{
    std::unique_ptr<CTcpLine> line = CTcpLine::ForName(portName);
    if (!line)
        return Fail(kErrorBadPortName);
    if (const long code = line->Open())
        return Fail(code);
    m_net = std::move(line);
    m_eventMask = kDefaultEventMask;
    m_lastEvent = 0;
    m_eventChar = 0;
    m_readMode = kReadNonblocking;
    return SetLastError(kSerialOk);
}

long CSerial::Close()
{
    if (!m_net)
        return CloseDevice();
    m_net.reset();
    m_lastEvent = 0;
    return SetLastError(kSerialOk);
}

long CSerial::Configure(int baud, int dataBits, int parity, int stopBits)
{
    if (m_net)
        return Fail(m_net->Configure(baud, dataBits, parity, stopBits));
    return ConfigureDevice(baud, dataBits, parity, stopBits);
}

long CSerial::SetEventCharacter(char c, bool watch)
{
    if (!m_net)
        return SetEventCharacterDevice(c, watch);
    m_eventChar = c;
    return watch ? SetEventMask(m_eventMask | kEvRxFlag) : SetLastError(kSerialOk);
}

long CSerial::SetEventMask(std::uint32_t mask)
{
    if (!m_net)
        return SetEventMaskDevice(mask);
    m_eventMask = mask;
    return SetLastError(kSerialOk);
}

long CSerial::WaitForEvent(int timeoutMs)
{
    return m_net ? WaitForEventNetwork(timeoutMs) : WaitForEventDevice(timeoutMs);
}

// Decoded bytes count, telnet commands do not; what is sent counts as gone at once.
long CSerial::WaitForEventNetwork(int timeoutMs)
{
    const bool wantsInput = m_eventMask & (kEvRxChar | kEvRxFlag);
    m_lastEvent = (m_eventMask & kEvTxEmpty) ? kEvTxEmpty : 0;
    if (m_lastEvent)
        return SetLastError(kSerialOk);
    if (!wantsInput)
        return Fail(kErrorInvalidArg);
    const Deadline deadline(timeoutMs);
    for (;;) {
        std::size_t available = 0;
        if (const long code = m_net->Available(available))
            return Fail(code);
        if (available > 0) {
            m_lastEvent = kEvRxChar;
            return SetLastError(kSerialOk);
        }
        const NetWake wake = m_net->WaitInput(deadline.RemainingMs());
        if (wake == NetWake::TimedOut || (wake != NetWake::Readable && deadline.Expired()))
            return Fail(kErrorTimeout);
        if (wake == NetWake::Failed)
            return Fail(kErrorConnectionClosed);
    }
}

long CSerial::SetHandshake(int kind)
{
    return m_net ? Fail(m_net->SetHandshake(kind)) : SetHandshakeDevice(kind);
}

long CSerial::SetReadMode(int mode)
{
    if (!m_net)
        return SetReadModeDevice(mode);
    if (mode != kReadNonblocking && mode != kReadBlocking)
        return Fail(kErrorInvalidArg);
    m_readMode = mode;
    return SetLastError(kSerialOk);
}

int CSerial::QueryNetwork(int LineSettings::*value)
{
    const int known = m_net->Settings().*value;
    Fail(known < 0 ? kErrorLineSetOnServer : kSerialOk);
    return known;
}

int CSerial::QueryBaudRate()
{
    return m_net ? QueryNetwork(&LineSettings::baud) : QueryBaudRateDevice();
}

int CSerial::QueryDataBits()
{
    return m_net ? QueryNetwork(&LineSettings::dataBits) : QueryDataBitsDevice();
}

int CSerial::QueryParity()
{
    return m_net ? QueryNetwork(&LineSettings::parity) : QueryParityDevice();
}

int CSerial::QueryStopBits()
{
    return m_net ? QueryNetwork(&LineSettings::stopBits) : QueryStopBitsDevice();
}

int CSerial::QueryHandshake()
{
    return m_net ? QueryNetwork(&LineSettings::handshake) : QueryHandshakeDevice();
}

long CSerial::WriteString(const char *text, std::size_t *written, int timeoutMs)
{
    return Write(text, text ? std::strlen(text) : 0, written, timeoutMs);
}

long CSerial::Write(const void *data, std::size_t length, std::size_t *written, int timeoutMs)
{
    if (!m_net)
        return WriteDevice(data, length, written, timeoutMs);
    std::size_t sent = 0;
    const long code =
        m_net->Write(data, length, sent, timeoutMs == kCommandTimeout ? kNetworkCommandTimeoutMs : timeoutMs);
    if (written)
        *written = sent;
    return Fail(code);
}

long CSerial::Read(void *buffer, std::size_t length, std::size_t *bytesRead, int timeoutMs)
{
    return m_net ? ReadNetwork(buffer, length, bytesRead, timeoutMs)
                 : ReadDevice(buffer, length, bytesRead, timeoutMs);
}

long CSerial::ReadNetwork(void *buffer, std::size_t length, std::size_t *bytesRead, int timeoutMs)
{
    const Deadline deadline(timeoutMs);
    auto *bytes = static_cast<char *>(buffer);
    std::size_t done = 0;
    long code = kSerialOk;
    while (done < length && code == kSerialOk) {
        std::size_t count = 0;
        code = m_net->Receive(bytes + done, length - done, count);
        done += count;
        if (code != kSerialOk || count > 0)
            continue;
        if (m_readMode == kReadNonblocking)
            break;
        const NetWake wake = m_net->WaitInput(deadline.RemainingMs());
        if (wake == NetWake::TimedOut || (wake != NetWake::Readable && deadline.Expired()))
            code = kErrorTimeout;
        else if (wake == NetWake::Failed)
            code = kErrorConnectionClosed;
    }
    if (bytesRead)
        *bytesRead = done;
    return Fail(code);
}

} // namespace zok
