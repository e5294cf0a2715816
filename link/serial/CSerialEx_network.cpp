// The listener of CSerialEx on a network line, the same on every system: it sleeps until the
// connection has bytes or the stop event is signalled, takes what the line decoded, and cuts and
// hands over frames as the device listeners do, with the same pause on a busy line.
#include "CSerialEx.h"

#include "CTcpLine.h"
#include "CutFrames.h"
#include "FrameCutter.h"

namespace zok {

namespace {
constexpr std::size_t kReadChunk = 4096;

// Takes the data the line holds; `readAny` tells whether there was any. Returns 0, or why the
// line is gone. Bytes that carried only telnet commands leave nothing to take.
long DrainLine(CTcpLine &line, FrameCutter &cutter, IListenerSink &sink, bool &readAny)
{
    char buffer[kReadChunk];
    readAny = false;
    for (;;) {
        std::size_t count = 0;
        if (const long code = line.Receive(buffer, sizeof buffer, count))
            return code;
        if (count == 0)
            return kSerialOk;
        readAny = true;
        sink.OnPortEvent(kEvRxChar, kSerialOk);
        CutFrames(buffer, count, cutter, sink);
        if (count < sizeof buffer)
            return kSerialOk;
    }
}
} // namespace

void CSerialEx::NetworkListenerLoop(CTcpLine &line, NativeHandle stop, IListenerSink &sink)
{
    FrameCutter cutter;
    const StopEventToken stopToken = WaitToken(stop);
    long lost = kSerialOk;
    while (lost == kSerialOk) {
        const NetWake wake = line.WaitInput(kInfinite, stopToken);
        m_wakeups.fetch_add(1, std::memory_order_relaxed);
        if (wake == NetWake::Stopped)
            break;
        if (wake == NetWake::Failed) {
            lost = kErrorConnectionClosed;
            break;
        }
        bool readAny = false;
        lost = DrainLine(line, cutter, sink, readAny);
        // A busy line: let the next bytes gather, unless an answer is awaited.
        if (lost == kSerialOk && readAny && !PromptDelivery() &&
            WaitForStopEvent(stopToken, kBusyLinePauseMs))
            break;
    }
    line.SetListening(false);
    if (lost != kSerialOk)
        sink.OnPortLost(lost);
    m_listening.store(false);
}

} // namespace zok
