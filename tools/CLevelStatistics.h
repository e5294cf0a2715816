#pragma once

#include <cstdint>

// Minimum, mean and maximum of the levels received since the statistics were last reset.
class CLevelStatistics
{
public:
    void add(int level);
    void reset() { *this = CLevelStatistics{}; }

    bool empty() const { return m_count == 0; }
    std::int64_t count() const { return m_count; }
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    // 0 when empty.
    double mean() const;

private:
    std::int64_t m_count = 0;
    std::int64_t m_sum = 0;
    int m_minimum = 0;
    int m_maximum = 0;
};
