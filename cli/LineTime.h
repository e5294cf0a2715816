#pragma once

#include <QDateTime>
#include <QString>

namespace zok::cli {

// A reception time in ISO 8601 with milliseconds and the local offset from UTC, e.g.
// "2026-12-08T09:15:02.250+01:00", so that readings from different places sort and compare.
inline QString IsoTime(const QDateTime &when)
{
    return when.toOffsetFromUtc(when.offsetFromUtc()).toString(Qt::ISODateWithMs);
}

// The wait of a command given in seconds; 0 (no duration) waits until interrupted.
inline int DurationMs(double seconds)
{
    return seconds > 0 ? static_cast<int>(seconds * 1000.0 + 0.5) : -1;
}

} // namespace zok::cli
