#include "StopRequestWatcher.h"

#include <QSocketNotifier>

// The pipe's read end stays readable while a request waits.
void StopRequestWatcher::watch(zok::StopRequestHandle fd)
{
    if (fd < 0)
        return;
    auto *notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &StopRequestWatcher::onHandle);
}
