#include "InterruptWatcher.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/signalfd.h>

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
    m_fd.Reset(::signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC));
    if (!m_fd.Valid())
        return;
    m_notifier = new QSocketNotifier(m_fd.Get(), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &InterruptWatcher::Drain);
}

void InterruptWatcher::Drain()
{
    signalfd_siginfo info{};
    while (::read(m_fd.Get(), &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
    }
    m_interrupted = true;
    Q_EMIT Interrupt();
}

} // namespace zok::cli
