#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zok::sim {

// Two-digit hexadecimal fields as the receivers read and write them on the line.
class HexText
{
public:
    // "%02X": two upper-case digits.
    static std::string byte(std::uint8_t value);
    // The value of two upper-case hexadecimal digits; lower case is refused, as on the line.
    static std::optional<std::uint8_t> parseByte(std::string_view pair);
    static bool isUpperHex(std::string_view text);
    // Turns the letters A-F into a-f, leaving everything else alone.
    static std::string toLower(std::string_view text);
};

} // namespace zok::sim
