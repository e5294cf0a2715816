#include "CSerialEx.h"

#include "CutFrames.h"
#include "FrameCutter.h"

#include <cerrno>
#include <cstdint>
#include <functional>
#include <poll.h>
#include <sys/eventfd.h>
#include <system_error>
#include <unistd.h>

namespace zok {

namespace {
// A few KiB per read: one system call per byte costs hundreds of times more than one per burst.
constexpr std::size_t kReadChunk = 4096;

void ResetEvent(int fd)
{
    std::uint64_t value = 0;
    while (::read(fd, &value, sizeof value) > 0) {
    }
}

// Reads what the driver holds; `readAny` tells whether there was anything. Returns 0, or the
// error that means the port is gone. A short read means the buffer is empty; poll() then says
// when more arrives, and checks the stop event.
long DrainInput(int portFd, FrameCutter &cutter, IListenerSink &sink, bool &readAny)
{
    char buffer[kReadChunk];
    readAny = false;
    for (;;) {
        const ssize_t n = ::read(portFd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno == EAGAIN ? kSerialOk : errno;
        if (n == 0)
            return EIO; // VMIN=1 with O_NONBLOCK: end of file is a hang-up
        readAny = true;
        sink.OnPortEvent(kEvRxChar, kSerialOk);
        CutFrames(buffer, static_cast<std::size_t>(n), cutter, sink);
        if (static_cast<std::size_t>(n) < sizeof buffer)
            return kSerialOk;
    }
}

// A hang-up that still lets read() say "no data" must end the loop too: poll() would report it
// again at once, forever.
long DrainPort(int portFd, short revents, FrameCutter &cutter, IListenerSink &sink, bool &readAny)
{
    const long code = DrainInput(portFd, cutter, sink, readAny);
    if (code == kSerialOk && (revents & (POLLHUP | POLLERR)))
        return EIO;
    return code;
}
// Waits up to `ms` for the stop event; true when it came.
bool StopAsked(int stopFd, int ms)
{
    pollfd stop = {stopFd, POLLIN, 0};
    return ::poll(&stop, 1, ms) > 0;
}
} // namespace

CSerialEx::~CSerialEx()
{
    CSerialEx::Close();
}

long CSerialEx::Open(std::string_view portName, unsigned inQueue, unsigned outQueue)
{
    if (const long code = CSerial::Open(portName, inQueue, outQueue))
        return code;
    m_stopEvent.Reset(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
    if (!m_stopEvent.Valid()) {
        const long code = errno;
        CSerial::Close();
        return SetLastError(code);
    }
    return SetLastError(kSerialOk);
}

void CSerialEx::ClearStopEvent(NativeHandle stop)
{
    ResetEvent(stop);
}

long CSerialEx::StopListenerThread(int)
{
    if (m_thread.joinable()) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = ::write(m_stopEvent.Get(), &one, sizeof one);
        m_thread.join();
        ResetEvent(m_stopEvent.Get());
    }
    return SetLastError(kSerialOk);
}

void CSerialEx::ListenerLoop(int portFd, int stopFd, IListenerSink &sink)
{
    FrameCutter cutter;
    pollfd fds[2] = {{stopFd, POLLIN, 0}, {portFd, POLLIN, 0}};
    long lost = kSerialOk;
    while (lost == kSerialOk) {
        const int n = ::poll(fds, 2, -1);
        m_wakeups.fetch_add(1, std::memory_order_relaxed);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            lost = errno;
        else if (fds[0].revents != 0)
            break;
        else if (fds[1].revents & POLLNVAL)
            lost = EBADF;
        else if (fds[1].revents != 0) {
            bool readAny = false;
            lost = DrainPort(portFd, fds[1].revents, cutter, sink, readAny);
            // A busy line: let the next bytes gather (poll() then returns at once for them),
            // unless an answer is awaited.
            if (lost == kSerialOk && readAny && !PromptDelivery() && StopAsked(stopFd, kBusyLinePauseMs))
                break;
        }
    }
    if (lost != kSerialOk)
        sink.OnPortLost(lost);
    m_listening.store(false);
}

} // namespace zok
