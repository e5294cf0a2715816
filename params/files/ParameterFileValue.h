#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zok {

// The byte of a parameter-file value, read as leniently as the files have always been read: an
// unsigned hexadecimal number with optional leading white space, an optional sign and an optional
// "0x" prefix, digits of either case, of which the low byte counts ("1FF" gives FF, "-1" gives FF).
// The number is taken as 32 bits, as the files' original platform did, so a value too large reads
// as FFFFFFFF on every machine. Empty texts, texts without a digit and texts with anything after
// the digits (a trailing blank included) give no value.
std::optional<std::uint8_t> ParseParameterFileValue(std::string_view text);

} // namespace zok
