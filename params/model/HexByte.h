#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zok {

// Two upper-case hexadecimal digits, as every byte travels on the line and in the files.
std::string FormatHexByte(std::uint8_t value);

// The byte of exactly two upper-case hexadecimal digits; lower case and anything else refused.
std::optional<std::uint8_t> ParseUpperHexByte(std::string_view digits);

} // namespace zok
