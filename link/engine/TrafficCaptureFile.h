#pragma once

#include "TrafficCapture.h"
#include "TrafficCaptureText.h"

#include <QFile>
#include <QObject>
#include <QString>

#include <vector>

namespace zok {

// Writes the header and every frame of `capture` to `path` through a temporary file beside it
// that takes its place only once complete: `path` is then either its old self or the whole
// capture, never half of it. Returns an empty text on success, else the reason.
QString SaveTrafficCapture(const QString &path, const CaptureHeader &header, const TrafficCapture &capture);

// A capture written while it happens (zok-cli --trace): the header at once, then each frame
// observed, one flushed line at a time. Frames captured in one turn of the event loop are
// written at the end of it in time order, so a frame read while a command was being sent still
// comes before it.
class TrafficTraceWriter : public QObject
{
public:
    explicit TrafficTraceWriter(QObject *parent = nullptr) : QObject(parent) {}
    ~TrafficTraceWriter() override;

    // Creates (or empties) `path` and writes the header; false, with the reason, when it cannot.
    bool Open(const QString &path, const CaptureHeader &header, QString &error);
    bool IsOpen() const { return m_file.isOpen(); }
    // Takes a frame to write; the capture's observer.
    void Add(const CapturedFrame &frame);
    // Writes what is waiting now.
    void Flush();

protected:
    bool event(QEvent *event) override;

private:
    QFile m_file;
    std::vector<CapturedFrame> m_pending;
    bool m_flushPosted = false;
    std::int64_t m_previousMs = -1;
};

} // namespace zok
