#pragma once

#include "StopRequests.h"

#include <QObject>

// Turns the system's requests to end the program (SIGTERM, SIGINT, SIGHUP; Ctrl+C in a console on
// Windows) into a signal of the event loop. Requests that arrived before it existed, once
// zok::WatchStopRequests was called, are reported as soon as the loop runs.
class StopRequestWatcher : public QObject
{
    Q_OBJECT

public:
    explicit StopRequestWatcher(QObject *parent = nullptr);

Q_SIGNALS:
    void StopRequested();

private:
    // Watches the handle with the event loop's notifier for it (one per system).
    void watch(zok::StopRequestHandle handle);
    void onHandle();
};
