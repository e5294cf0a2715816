#include "ActionLog.h"

#include <cstdio>

void ActionLog::Add(const std::string &action)
{
    const std::lock_guard lock(m_mutex);
    ++m_count;
    m_last.push_back(std::to_string(m_count) + " " + action);
    if (m_last.size() > kKept)
        m_last.pop_front();
}

void ActionLog::Dump(const std::string &reason) const
{
    // try_lock: a dump from a crash handler must not wait for a thread that will never go on.
    std::unique_lock lock(m_mutex, std::try_to_lock);
    std::fprintf(stderr, "\nCHAOS FAILURE: %s\n%s, after %llu actions; the last ones:\n", reason.c_str(),
                 m_run.c_str(), static_cast<unsigned long long>(m_count));
    for (const std::string &line : m_last)
        std::fprintf(stderr, "  %s\n", line.c_str());
    if (!m_replay.empty())
        std::fprintf(stderr, "replay: %s\n", m_replay.c_str());
    std::fflush(stderr);
}

std::uint64_t ActionLog::Count() const
{
    const std::lock_guard lock(m_mutex);
    return m_count;
}
