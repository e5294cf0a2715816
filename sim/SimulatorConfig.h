#pragma once

#include "ReceiverConfig.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zok::sim {

// The whole line: its receivers and how the simulator behaves.
struct SimulatorConfig
{
    std::vector<ReceiverConfig> receivers{ReceiverConfig{}};
    // Send each character no faster than the wire would (11 bits at the receiver's speed).
    bool paceAtWireRate = false;
    // Seed of radio levels, noise and fault draws: the same seed gives the same run.
    std::uint32_t seed = 1;
    // Called on the simulator's thread with one line per event (commands, answers, speed changes).
    std::function<void(std::string_view)> log;

    // An empty text when the configuration can run, else what is wrong with it.
    std::string validate() const;
};

} // namespace zok::sim
