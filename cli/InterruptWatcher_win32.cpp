#include "InterruptWatcher.h"

#include <QWinEventNotifier>

#include <system_error>
#include <windows.h>

namespace zok::cli {

namespace {
// The console calls its control handler on a thread of its own and gives it no context: the
// handler can only reach an event that lives as long as the process. Manual reset: it stays set
// until a watcher has seen it, also when Ctrl+C comes before the watcher exists.
HANDLE InterruptEvent()
{
    static const HANDLE event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    return event;
}

BOOL WINAPI OnConsoleControl(DWORD type)
{
    if (type != CTRL_C_EVENT && type != CTRL_BREAK_EVENT)
        return FALSE; // closing the console or ending the session: the default, the program ends
    ::SetEvent(InterruptEvent());
    return TRUE;
}

// Installs the handler once for the process; the system's error code when it cannot (0: done).
DWORD InstallHandler()
{
    static const DWORD error = [] {
        if (InterruptEvent() == nullptr)
            return ::GetLastError();
        return ::SetConsoleCtrlHandler(OnConsoleControl, TRUE) ? DWORD{0} : ::GetLastError();
    }();
    return error;
}
} // namespace

// Windows hands Ctrl+C to a handler thread, not to whichever thread runs: installing the handler
// first thing is what blocking the signals is on POSIX.
void InterruptWatcher::BlockSignals()
{
    InstallHandler();
}

InterruptWatcher::InterruptWatcher(QObject *parent) : QObject(parent)
{
    if (const DWORD error = InstallHandler(); error != 0) {
        // Without the handler Ctrl+C keeps its default action: the program ends at once.
        ReportUnwatched(QString::fromStdString(std::system_category().message(static_cast<int>(error))));
        return;
    }
    auto *notifier = new QWinEventNotifier(InterruptEvent(), this);
    connect(notifier, &QWinEventNotifier::activated, this, [this] {
        ::ResetEvent(InterruptEvent());
        Deliver();
    });
}

} // namespace zok::cli
