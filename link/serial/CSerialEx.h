#pragma once

#include "CSerial.h"
#include "FrameCutter.h"
#include "IListenerSink.h"
#include "ReceivedFrame.h"
#include "SerialNative.h"

#include <atomic>
#include <cstdint>
#include <thread>

namespace zok {

// Adds the listener thread. On POSIX (CSerialEx_posix.cpp) it sleeps in poll() on the port and on a stop
// eventfd (no wake-up while the line is idle), reads whatever is buffered in one go, cuts frames with
// FrameCutter and hands those of each read to PostFrames (CutFrames.cpp). When the device goes away
// (hang-up, EIO, end of file) it reports OnPortLost once and ends, instead of being woken by the
// hang-up forever. On Windows (CSerialEx_win32.cpp) it waits for an overlapped WaitCommEvent or a
// stop event, reads what the driver holds, and reports OnPortLost when the port's state can no longer be read
// or a read fails (the device was removed, or the peer hung up).
//
// On a network line (CTcpLine) the listener (CSerialEx_network.cpp, the same on every system)
// waits on the connection and the stop event together, takes the bytes the line decoded from what
// arrived, and cuts and hands them over as above; a connection the server ended is a lost port.
//
// The listener touches nothing of this object but the descriptors it was started with, its own
// atomic members and the sink, which derived classes must make safe to call from that thread.
class CSerialEx : public CSerial
{
public:
    CSerialEx() = default;
    ~CSerialEx() override;

    long Open(std::string_view portName, unsigned inQueue = 0, unsigned outQueue = 0) override;
    // Stops the listener first: the port must not be closed under a thread still reading it.
    long Close() override;

    // A second start while the listener runs does nothing.
    virtual long StartListenerThread();
    // The stop event wakes the listener at once, so this always waits for it to end (the time-out
    // is accepted for compatibility): a thread left running would outlive the port it reads.
    virtual long StopListenerThread(int timeoutMs = kInfinite);

    // While bytes keep coming, the listener pauses this long after each read before the next:
    // the frames of a busy line then travel in batches, one hand-over and one wake-up of the
    // receiving thread per batch instead of per frame. A frame after a quiet spell is read at
    // once; one that closely follows another waits at most this long, unless delivery is prompt.
    static constexpr int kBusyLinePauseMs = 5;

    // Prompt delivery: the listener never pauses, so every frame is handed over as soon as its
    // "]" is read. The owner asks for it while it waits for answers (each one holds up the next
    // command), and leaves the rest of the traffic batched. Any thread; it applies from the
    // listener's next read (a pause already begun runs to its end).
    void SetPromptDelivery(bool prompt) { m_promptDelivery.store(prompt, std::memory_order_relaxed); }
    bool PromptDelivery() const { return m_promptDelivery.load(std::memory_order_relaxed); }

    bool IsListening() const { return m_listening.load(); }
    // How often the listener's wait returned; lets tests and benchmarks see it never spins.
    std::uint64_t ListenerWakeups() const { return m_wakeups.load(); }

protected:
    // Asked once per start, on the caller's thread. The sink must outlive the listener: a member
    // of the derived class whose destructor closes the port.
    virtual IListenerSink &ListenerSink() = 0;

private:
    void ListenerLoop(NativeHandle portFd, NativeHandle stopFd, IListenerSink &sink);
    void NetworkListenerLoop(CTcpLine &line, NativeHandle stop, IListenerSink &sink);
    // Puts the stop event back to "not signalled" before a new start (one per system).
    static void ClearStopEvent(NativeHandle stop);

    std::thread m_thread;
    OwnedHandle m_stopEvent;
    std::atomic<bool> m_listening{false};
    std::atomic<bool> m_promptDelivery{false};
    std::atomic<std::uint64_t> m_wakeups{0};
};

} // namespace zok
