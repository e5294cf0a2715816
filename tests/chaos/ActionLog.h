#pragma once

#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <utility>

// Which run this is ("seed 5", or the record it replays) and its last actions, kept so that any
// failure (an invariant, the watchdog, a sanitizer report) can print what led to it. Any thread
// may add or dump.
class ActionLog
{
public:
    static constexpr std::size_t kKept = 50;

    explicit ActionLog(std::string run) : m_run(std::move(run)) {}

    // The command that replays this run, printed with any failure; set once before the run.
    void SetReplayCommand(std::string command) { m_replay = std::move(command); }

    void Add(const std::string &action);
    // Prints the reason, the run and the last actions on standard error.
    void Dump(const std::string &reason) const;
    std::uint64_t Count() const;

private:
    const std::string m_run;
    std::string m_replay;
    mutable std::mutex m_mutex; // protects the members below
    std::deque<std::string> m_last;
    std::uint64_t m_count = 0;
};
