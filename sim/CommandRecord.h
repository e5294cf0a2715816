#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zok::sim {

// One bracketed text that the program sent, and what the receivers made of it.
struct CommandRecord
{
    std::string text;                  // as received, without the brackets
    int lineBaud = 0;                  // line speed it travelled at; 0: none of the five, or changing
    std::vector<std::uint8_t> heardBy; // receivers that decoded it: same speed, not silent
    std::vector<std::string> answers;  // frame texts queued in answer, after lost/duplicated frames
};

} // namespace zok::sim
