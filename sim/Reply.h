#pragma once

#include <string>
#include <vector>

namespace zok::sim {

// What one receiver sends in answer to one command, before any fault is applied.
struct Reply
{
    std::vector<std::string> frames; // frame texts, without brackets, in order
    int switchToBaud = 0;            // a speed write: change to this speed once the frames are out
};

} // namespace zok::sim
