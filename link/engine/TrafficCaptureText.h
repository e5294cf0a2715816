#pragma once

#include "TrafficCapture.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zok {

// What a capture file says of itself before its frames (docs/traffic-capture.md).
struct CaptureHeader
{
    std::string program;  // name and version of the program that captured
    std::string port;     // as the user named it
    int receiver = -1;    // the selected receiver's address; -1 when none
    std::string firmware; // its firmware version text, when a read gave it
    // For a saved ring: the frames kept, of all captured since the start (0: not said).
    std::size_t kept = 0;
    std::uint64_t captured = 0;
};

// The "#" lines of the header, each ending in "\n".
std::string FormatCaptureHeader(const CaptureHeader &header);

// One frame's line, ending in "\n": local time with milliseconds and offset, milliseconds since
// `previousMs` (the previous frame's time; the first frame passes its own), ">" sent or
// "<" received, speed, the mark if any, and the bytes.
std::string FormatCaptureLine(const CapturedFrame &frame, std::int64_t previousMs);

// Printable ASCII as it is; every other byte, and "\", as \xHH.
std::string EscapeCaptureBytes(std::string_view bytes);

// ISO 8601 local time with milliseconds and the offset from UTC: 2025-03-07T14:05:09.042+01:00.
std::string FormatCaptureTime(std::int64_t epochMs);

} // namespace zok
