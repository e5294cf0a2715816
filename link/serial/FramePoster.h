#pragma once

#include "IListenerSink.h"

#include <QObject>
#include <atomic>

namespace zok {

// Turns the listener's calls into events posted to a target object, which handles them on its
// own thread. Clearing the target stops all posting at once, even while the listener still runs.
class FramePoster : public IListenerSink
{
public:
    void SetTarget(QObject *target) { m_target.store(target); }
    QObject *Target() const { return m_target.load(); }

    void OnPortEvent(std::uint32_t, long) override {}
    void PostFrame(ReceivedFrame frame) override;
    // One event for the whole batch.
    void PostFrames(std::vector<ReceivedFrame> frames) override;
    void OnPortLost(long error) override;

private:
    // Written on the owner's thread, read on the listener thread.
    std::atomic<QObject *> m_target{nullptr};
};

} // namespace zok
