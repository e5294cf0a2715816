#include "PollWait.h"

#include "SerialConstants.h"

#include <cerrno>
#include <poll.h>

namespace zok {

Deadline::Deadline(int timeoutMs)
    : m_unlimited(timeoutMs < 0),
      m_end(std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs))
{
}

int Deadline::RemainingMs() const
{
    if (m_unlimited)
        return -1;
    const auto left = m_end - std::chrono::steady_clock::now();
    if (left <= std::chrono::steady_clock::duration::zero())
        return 0;
    // Round up, so a wait never ends a fraction of a millisecond early and loops once more.
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
}

long WaitForFd(int fd, short events, const Deadline &deadline)
{
    for (;;) {
        const int remaining = deadline.RemainingMs();
        pollfd p{fd, events, 0};
        const int n = ::poll(&p, 1, remaining);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        if (p.revents & events)
            return kSerialOk;
        if (p.revents & (POLLHUP | POLLERR | POLLNVAL))
            return EIO;
        if (remaining == 0 || deadline.Expired())
            return kErrorTimeout;
    }
}

} // namespace zok
