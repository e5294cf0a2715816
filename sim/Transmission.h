#pragma once

#include <chrono>
#include <string>

namespace zok::sim {

using Clock = std::chrono::steady_clock;

// One piece of output waiting for its time on the line.
struct Transmission
{
    std::string bytes; // what goes on the wire, noise and brackets included
    std::string frame; // the frame text, for the record; empty for raw bytes and speed changes
    Clock::time_point due;
    int sender = -1;      // address of the receiver sending it; -1 for raw bytes injected by a test
    int switchToBaud = 0; // not output: the sender changes to this speed once its earlier output is out
};

} // namespace zok::sim
