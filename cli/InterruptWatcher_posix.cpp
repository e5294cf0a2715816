#include "InterruptWatcher.h"

#include "UniqueFd.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <pthread.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace zok::cli {

namespace {
sigset_t EndSignals()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    return set;
}

// The descriptor the signals arrive on, owned by the watcher as its child.
class SignalDescriptor : public QObject
{
public:
    SignalDescriptor(int fd, QObject *parent)
        : QObject(parent), m_fd(fd), m_notifier(fd, QSocketNotifier::Read)
    {
    }
    QSocketNotifier &Notifier() { return m_notifier; }
    void Drain()
    {
        signalfd_siginfo info{};
        while (::read(m_fd.Get(), &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
        }
    }

private:
    zok::UniqueFd m_fd;
    QSocketNotifier m_notifier; // after the descriptor: gone before it is closed
};
} // namespace

void InterruptWatcher::BlockSignals()
{
    const sigset_t set = EndSignals();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

// The signals arrive on a descriptor instead of in a handler: no global state, no async-signal
// rules, and the event loop sees them as any other input.
InterruptWatcher::InterruptWatcher(QObject *parent) : QObject(parent)
{
    const sigset_t set = EndSignals();
    const int fd = ::signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
    if (fd < 0) {
        // Blocked and unwatched, Ctrl+C would do nothing at all and the command could only be
        // killed: the signals get their default action back.
        const int error = errno;
        pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
        ReportUnwatched(QString::fromLocal8Bit(std::strerror(error)));
        return;
    }
    auto *descriptor = new SignalDescriptor(fd, this);
    connect(&descriptor->Notifier(), &QSocketNotifier::activated, this, [this, descriptor] {
        descriptor->Drain();
        Deliver();
    });
}

} // namespace zok::cli
