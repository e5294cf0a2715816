#include "StopRequests.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>

namespace zok {

namespace {

// The self-pipe: a signal handler may only write to a descriptor, so it must find it in a
// variable of its own. Set once, never closed: the handler may run at any time until the end.
std::atomic<int> g_writeEnd{-1};
std::atomic<int> g_readEnd{-1};

void OnStopSignal(int)
{
    const int savedErrno = errno;
    const char byte = 1;
    // A full pipe already shows a request; nothing is lost by dropping this byte.
    [[maybe_unused]] const ssize_t written = ::write(g_writeEnd.load(), &byte, 1);
    errno = savedErrno;
}

void Install()
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    g_writeEnd.store(ends[1]);
    g_readEnd.store(ends[0]);
    for (const int number : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction previous = {};
        if (::sigaction(number, nullptr, &previous) == 0 && previous.sa_handler == SIG_IGN)
            continue;
        struct sigaction action = {};
        action.sa_handler = OnStopSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(number, &action, nullptr);
    }
}

} // namespace

StopRequestHandle WatchStopRequests()
{
    static std::once_flag once;
    std::call_once(once, Install);
    return g_readEnd.load();
}

void ClearStopRequests()
{
    const int fd = g_readEnd.load();
    if (fd < 0)
        return;
    char bytes[64];
    while (::read(fd, bytes, sizeof bytes) > 0) {
    }
}

} // namespace zok
