#include "CSerial.h"

#include "PortName.h"
#include "TermiosHelpers.h"

#include <cerrno>
#include <fcntl.h>
#include <linux/serial.h>
#include <string>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace zok {

namespace th = termios_helpers;

namespace {
// USB adapters hold received bytes up to 16 ms unless asked not to; ports without the setting
// (a pty among them) simply keep their default.
void RequestLowLatency(int fd)
{
    serial_struct info{};
    if (::ioctl(fd, TIOCGSERIAL, &info) == 0) {
        info.flags |= ASYNC_LOW_LATENCY;
        ::ioctl(fd, TIOCSSERIAL, &info);
    }
}

// Modem lines are absent on a pty and on some adapters; that is not a failure of the handshake.
long SetModemLines(int fd, bool raised)
{
    int lines = TIOCM_DTR | TIOCM_RTS;
    if (::ioctl(fd, raised ? TIOCMBIS : TIOCMBIC, &lines) == 0 || errno == ENOTTY || errno == EINVAL)
        return kSerialOk;
    return errno;
}
} // namespace

long CSerial::OpenDevice(std::string_view portName, unsigned, unsigned)
{
    if (IsOpen())
        return Fail(kErrorAlreadyInitialized);
    const std::string path = DevicePathForPort(portName);
    UniqueFd fd(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.Valid())
        return Fail(errno);
    if (!::isatty(fd.Get()))
        return Fail(ENOTTY);
    m_fd = std::move(fd);
    termios tio{};
    long code = TakeExclusiveUse();
    if (code == kSerialOk)
        code = LoadSettings(tio);
    if (code == kSerialOk) {
        RequestLowLatency(m_fd.Get());
        th::MakeRaw(tio);
        th::SetFraming(tio, 8, kNoParity, kTwoStopBits);
        code = StoreSettings(tio);
    }
    if (code == kSerialOk) {
        // Bytes queued before we opened belong to nobody's exchange: answers to an earlier
        // session would otherwise be taken for answers to our first command.
        ::tcflush(m_fd.Get(), TCIFLUSH);
    }
    if (code != kSerialOk) {
        m_fd.Reset();
        return Fail(code);
    }
    m_eventMask = kDefaultEventMask;
    m_lastEvent = 0;
    m_eventChar = 0;
    m_readMode = kReadNonblocking;
    return SetLastError(kSerialOk);
}

// TIOCEXCL keeps other users out, but root ignores it; the flock covers programs run as root.
long CSerial::TakeExclusiveUse()
{
    if (::flock(m_fd.Get(), LOCK_EX | LOCK_NB) != 0)
        return errno == EWOULDBLOCK ? EBUSY : errno;
    if (::ioctl(m_fd.Get(), TIOCEXCL) != 0)
        return errno;
    return kSerialOk;
}

long CSerial::CloseDevice()
{
    if (IsOpen()) {
        ::tcflush(m_fd.Get(), TCOFLUSH);
        ::ioctl(m_fd.Get(), TIOCNXCL);
        m_fd.Reset();
    }
    m_lastEvent = 0;
    return SetLastError(kSerialOk);
}

long CSerial::LoadSettings(termios &tio)
{
    if (!IsOpen())
        return kErrorInvalidHandle;
    return ::tcgetattr(m_fd.Get(), &tio) == 0 ? kSerialOk : errno;
}

long CSerial::StoreSettings(const termios &tio)
{
    return ::tcsetattr(m_fd.Get(), TCSANOW, &tio) == 0 ? kSerialOk : errno;
}

long CSerial::ConfigureDevice(int baud, int dataBits, int parity, int stopBits)
{
    termios tio{};
    if (const long code = LoadSettings(tio))
        return Fail(code);
    const speed_t speed = th::BaudConstant(baud);
    if (speed == B0 || !th::SetFraming(tio, dataBits, parity, stopBits))
        return Fail(kErrorInvalidArg);
    ::cfsetispeed(&tio, speed);
    ::cfsetospeed(&tio, speed);
    return Fail(StoreSettings(tio));
}

long CSerial::SetEventCharacterDevice(char c, bool watch)
{
    if (!IsOpen())
        return Fail(kErrorInvalidHandle);
    m_eventChar = c;
    if (watch)
        return SetEventMask(m_eventMask | kEvRxFlag);
    return SetLastError(kSerialOk);
}

long CSerial::SetEventMaskDevice(std::uint32_t mask)
{
    if (!IsOpen())
        return Fail(kErrorInvalidHandle);
    m_eventMask = mask;
    return SetLastError(kSerialOk);
}

long CSerial::SetHandshakeDevice(int kind)
{
    termios tio{};
    if (const long code = LoadSettings(tio))
        return Fail(code);
    if (kind < kHandshakeOff || kind > kHandshakeSoftware)
        return Fail(kErrorInvalidArg);
    tio.c_cflag &= ~CRTSCTS;
    tio.c_iflag &= ~(IXON | IXOFF);
    if (kind == kHandshakeHardware)
        tio.c_cflag |= CRTSCTS;
    if (kind == kHandshakeSoftware)
        tio.c_iflag |= IXON | IXOFF;
    if (const long code = StoreSettings(tio))
        return Fail(code);
    return Fail(SetModemLines(m_fd.Get(), kind == kHandshakeHardware));
}

long CSerial::SetReadModeDevice(int mode)
{
    if (!IsOpen())
        return Fail(kErrorInvalidHandle);
    if (mode != kReadNonblocking && mode != kReadBlocking)
        return Fail(kErrorInvalidArg);
    m_readMode = mode;
    return SetLastError(kSerialOk);
}

} // namespace zok
