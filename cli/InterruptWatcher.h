#pragma once

#include "UniqueFd.h"

#include <QObject>

class QSocketNotifier;

namespace zok::cli {

// Ctrl+C (SIGINT) and SIGTERM as an event of the event loop, so that a long command ends
// cleanly: files closed, the last line complete. BlockSignals must run first thing in main,
// before any thread starts, so that every thread leaves the signals to this watcher.
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
    void Drain();

    zok::UniqueFd m_fd;
    QSocketNotifier *m_notifier = nullptr;
    bool m_interrupted = false;
};

} // namespace zok::cli
