#pragma once

#include <cstdint>
#include <deque>
#include <mutex>
#include <string>

// The run's seed and its last actions, kept so that any failure (an invariant, the watchdog, a
// sanitizer report) can print what led to it. Any thread may add or dump.
class ActionLog
{
public:
    static constexpr std::size_t kKept = 50;

    explicit ActionLog(std::uint32_t seed) : m_seed(seed) {}

    void Add(const std::string &action);
    // Prints the reason, the seed and the last actions on standard error.
    void Dump(const std::string &reason) const;
    std::uint64_t Count() const;
    std::uint32_t Seed() const { return m_seed; }

private:
    const std::uint32_t m_seed;
    mutable std::mutex m_mutex; // protects the members below
    std::deque<std::string> m_last;
    std::uint64_t m_count = 0;
};
