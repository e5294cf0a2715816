#pragma once

#include <QObject>

namespace zok::cli {

// Ctrl+C as an event of the event loop, so that a long command ends cleanly: files closed, the
// last line complete. BlockSignals must run first thing in main, before any thread starts, so
// that every thread leaves Ctrl+C to this watcher. The system's side is one file per system: on
// POSIX, SIGINT and SIGTERM read from a signalfd; on Windows, the console's Ctrl+C and Ctrl+Break
// events. When the watcher cannot be set up, Ctrl+C keeps its default action (the program ends at
// once) and a line on standard error says so.
class InterruptWatcher : public QObject
{
    Q_OBJECT

public:
    static void BlockSignals();

    explicit InterruptWatcher(QObject *parent = nullptr);
    bool Interrupted() const { return m_interrupted; }

Q_SIGNALS:
    void Interrupt();

private:
    // Called by the system's side on the event loop's thread.
    void Deliver();
    static void ReportUnwatched(const QString &reason);

    bool m_interrupted = false;
};

} // namespace zok::cli
