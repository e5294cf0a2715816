#include "FramePoster.h"

#include "FrameReceivedEvent.h"
#include "PortLostEvent.h"
#include "TsanHandoff.h"

#include <QCoreApplication>
#include <utility>
#include <vector>

namespace zok {

void FramePoster::PostFrame(ReceivedFrame frame)
{
    std::vector<ReceivedFrame> batch;
    batch.push_back(std::move(frame));
    PostFrames(std::move(batch));
}

void FramePoster::PostFrames(std::vector<ReceivedFrame> frames)
{
    if (frames.empty())
        return;
    if (QObject *target = m_target.load()) {
        auto *event = new FrameReceivedEvent(std::move(frames));
        TsanRelease(event);
        QCoreApplication::postEvent(target, event);
    }
}

void FramePoster::OnPortLost(long error)
{
    if (QObject *target = m_target.load())
        QCoreApplication::postEvent(target, new PortLostEvent(error));
}

} // namespace zok

// The event's own header is written here and read by Qt's delivery before any code of ours can
// mark the hand-off; the payload is covered by TsanRelease/TsanAcquire. Races anywhere else are
// still reported.
#ifdef ZOK_TSAN
extern "C" const char *__tsan_default_suppressions()
{
    return "race:zok::FramePoster::PostFrame\n"
           "race:zok::FramePoster::PostFrames\n"
           "race:zok::FramePoster::OnPortLost\n";
}
#endif
