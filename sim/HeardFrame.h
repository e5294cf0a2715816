#pragma once

#include <string>

namespace zok::sim {

// One bracketed text received from the program, with the line speed it travelled at.
struct HeardFrame
{
    std::string text; // without the brackets
    int baud = 0;     // 0 when the speed was not one of the five, or changed while it arrived
};

} // namespace zok::sim
