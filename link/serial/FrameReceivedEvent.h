#pragma once

#include "ReceivedFrame.h"
#include "SerialEvents.h"
#include "TsanHandoff.h"

#include <QEvent>
#include <utility>

namespace zok {

// Carries one frame from the listener thread to the target; the event owns it, so the frame is
// freed with the event whoever handles (or drops) it.
class FrameReceivedEvent : public QEvent
{
public:
    explicit FrameReceivedEvent(ReceivedFrame frame) : QEvent(WM_FRAME_RECEIVED), m_frame(std::move(frame)) {}

    // The frame was built on the listener thread; it is read and freed on the target's.
    ~FrameReceivedEvent() override { TsanAcquire(this); }
    const ReceivedFrame &Frame() const
    {
        TsanAcquire(this);
        return m_frame;
    }

private:
    ReceivedFrame m_frame;
};

} // namespace zok
