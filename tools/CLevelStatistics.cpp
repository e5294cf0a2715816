#include "CLevelStatistics.h"

#include <algorithm>

void CLevelStatistics::add(int level)
{
    m_minimum = m_count == 0 ? level : std::min(m_minimum, level);
    m_maximum = m_count == 0 ? level : std::max(m_maximum, level);
    m_sum += level;
    ++m_count;
}

double CLevelStatistics::mean() const
{
    return m_count == 0 ? 0.0 : static_cast<double>(m_sum) / static_cast<double>(m_count);
}
