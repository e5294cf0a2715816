// The data path of CSerial: reads, writes and the event wait, all on the non-blocking
// descriptor with poll() providing the waiting and the time-outs.
#include "CSerial.h"

#include "PollWait.h"
#include "TermiosHelpers.h"

#include <algorithm>
#include <cerrno>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace zok {

namespace th = termios_helpers;

namespace {
// The slowest line speed is assumed when the device reports one we do not know.
constexpr int kFallbackBaud = 9600;
constexpr int kCommandGraceMs = 1000;

int OutputQueued(int fd)
{
    int queued = 0;
    return ::ioctl(fd, TIOCOUTQ, &queued) == 0 ? queued : 0;
}

int InputQueued(int fd)
{
    int queued = 0;
    return ::ioctl(fd, FIONREAD, &queued) == 0 ? queued : 0;
}
} // namespace

int CSerial::CommandTimeoutMs(std::size_t length)
{
    termios tio{};
    int baud = LoadSettings(tio) == kSerialOk ? th::BaudOf(::cfgetospeed(&tio)) : 0;
    if (baud == 0)
        baud = kFallbackBaud;
    return kCommandGraceMs + static_cast<int>(th::WireTime(length, baud).count());
}

long CSerial::WriteDevice(const void *data, std::size_t length, std::size_t *written, int timeoutMs)
{
    if (written)
        *written = 0;
    if (!IsOpen())
        return Fail(kErrorInvalidHandle);
    const Deadline deadline(timeoutMs == kCommandTimeout ? CommandTimeoutMs(length) : timeoutMs);
    const auto *bytes = static_cast<const char *>(data);
    std::size_t done = 0;
    long code = kSerialOk;
    while (done < length && code == kSerialOk) {
        const ssize_t n = ::write(m_fd.Get(), bytes + done, length - done);
        if (n > 0)
            done += static_cast<std::size_t>(n);
        else if (n < 0 && errno != EAGAIN && errno != EINTR)
            code = errno;
        else if (n < 0 && errno == EAGAIN)
            code = WaitForFd(m_fd.Get(), POLLOUT, deadline);
    }
    if (code == kErrorTimeout)
        ::tcflush(m_fd.Get(), TCOFLUSH);
    if (written)
        *written = done;
    return Fail(code);
}

long CSerial::ReadDevice(void *buffer, std::size_t length, std::size_t *bytesRead, int timeoutMs)
{
    if (bytesRead)
        *bytesRead = 0;
    if (!IsOpen())
        return Fail(kErrorInvalidHandle);
    const Deadline deadline(timeoutMs);
    auto *bytes = static_cast<char *>(buffer);
    std::size_t done = 0;
    long code = kSerialOk;
    while (done < length && code == kSerialOk) {
        const ssize_t n = ::read(m_fd.Get(), bytes + done, length - done);
        if (n > 0)
            done += static_cast<std::size_t>(n);
        else if (n == 0)
            code = EIO; // VMIN=1 with O_NONBLOCK: 0 bytes only after a hang-up
        else if (errno == EAGAIN && m_readMode == kReadNonblocking)
            break;
        else if (errno == EAGAIN)
            code = WaitForFd(m_fd.Get(), POLLIN, deadline);
        else if (errno != EINTR)
            code = errno;
    }
    if (bytesRead)
        *bytesRead = done;
    return Fail(code);
}

// An emptying output queue signals nothing: when kEvTxEmpty is wanted, look again once the
// queued bytes should be out.
static int PollSlice(const Deadline &deadline, bool wantsEmpty, int queued)
{
    const int remaining = deadline.RemainingMs();
    if (!wantsEmpty)
        return remaining;
    const int drainMs = static_cast<int>(th::WireTime(queued, kFallbackBaud).count()) + 1;
    return remaining < 0 ? drainMs : std::min(remaining, drainMs);
}

long CSerial::WaitForEventDevice(int timeoutMs)
{
    if (!IsOpen())
        return Fail(kErrorInvalidHandle);
    const bool wantsInput = m_eventMask & (kEvRxChar | kEvRxFlag);
    const bool wantsEmpty = m_eventMask & kEvTxEmpty;
    if (!wantsInput && !wantsEmpty)
        return Fail(kErrorInvalidArg);
    const Deadline deadline(timeoutMs);
    m_lastEvent = 0;
    for (;;) {
        const int queued = OutputQueued(m_fd.Get());
        if (wantsEmpty && queued == 0)
            m_lastEvent = kEvTxEmpty;
        pollfd p{m_fd.Get(), static_cast<short>(wantsInput ? POLLIN : 0), 0};
        const int n = m_lastEvent ? 0 : ::poll(&p, 1, PollSlice(deadline, wantsEmpty, queued));
        if (n < 0 && errno != EINTR)
            return Fail(errno);
        // After a hang-up poll() says "readable" for good; only bytes still buffered count.
        if ((p.revents & (POLLHUP | POLLERR | POLLNVAL)) && InputQueued(m_fd.Get()) == 0)
            return Fail(EIO);
        if (p.revents & POLLIN)
            m_lastEvent = kEvRxChar;
        if (m_lastEvent)
            return SetLastError(kSerialOk);
        if (deadline.Expired())
            return Fail(kErrorTimeout);
    }
}

} // namespace zok
