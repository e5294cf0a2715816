#pragma once

#include <chrono>
#include <cstdint>
#include <string>

// One chaos run: which seed, how many user actions, and the limits checked.
struct ChaosOptions
{
    std::uint32_t seed = 1;
    std::uint64_t actions = 500;
    // How long the event loop may stay without answering before the run fails.
    std::chrono::milliseconds hangLimit{2000};
    // How long after the last action the exchange must be back to Idle: the longest exchange
    // (a speed detection's five attempts and its read, or a write) with room for a slow build.
    std::chrono::milliseconds idleLimit{8000};
    // Print every action as it happens.
    bool verbose = false;
    // Where the run writes its decisions (one a line, flushed at once).
    std::string recordPath;
    // When set, the decisions are taken from this record instead of being drawn; `seed` and
    // `actions` then play no part.
    std::string replayPath;
    // Fail a run that did not go through what a run must (see chaos::Shortfalls).
    bool checkTotals = true;
};
