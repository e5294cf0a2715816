#pragma once

#include <chrono>

namespace zok {

// A point in time derived from a time-out in milliseconds (negative: no limit), so that a loop
// of partial reads or writes shares one limit instead of restarting it on every pass.
class Deadline
{
public:
    explicit Deadline(int timeoutMs);
    // Milliseconds left for poll(): -1 without limit, 0 once expired.
    int RemainingMs() const;
    bool Expired() const { return RemainingMs() == 0; }

private:
    bool m_unlimited;
    std::chrono::steady_clock::time_point m_end;
};

// Waits until fd is ready for events (POLLIN or POLLOUT). Returns 0 when ready, kErrorTimeout
// when the deadline passes first, EIO when the device hung up, or errno.
long WaitForFd(int fd, short events, const Deadline &deadline);

} // namespace zok
