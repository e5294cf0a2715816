#include "Watchdog.h"

Watchdog::Watchdog(std::chrono::milliseconds limit, std::function<void(std::chrono::milliseconds)> onHang)
    : m_limit(limit), m_onHang(std::move(onHang)), m_lastBeat(Clock::now().time_since_epoch().count())
{
    m_thread = std::thread([this] { Watch(); });
}

Watchdog::~Watchdog()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void Watchdog::Beat()
{
    const Clock::time_point now = Clock::now();
    const Clock::time_point last{Clock::duration(m_lastBeat.exchange(now.time_since_epoch().count()))};
    const auto gap = std::chrono::duration_cast<std::chrono::milliseconds>(now - last).count();
    if (gap > m_longest.load())
        m_longest.store(gap);
}

void Watchdog::Watch()
{
    std::unique_lock lock(m_mutex);
    while (!m_wake.wait_for(lock, std::chrono::milliseconds(100), [this] { return m_stopping; })) {
        const Clock::time_point last{Clock::duration(m_lastBeat.load())};
        const auto silent = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - last);
        if (silent > m_limit) {
            m_onHang(silent);
            return;
        }
    }
}
