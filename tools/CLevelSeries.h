#pragma once

#include "LevelSample.h"

#include <deque>

// The levels shown by the radio scan plot: every level received, in the order received, over a
// sliding time window. Times come from the caller's clock, so tests decide how time passes.
class CLevelSeries
{
public:
    static constexpr qint64 kDefaultWindowMs = 120000;

    explicit CLevelSeries(qint64 windowMs = kDefaultWindowMs);

    qint64 windowMs() const { return m_windowMs; }
    void setWindowMs(qint64 windowMs);

    // Appends a level. A clock that steps back (the wall clock set back) must not reorder the
    // series, so such a sample takes the time of the newest one.
    void add(qint64 ms, int level);
    // Drops the samples older than the window ending at `nowMs`.
    void expire(qint64 nowMs);
    void clear() { m_samples.clear(); }

    const std::deque<LevelSample> &samples() const { return m_samples; }

private:
    qint64 m_windowMs;
    std::deque<LevelSample> m_samples;
};
