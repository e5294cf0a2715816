#pragma once

#include <QDateTime>
#include <QString>

#include <algorithm>

namespace zok::cli {

// A reception time in ISO 8601 with milliseconds and the local offset from UTC, e.g.
// "2026-12-08T09:15:02.250+01:00", so that readings from different places sort and compare.
inline QString IsoTime(const QDateTime &when)
{
    return when.toOffsetFromUtc(when.offsetFromUtc()).toString(Qt::ISODateWithMs);
}

// The wait of a command given in seconds; 0 (no duration) waits until interrupted. A timer
// counts at most 2^31 - 1 ms (24 days): a longer wait is cut there rather than overflowing.
inline int DurationMs(double seconds)
{
    constexpr double kLongestMs = 2147483647.0;
    return seconds > 0 ? static_cast<int>(std::min(seconds * 1000.0 + 0.5, kLongestMs)) : -1;
}

} // namespace zok::cli
