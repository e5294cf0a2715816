#include "CutFrames.h"

#include "FrameCutter.h"
#include "IListenerSink.h"

#include <chrono>
#include <utility>
#include <vector>

namespace zok {

namespace {

FrameKind KindOf(FrameCutter::Drop drop)
{
    return drop == FrameCutter::Drop::Overlong ? FrameKind::Overlong : FrameKind::Malformed;
}

class Batch
{
public:
    void Add(std::string text, FrameKind kind)
    {
        if (m_frames.empty()) {
            m_time = FrameTime::Now();
            m_epochMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::system_clock::now().time_since_epoch())
                            .count();
        }
        m_frames.push_back(ReceivedFrame{std::move(text), m_time, m_epochMs, kind});
    }
    void TakeDrop(FrameCutter &cutter)
    {
        if (const FrameCutter::Drop drop = cutter.PendingDrop(); drop != FrameCutter::Drop::None)
            Add(cutter.TakeDropped(), KindOf(drop));
    }
    void HandTo(IListenerSink &sink)
    {
        if (!m_frames.empty())
            sink.PostFrames(std::move(m_frames));
    }

private:
    std::vector<ReceivedFrame> m_frames;
    FrameTime m_time;
    std::int64_t m_epochMs = 0;
};

} // namespace

void CutFrames(const char *bytes, std::size_t count, FrameCutter &cutter, IListenerSink &sink)
{
    Batch batch;
    for (std::size_t i = 0; i < count; ++i) {
        const bool closed = cutter.Feed(bytes[i]);
        batch.TakeDrop(cutter);
        if (closed)
            batch.Add(cutter.TakeFrame(), FrameKind::Frame);
    }
    cutter.EndOfRead();
    batch.TakeDrop(cutter);
    batch.HandTo(sink);
}

} // namespace zok
