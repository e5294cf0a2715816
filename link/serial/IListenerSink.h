#pragma once

#include "ReceivedFrame.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace zok {

// What the listener thread calls. It is a separate object rather than virtual functions of the
// port because a port being destroyed rewrites its own virtual table pointer layer by layer while
// the listener may still be calling; a sink that is a member of the derived class stays intact
// until that class's destructor has stopped the listener.
class IListenerSink
{
public:
    virtual ~IListenerSink() = default;
    // Bytes arrived (kEvRxChar); called before they are cut.
    virtual void OnPortEvent(std::uint32_t events, long error) = 0;
    virtual void PostFrame(ReceivedFrame frame) = 0;
    // All frames cut from one read, oldest first, with the bytes dropped among them (kind other
    // than FrameKind::Frame). A sink that can carry them together (one posted event instead of
    // one per frame), or that wants what was dropped, overrides this; the default hands the
    // frames over one by one and nothing else.
    virtual void PostFrames(std::vector<ReceivedFrame> frames)
    {
        for (ReceivedFrame &frame : frames) {
            if (frame.kind == FrameKind::Frame)
                PostFrame(std::move(frame));
        }
    }
    // The device went away; the listener ends right after. Called at most once per start.
    virtual void OnPortLost(long error) = 0;
};

} // namespace zok
