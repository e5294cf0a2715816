#pragma once

#include "Transmission.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string_view>

namespace zok::sim {

// Puts transmissions on the line in the order of their due time, one at a time, each character
// no earlier than the wire allows when pacing is on.
class LineWriter
{
public:
    struct Hooks
    {
        // Called when a transmission gets the line; false drops it (speed mismatch, or a speed
        // change that the hook carried out and that has no bytes).
        std::function<bool(const Transmission &)> begin;
        // Time of one character of this transmission; zero writes it all at once.
        std::function<std::chrono::nanoseconds(const Transmission &)> characterTime;
        std::function<void(std::string_view)> write;
    };

    explicit LineWriter(Hooks hooks) : hooks_(std::move(hooks)) {}

    void push(Transmission transmission);
    // Writes what is due at `now`; returns when it next has something to do.
    std::optional<Clock::time_point> pump(Clock::time_point now);

private:
    // Writes the characters of the current transmission that are due; true once it is complete.
    bool continueCurrent(Clock::time_point now);

    Hooks hooks_;
    std::multimap<Clock::time_point, Transmission> queue_; // equal times keep their order
    std::optional<Transmission> current_;
    std::size_t sent_ = 0;
    Clock::time_point start_;
    std::chrono::nanoseconds characterTime_{0};
    Clock::time_point lineFree_;
};

} // namespace zok::sim
