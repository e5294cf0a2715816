#include "CLevelSeries.h"

#include <algorithm>

CLevelSeries::CLevelSeries(qint64 windowMs) : m_windowMs(std::max<qint64>(windowMs, 1)) {}

void CLevelSeries::setWindowMs(qint64 windowMs)
{
    m_windowMs = std::max<qint64>(windowMs, 1);
    if (!m_samples.empty())
        expire(m_samples.back().ms);
}

void CLevelSeries::add(qint64 ms, int level)
{
    if (!m_samples.empty())
        ms = std::max(ms, m_samples.back().ms);
    m_samples.push_back(LevelSample{ms, level});
    expire(ms);
}

void CLevelSeries::expire(qint64 nowMs)
{
    while (!m_samples.empty() && m_samples.front().ms < nowMs - m_windowMs)
        m_samples.pop_front();
}
