#include "ReceivedFrame.h"

#include <windows.h>

namespace zok {

FrameTime FrameTime::Now()
{
    SYSTEMTIME local{};
    ::GetLocalTime(&local);
    FrameTime t;
    t.year = local.wYear;
    t.month = local.wMonth;
    t.dayOfWeek = local.wDayOfWeek;
    t.day = local.wDay;
    t.hour = local.wHour;
    t.minute = local.wMinute;
    t.second = local.wSecond;
    t.millisecond = local.wMilliseconds;
    return t;
}

} // namespace zok
