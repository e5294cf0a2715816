#include "FrameMonitor.h"

#include "ExchangeEvents.h"

namespace zok::cli {

bool FrameMonitor::event(QEvent *event)
{
    const auto type = event->type();
    if (type == WM_SCAN_ADDRESS) {
        if (m_scan)
            m_scan(static_cast<ScanAddressEvent *>(event)->address());
    } else if (type == WM_TAG_FRAME || type == WM_RADIO_FRAME || type == WM_FILTER_FRAME) {
        const auto *frame = static_cast<ForwardedFrameEvent *>(event);
        if (m_frame)
            m_frame(frame->text(), frame->received());
    } else {
        return QObject::event(event);
    }
    Q_EMIT Activity();
    return true;
}

} // namespace zok::cli
