// The data path of CSerial on Windows: overlapped reads, writes and event waits, each with a
// completion event of its own (the listener's reads and the caller's writes never share one),
// bounded by the caller's time-out.
#include "CSerial.h"

namespace zok {

namespace {
constexpr int kFallbackBaud = 9600;
constexpr int kCommandGraceMs = 1000;
constexpr int kBitsPerCharacter = 11; // start, 8 data, 2 stop

long LastSystemError()
{
    return static_cast<long>(::GetLastError());
}

// Finishes an overlapped operation that `started` began. Pending: waits up to the time-out; on
// time-out cancels it (and purges what `purge` names) and returns kErrorTimeout. The structure
// lives on the caller's stack, so a cancelled operation is waited for before returning.
long Finish(HANDLE port, BOOL started, OVERLAPPED &ov, DWORD &transferred, int timeoutMs, DWORD purge)
{
    if (!started && ::GetLastError() != ERROR_IO_PENDING)
        return LastSystemError();
    const DWORD wait =
        ::WaitForSingleObject(ov.hEvent, timeoutMs < 0 ? INFINITE : static_cast<DWORD>(timeoutMs));
    if (wait == WAIT_OBJECT_0)
        return ::GetOverlappedResult(port, &ov, &transferred, FALSE) ? kSerialOk : LastSystemError();
    const long code = wait == WAIT_TIMEOUT ? kErrorTimeout : LastSystemError();
    ::CancelIoEx(port, &ov);
    if (purge != 0)
        ::PurgeComm(port, purge);
    ::GetOverlappedResult(port, &ov, &transferred, TRUE);
    return code;
}
} // namespace

int CSerial::CommandTimeoutMs(std::size_t length)
{
    DCB dcb{};
    int baud = LoadSettings(dcb) == kSerialOk ? static_cast<int>(dcb.BaudRate) : 0;
    if (baud <= 0)
        baud = kFallbackBaud;
    const auto wireMs = static_cast<long long>(length) * kBitsPerCharacter * 1000 / baud + 1;
    return kCommandGraceMs + static_cast<int>(wireMs);
}

long CSerial::WriteDevice(const void *data, std::size_t length, std::size_t *written, int timeoutMs)
{
    if (written)
        *written = 0;
    if (!IsOpen())
        return Fail(kErrorInvalidHandle);
    const int limit = timeoutMs == kCommandTimeout ? CommandTimeoutMs(length) : timeoutMs;
    OwnedHandle done(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!done.Valid())
        return Fail(LastSystemError());
    OVERLAPPED ov{};
    ov.hEvent = done.Get();
    DWORD transferred = 0;
    const BOOL started = ::WriteFile(m_fd.Get(), data, static_cast<DWORD>(length), &transferred, &ov);
    // A half command must never go out later: on time-out the unsent output is discarded.
    const long code = Finish(m_fd.Get(), started, ov, transferred, limit, PURGE_TXABORT | PURGE_TXCLEAR);
    if (written)
        *written = transferred;
    return Fail(code);
}

long CSerial::ReadDevice(void *buffer, std::size_t length, std::size_t *bytesRead, int timeoutMs)
{
    if (bytesRead)
        *bytesRead = 0;
    if (!IsOpen())
        return Fail(kErrorInvalidHandle);
    OwnedHandle done(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!done.Valid())
        return Fail(LastSystemError());
    OVERLAPPED ov{};
    ov.hEvent = done.Get();
    DWORD transferred = 0;
    const BOOL started = ::ReadFile(m_fd.Get(), buffer, static_cast<DWORD>(length), &transferred, &ov);
    const long code = Finish(m_fd.Get(), started, ov, transferred, timeoutMs, 0);
    if (bytesRead)
        *bytesRead = transferred;
    return Fail(code);
}

long CSerial::WaitForEventDevice(int timeoutMs)
{
    if (!IsOpen())
        return Fail(kErrorInvalidHandle);
    OwnedHandle done(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!done.Valid())
        return Fail(LastSystemError());
    OVERLAPPED ov{};
    ov.hEvent = done.Get();
    DWORD events = 0;
    DWORD unused = 0;
    m_lastEvent = 0;
    const BOOL started = ::WaitCommEvent(m_fd.Get(), &events, &ov);
    const long code = Finish(m_fd.Get(), started, ov, unused, timeoutMs, 0);
    if (code == kSerialOk)
        m_lastEvent = events;
    return Fail(code);
}

} // namespace zok
