#pragma once

#include "CommandRecord.h"
#include "HeardFrame.h"
#include "Receiver.h"
#include "ReceiverConfig.h"
#include "Transmission.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace zok::sim {

// The receivers sharing the line: who hears a command, what they answer, when they report tags.
// Pure logic on time points given by the caller; no file descriptors, no threads.
class ReceiverLine
{
public:
    struct Outcome
    {
        CommandRecord record;
        std::vector<Transmission> output;
    };

    ReceiverLine(const std::vector<ReceiverConfig> &receivers, std::uint32_t seed, Clock::time_point now);

    Outcome hear(const HeardFrame &frame, Clock::time_point now);
    // Tag reports that are due.
    std::vector<Transmission> runTimers(Clock::time_point now);
    std::optional<Clock::time_point> nextTimer() const;

    Receiver *find(std::uint8_t address);
    const std::vector<Receiver> &receivers() const { return receivers_; }
    // Restarts the report timer of a receiver whose configuration was changed.
    void reschedule(std::size_t index, Clock::time_point now);

private:
    std::vector<Receiver> receivers_;
    std::vector<std::optional<Clock::time_point>> nextReport_; // parallel to receivers_
};

} // namespace zok::sim
