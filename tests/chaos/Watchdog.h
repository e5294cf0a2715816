#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// Fails the run when the user-interface thread stops answering: the thread beats (from a timer
// of its event loop, which also runs inside nested loops), and a thread of its own watches that
// the last beat is never older than the limit.
class Watchdog
{
public:
    using Clock = std::chrono::steady_clock;

    Watchdog(std::chrono::milliseconds limit, std::function<void(std::chrono::milliseconds)> onHang);
    ~Watchdog();
    Watchdog(const Watchdog &) = delete;
    Watchdog &operator=(const Watchdog &) = delete;

    void Beat();
    // The longest time between two beats so far.
    std::chrono::milliseconds LongestSilence() const { return std::chrono::milliseconds(m_longest.load()); }

private:
    void Watch();

    const std::chrono::milliseconds m_limit;
    const std::function<void(std::chrono::milliseconds)> m_onHang;
    std::atomic<Clock::rep> m_lastBeat;
    std::atomic<std::chrono::milliseconds::rep> m_longest{0};
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopping = false; // under m_mutex
    std::thread m_thread;
};
