#include "StopRequestWatcher.h"

#include <QWinEventNotifier>

// The event stays set while a request waits.
void StopRequestWatcher::watch(zok::StopRequestHandle event)
{
    if (event == nullptr)
        return;
    auto *notifier = new QWinEventNotifier(event, this);
    connect(notifier, &QWinEventNotifier::activated, this, &StopRequestWatcher::onHandle);
}
