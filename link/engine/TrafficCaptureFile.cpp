#include "TrafficCaptureFile.h"

#include <QCoreApplication>
#include <QEvent>
#include <QSaveFile>

#include <algorithm>

namespace zok {

namespace {
// Posted to the writer itself when frames wait for the end of the event loop's turn.
constexpr auto kFlushTrace = static_cast<QEvent::Type>(QEvent::User + 45);
} // namespace

QString SaveTrafficCapture(const QString &path, const CaptureHeader &header, const TrafficCapture &capture)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    file.write(FormatCaptureHeader(header).c_str());
    std::int64_t previous = capture.Frames().empty() ? 0 : capture.Frames().front().epochMs;
    for (const CapturedFrame &frame : capture.Frames()) {
        const std::string line = FormatCaptureLine(frame, previous);
        file.write(line.data(), static_cast<qint64>(line.size()));
        previous = frame.epochMs;
    }
    // A failed write anywhere leaves the error set, and commit then keeps the old file.
    if (!file.commit())
        return file.errorString();
    return {};
}

TrafficTraceWriter::~TrafficTraceWriter()
{
    Flush();
}

bool TrafficTraceWriter::Open(const QString &path, const CaptureHeader &header, QString &error)
{
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        error = m_file.errorString();
        return false;
    }
    m_file.write(FormatCaptureHeader(header).c_str());
    m_file.flush();
    return true;
}

void TrafficTraceWriter::Add(const CapturedFrame &frame)
{
    if (!m_file.isOpen())
        return;
    m_pending.push_back(frame);
    if (!std::exchange(m_flushPosted, true))
        QCoreApplication::postEvent(this, new QEvent(kFlushTrace), Qt::LowEventPriority);
}

void TrafficTraceWriter::Flush()
{
    std::stable_sort(m_pending.begin(), m_pending.end(),
                     [](const CapturedFrame &a, const CapturedFrame &b) { return a.epochMs < b.epochMs; });
    for (const CapturedFrame &frame : m_pending) {
        const std::string line = FormatCaptureLine(frame, m_previousMs < 0 ? frame.epochMs : m_previousMs);
        m_file.write(line.data(), static_cast<qint64>(line.size()));
        m_file.flush();
        m_previousMs = frame.epochMs;
    }
    m_pending.clear();
}

bool TrafficTraceWriter::event(QEvent *event)
{
    if (event->type() != kFlushTrace)
        return QObject::event(event);
    m_flushPosted = false;
    Flush();
    return true;
}

} // namespace zok
