#include "StopRequests.h"

#include <mutex>
#include <windows.h>

namespace zok {

namespace {

// The console calls the handler on a thread of its own; it only sets the event. Created once,
// never closed: the handler may run at any time until the end.
HANDLE g_event = nullptr;

BOOL WINAPI OnConsoleControl(DWORD type)
{
    switch (type) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
        ::SetEvent(g_event);
        return TRUE;
    case CTRL_CLOSE_EVENT:
        // The system ends the process as soon as this returns: wait instead, and let the
        // program's own end (or the system's time limit) end this thread.
        ::SetEvent(g_event);
        ::Sleep(INFINITE);
        return TRUE;
    default:
        return FALSE;
    }
}

void Install()
{
    g_event = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (g_event != nullptr)
        ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

} // namespace

StopRequestHandle WatchStopRequests()
{
    static std::once_flag once;
    std::call_once(once, Install);
    return g_event;
}

void ClearStopRequests()
{
    if (g_event != nullptr)
        ::ResetEvent(g_event);
}

} // namespace zok
