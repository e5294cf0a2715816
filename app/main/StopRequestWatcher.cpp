#include "StopRequestWatcher.h"

StopRequestWatcher::StopRequestWatcher(QObject *parent) : QObject(parent)
{
    watch(zok::WatchStopRequests());
}

void StopRequestWatcher::onHandle()
{
    zok::ClearStopRequests();
    Q_EMIT StopRequested();
}
