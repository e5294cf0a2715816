#include "FloodProbe.h"

#include "FrameReceivedEvent.h"

#include <QAbstractItemView>
#include <QDateTime>

#include <cstring>

namespace {
std::int64_t EpochMs(const zok::FrameTime &t)
{
    const QDateTime time(QDate(t.year, t.month, t.day), QTime(t.hour, t.minute, t.second, t.millisecond));
    return time.toMSecsSinceEpoch();
}
} // namespace

FloodProbe::FloodProbe(QObject &dispatcher, QAbstractItemView &traffic)
    : m_dispatcher(dispatcher), m_traffic(traffic)
{
    m_dispatcher.installEventFilter(this);
    m_traffic.viewport()->installEventFilter(this);
    // Every frame adds one line; once the model has rows for them, the next paint shows them.
    connect(m_traffic.model(), &QAbstractItemModel::rowsInserted, this,
            [this] { m_inModel = m_unpainted.size(); });
}

bool FloodProbe::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_dispatcher && event->type() == zok::WM_FRAME_RECEIVED) {
        // Every frame of the batch counts. Those of one read share their time stamp: converting
        // it once keeps the probe's own cost (a local-time conversion) out of the figures.
        const zok::FrameTime *converted = nullptr;
        std::int64_t receivedMs = 0;
        for (const zok::ReceivedFrame &frame : static_cast<zok::FrameReceivedEvent *>(event)->Frames()) {
            if (frame.kind != zok::FrameKind::Frame)
                continue; // bytes the listener dropped: captured, never dispatched
            if (converted == nullptr || std::memcmp(converted, &frame.time, sizeof frame.time) != 0) {
                converted = &frame.time;
                receivedMs = EpochMs(frame.time);
            }
            OnFrame(receivedMs);
        }
    } else if (watched == m_traffic.viewport() && event->type() == QEvent::Paint) {
        OnPaint();
    }
    return false;
}

void FloodProbe::OnFrame(std::int64_t receivedMs)
{
    ++m_dispatched;
    m_unpainted.push_back(receivedMs);
}

void FloodProbe::OnPaint()
{
    const std::int64_t now = QDateTime::currentMSecsSinceEpoch();
    for (; m_inModel > 0; --m_inModel) {
        m_delays.push_back(static_cast<double>(now - m_unpainted.front()));
        m_unpainted.pop_front();
    }
}
