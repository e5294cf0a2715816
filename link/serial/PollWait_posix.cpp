#include "PollWait.h"

#include "SerialConstants.h"

#include <cerrno>
#include <poll.h>

namespace zok {

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
