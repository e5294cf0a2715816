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

// What the listener made of bytes it read: a frame, or bytes it dropped (FrameCutter).
enum class FrameKind : std::uint8_t {
    Frame,     // the text between "[" and "]"
    Malformed, // stray bytes outside any frame, or a frame cut short by a new "[" (with its "[")
    Overlong,  // the first bytes of a frame over the length cap, from its "["
};

// One frame as the listener cut it: the text between "[" and "]", and when "]" was read.
struct ReceivedFrame
{
    std::string text;
    FrameTime time;
    // The same moment in milliseconds since 1970-01-01 UTC: orders it among frames sent and
    // keeps its time-zone offset recoverable.
    std::int64_t epochMs = 0;
    FrameKind kind = FrameKind::Frame;
};

} // namespace zok
