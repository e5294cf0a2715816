// CSerial over the Win32 communications API: the port is opened for overlapped input and output,
// the device control block (DCB) holds speed, framing and handshake, COMMTIMEOUTS the read mode.
#include "CSerial.h"

#include "PortName.h"

#include <string>

namespace zok {

namespace {
bool KnownSpeed(int baud)
{
    return baud == 9600 || baud == 19200 || baud == 38400 || baud == 57600 || baud == 115200;
}

// No flow control of any kind, DTR and RTS off, nothing replaced or dropped: the line as the
// receivers expect it, and as the POSIX side's raw mode leaves it.
void MakeRaw(DCB &dcb)
{
    dcb.fBinary = TRUE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_DISABLE;
    dcb.fRtsControl = RTS_CONTROL_DISABLE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.fParity = FALSE;
    dcb.StopBits = TWOSTOPBITS;
}
} // namespace

long CSerial::OpenDevice(std::string_view portName, unsigned inQueue, unsigned outQueue)
{
    if (IsOpen())
        return Fail(kErrorAlreadyInitialized);
    const std::string path = DevicePathForPort(portName);
    // No sharing: a port held by another program fails with ERROR_ACCESS_DENIED.
    OwnedHandle port(::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                   FILE_FLAG_OVERLAPPED, nullptr));
    if (!port.Valid())
        return Fail(static_cast<long>(::GetLastError()));
    m_fd = std::move(port);
    long code = kSerialOk;
    if ((inQueue != 0 || outQueue != 0) && !::SetupComm(m_fd.Get(), inQueue, outQueue))
        code = static_cast<long>(::GetLastError());
    DCB dcb{};
    if (code == kSerialOk)
        code = LoadSettings(dcb);
    if (code == kSerialOk) {
        MakeRaw(dcb);
        code = StoreSettings(dcb);
    }
    if (code == kSerialOk && !::SetCommMask(m_fd.Get(), kDefaultEventMask))
        code = static_cast<long>(::GetLastError());
    if (code == kSerialOk)
        code = SetReadMode(kReadNonblocking);
    if (code != kSerialOk) {
        m_fd.Reset();
        return Fail(code);
    }
    // Bytes queued before we opened belong to nobody's exchange.
    ::PurgeComm(m_fd.Get(), PURGE_RXCLEAR);
    m_eventMask = kDefaultEventMask;
    m_lastEvent = 0;
    m_eventChar = 0;
    return SetLastError(kSerialOk);
}

long CSerial::CloseDevice()
{
    if (IsOpen()) {
        ::PurgeComm(m_fd.Get(), PURGE_TXABORT | PURGE_TXCLEAR);
        m_fd.Reset();
    }
    m_lastEvent = 0;
    return SetLastError(kSerialOk);
}

long CSerial::LoadSettings(DCB &dcb)
{
    if (!IsOpen())
        return kErrorInvalidHandle;
    dcb = DCB{};
    dcb.DCBlength = sizeof dcb;
    return ::GetCommState(m_fd.Get(), &dcb) ? kSerialOk : static_cast<long>(::GetLastError());
}

long CSerial::StoreSettings(const DCB &dcb)
{
    DCB copy = dcb;
    return ::SetCommState(m_fd.Get(), &copy) ? kSerialOk : static_cast<long>(::GetLastError());
}

long CSerial::ConfigureDevice(int baud, int dataBits, int parity, int stopBits)
{
    DCB dcb{};
    if (const long code = LoadSettings(dcb))
        return Fail(code);
    if (!KnownSpeed(baud) || dataBits < 5 || dataBits > 8 || parity < NOPARITY || parity > SPACEPARITY ||
        stopBits < ONESTOPBIT || stopBits > TWOSTOPBITS)
        return Fail(kErrorInvalidArg);
    dcb.BaudRate = static_cast<DWORD>(baud);
    dcb.ByteSize = static_cast<BYTE>(dataBits);
    dcb.Parity = static_cast<BYTE>(parity);
    dcb.fParity = parity != NOPARITY;
    dcb.StopBits = static_cast<BYTE>(stopBits);
    return Fail(StoreSettings(dcb));
}

long CSerial::SetEventCharacterDevice(char c, bool watch)
{
    DCB dcb{};
    if (const long code = LoadSettings(dcb))
        return Fail(code);
    dcb.EvtChar = c;
    if (const long code = StoreSettings(dcb))
        return Fail(code);
    m_eventChar = c;
    if (watch)
        return SetEventMask(m_eventMask | kEvRxFlag);
    return SetLastError(kSerialOk);
}

long CSerial::SetEventMaskDevice(std::uint32_t mask)
{
    if (!IsOpen())
        return Fail(kErrorInvalidHandle);
    if (!::SetCommMask(m_fd.Get(), mask))
        return Fail(static_cast<long>(::GetLastError()));
    m_eventMask = mask;
    return SetLastError(kSerialOk);
}

long CSerial::SetHandshakeDevice(int kind)
{
    DCB dcb{};
    if (const long code = LoadSettings(dcb))
        return Fail(code);
    if (kind < kHandshakeOff || kind > kHandshakeSoftware)
        return Fail(kErrorInvalidArg);
    const bool hardware = kind == kHandshakeHardware;
    const bool software = kind == kHandshakeSoftware;
    dcb.fOutxCtsFlow = hardware;
    dcb.fOutxDsrFlow = hardware;
    dcb.fDtrControl = hardware ? DTR_CONTROL_HANDSHAKE : DTR_CONTROL_DISABLE;
    dcb.fRtsControl = hardware ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_DISABLE;
    dcb.fOutX = software;
    dcb.fInX = software;
    return Fail(StoreSettings(dcb));
}

// Non-blocking: a read returns at once with what is buffered (interval time-out MAXDWORD, totals
// 0). Blocking: all three 0, a read waits for its whole count. Write time-outs stay 0: writes are
// bounded by our own wait, which can cancel them.
long CSerial::SetReadModeDevice(int mode)
{
    if (!IsOpen())
        return Fail(kErrorInvalidHandle);
    if (mode != kReadNonblocking && mode != kReadBlocking)
        return Fail(kErrorInvalidArg);
    COMMTIMEOUTS timeouts{};
    if (!::GetCommTimeouts(m_fd.Get(), &timeouts))
        return Fail(static_cast<long>(::GetLastError()));
    timeouts.ReadIntervalTimeout = mode == kReadNonblocking ? MAXDWORD : 0;
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = 0;
    if (!::SetCommTimeouts(m_fd.Get(), &timeouts))
        return Fail(static_cast<long>(::GetLastError()));
    m_readMode = mode;
    return SetLastError(kSerialOk);
}

} // namespace zok
