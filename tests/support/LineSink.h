#pragma once

#include "CSerialEx.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

namespace zok::test {

// What the listener reported, for a test to wait on.
class LineSink : public IListenerSink
{
public:
    void OnPortEvent(std::uint32_t, long) override
    {
        std::lock_guard lock(m_mutex);
        ++m_reads;
        m_changed.notify_all();
    }
    void PostFrame(ReceivedFrame frame) override
    {
        std::lock_guard lock(m_mutex);
        m_frames.push_back(std::move(frame.text));
        m_changed.notify_all();
    }
    void OnPortLost(long error) override
    {
        std::lock_guard lock(m_mutex);
        m_lost.push_back(error);
        m_changed.notify_all();
    }

    // Waits (10 s at most, for a wedged line) until `count` frames have arrived; returns them all.
    std::vector<std::string> WaitForFrames(std::size_t count)
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait_for(lock, std::chrono::seconds(10), [&] { return m_frames.size() >= count; });
        return m_frames;
    }
    // Waits (10 s at most) until the listener has read bytes `count` times; false if it has not.
    bool WaitForReads(int count)
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::seconds(10), [&] { return m_reads >= count; });
    }
    std::vector<long> WaitForLoss()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait_for(lock, std::chrono::seconds(10), [&] { return !m_lost.empty(); });
        return m_lost;
    }
    std::vector<std::string> Frames()
    {
        std::lock_guard lock(m_mutex);
        return m_frames;
    }
    std::vector<long> Losses()
    {
        std::lock_guard lock(m_mutex);
        return m_lost;
    }
    int Reads()
    {
        std::lock_guard lock(m_mutex);
        return m_reads;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::string> m_frames;
    std::vector<long> m_lost;
    int m_reads = 0;
};

// A port with a listener, as the window's layers build it, without Qt.
class ListeningPort : public CSerialEx
{
public:
    ~ListeningPort() override { Close(); }
    LineSink sink;

protected:
    IListenerSink &ListenerSink() override { return sink; }
};

} // namespace zok::test
