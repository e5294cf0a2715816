#pragma once

#include "ReceivedFrame.h"
#include "SerialEvents.h"
#include "TsanHandoff.h"

#include <QEvent>
#include <utility>
#include <vector>

namespace zok {

// Carries the frames cut from one read (never none), oldest first, from the listener thread to
// the target: one event per read rather than per frame, so a busy line costs one event delivery
// per burst. The event owns them, so they are freed with the event whoever handles (or drops) it.
class FrameReceivedEvent : public QEvent
{
public:
    explicit FrameReceivedEvent(std::vector<ReceivedFrame> frames)
        : QEvent(WM_FRAME_RECEIVED), m_frames(std::move(frames))
    {
    }

    // The frames were built on the listener thread; they are read and freed on the target's.
    ~FrameReceivedEvent() override { TsanAcquire(this); }
    const std::vector<ReceivedFrame> &Frames() const
    {
        TsanAcquire(this);
        return m_frames;
    }

private:
    std::vector<ReceivedFrame> m_frames;
};

} // namespace zok
