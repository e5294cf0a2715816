#include "TrafficCaptureFile.h"

#include <QCoreApplication>
#include <QEvent>
#include <QSaveFile>

#include <algorithm>
#include <string_view>

namespace zok {

namespace {
// Posted to the writer itself when frames wait for the end of the event loop's turn.
constexpr auto kFlushTrace = static_cast<QEvent::Type>(QEvent::User + 45);

// Writes all of `bytes` to an unbuffered file, or leaves the file's error set. A write the
// system takes only in part is repeated for the rest; one that then takes nothing (a full disk, a
// file size limit) is the one that reports why.
bool WriteAll(QFileDevice &file, std::string_view bytes)
{
    while (!bytes.empty()) {
        const qint64 written = file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}
} // namespace

QString SaveTrafficCapture(const QString &path, const CaptureHeader &header, const TrafficCapture &capture)
{
    std::string text = FormatCaptureHeader(header);
    std::int64_t previous = capture.Frames().empty() ? 0 : capture.Frames().front().epochMs;
    for (const CapturedFrame &frame : capture.Frames()) {
        text += FormatCaptureLine(frame, previous);
        previous = frame.epochMs;
    }
    // Unbuffered: a buffered device can lose the tail of a short write without an error, and
    // its commit would then put half a file in place.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file.errorString();
    if (!WriteAll(file, text)) {
        QString error = file.errorString(); // cancelWriting replaces it
        file.cancelWriting();
        return error;
    }
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
    // Unbuffered: each line reaches the file as it is written.
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered) ||
        !WriteAll(m_file, FormatCaptureHeader(header))) {
        error = m_file.errorString();
        return false;
    }
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
        // A trace that can no longer be written (a full disk) does not stop the command.
        WriteAll(m_file, FormatCaptureLine(frame, m_previousMs < 0 ? frame.epochMs : m_previousMs));
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
