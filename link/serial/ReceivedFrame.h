#pragma once

#include <cstdint>
#include <string>

namespace zok {

// Local calendar time with milliseconds, as the receivers' traffic is logged and shown.
struct FrameTime
{
    std::uint16_t year = 0;
    std::uint16_t month = 0;     // 1..12
    std::uint16_t dayOfWeek = 0; // 0 = Sunday
    std::uint16_t day = 0;       // 1..31
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint16_t millisecond = 0;

    static FrameTime Now();
};

// One frame as the listener cut it: the text between "[" and "]", and when "]" was read.
struct ReceivedFrame
{
    std::string text;
    FrameTime time;
};

} // namespace zok
