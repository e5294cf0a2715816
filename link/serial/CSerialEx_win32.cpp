// The listener of CSerialEx on Windows: an overlapped WaitCommEvent and the stop event, waited
// for together; nothing runs while the line is idle (unless the driver cannot wait for events:
// then the line is polled every few milliseconds).
#include "CSerialEx.h"

#include "CutFrames.h"
#include "FrameCutter.h"

#include <functional>
#include <system_error>

namespace zok {

namespace {
constexpr DWORD kReadChunk = 4096;
// After a wait that failed on a port that still answers: the pause before the next read and wait.
constexpr DWORD kFailedWaitPauseMs = 10;

long LastSystemError()
{
    return static_cast<long>(::GetLastError());
}

bool PortStillThere(HANDLE port)
{
    DWORD errors = 0;
    COMSTAT status{};
    return ::ClearCommError(port, &errors, &status) != 0;
}

// Reads exactly what the driver holds, so no read can block whatever read mode the owner set;
// `readAny` tells whether there was anything. Returns 0, or the error that means the port is gone.
long DrainInput(HANDLE port, HANDLE readDone, FrameCutter &cutter, IListenerSink &sink, bool &readAny)
{
    char buffer[kReadChunk];
    readAny = false;
    for (;;) {
        DWORD errors = 0;
        COMSTAT status{};
        if (!::ClearCommError(port, &errors, &status))
            return LastSystemError();
        if (status.cbInQue == 0)
            return kSerialOk;
        OVERLAPPED ov{};
        ov.hEvent = readDone;
        ::ResetEvent(readDone);
        DWORD count = 0;
        const DWORD wanted = status.cbInQue < kReadChunk ? status.cbInQue : kReadChunk;
        if (!::ReadFile(port, buffer, wanted, &count, &ov)) {
            if (::GetLastError() != ERROR_IO_PENDING || !::GetOverlappedResult(port, &ov, &count, TRUE))
                return LastSystemError();
        }
        if (count == 0)
            return kSerialOk;
        readAny = true;
        sink.OnPortEvent(kEvRxChar, kSerialOk);
        CutFrames(buffer, count, cutter, sink);
    }
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
    m_stopEvent.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!m_stopEvent.Valid()) {
        const long code = LastSystemError();
        CSerial::Close();
        return SetLastError(code);
    }
    return SetLastError(kSerialOk);
}

void CSerialEx::ClearStopEvent(NativeHandle stop)
{
    ::ResetEvent(stop);
}

long CSerialEx::StopListenerThread(int)
{
    if (m_thread.joinable()) {
        ::SetEvent(m_stopEvent.Get());
        m_thread.join();
        ::ResetEvent(m_stopEvent.Get());
    }
    return SetLastError(kSerialOk);
}

// A port whose state can no longer be read, a failed read, or a wait that cannot be started ends
// the listener with one OnPortLost: a removed USB adapter gives ERROR_ACCESS_DENIED,
// ERROR_BAD_COMMAND or ERROR_OPERATION_ABORTED, a peer that hung up ERROR_BROKEN_PIPE, and going
// on would only fail the same way again, at once, forever.
void CSerialEx::ListenerLoop(HANDLE port, HANDLE stop, IListenerSink &sink)
{
    OwnedHandle waitDone(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    OwnedHandle readDone(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    FrameCutter cutter;
    long lost = waitDone.Valid() && readDone.Valid() ? kSerialOk : LastSystemError();
    while (lost == kSerialOk) {
        OVERLAPPED ov{};
        ov.hEvent = waitDone.Get();
        ::ResetEvent(waitDone.Get());
        DWORD events = 0;
        if (!::WaitCommEvent(port, &events, &ov) && ::GetLastError() != ERROR_IO_PENDING) {
            lost = LastSystemError();
            break;
        }
        const HANDLE handles[2] = {stop, waitDone.Get()};
        const DWORD woken = ::WaitForMultipleObjects(2, handles, FALSE, INFINITE);
        m_wakeups.fetch_add(1, std::memory_order_relaxed);
        DWORD unused = 0;
        if (woken != WAIT_OBJECT_0 + 1) {
            const long failure = woken == WAIT_OBJECT_0 ? kSerialOk : LastSystemError();
            // Stop asked (or the wait itself failed): end the pending wait before its structure
            // goes out of scope.
            ::CancelIoEx(port, &ov);
            ::GetOverlappedResult(port, &ov, &unused, TRUE);
            lost = failure;
            break;
        }
        // A wait can also end aborted while the device is still there (Windows when the owner
        // changes the mask; Wine at once, every time, on a line without modem lines such as a
        // pseudo-terminal): the port counts as lost only when its state cannot be read either
        // (a removed adapter, a hung-up line) or a read fails. Until then the line is read by
        // polling, so a line whose waits always fail is still heard and the loop does not spin.
        const bool waited = ::GetOverlappedResult(port, &ov, &unused, FALSE) != 0;
        if (!waited && !PortStillThere(port))
            lost = LastSystemError();
        bool readAny = false;
        if (lost == kSerialOk)
            lost = DrainInput(port, readDone.Get(), cutter, sink, readAny);
        // A busy line: let the next bytes gather, then read them, until a read finds nothing
        // (only then does a new wait start, as before); not while an answer is awaited.
        bool stopped = false;
        while (lost == kSerialOk && readAny && !stopped && !PromptDelivery()) {
            const DWORD paused = ::WaitForSingleObject(stop, static_cast<DWORD>(kBusyLinePauseMs));
            if (paused == WAIT_OBJECT_0)
                stopped = true;
            else if (paused != WAIT_TIMEOUT)
                lost = LastSystemError();
            else
                lost = DrainInput(port, readDone.Get(), cutter, sink, readAny);
        }
        if (stopped)
            break;
        if (lost == kSerialOk && !waited && ::WaitForSingleObject(stop, kFailedWaitPauseMs) == WAIT_OBJECT_0)
            break;
    }
    if (lost != kSerialOk)
        sink.OnPortLost(lost);
    m_listening.store(false);
}

} // namespace zok
