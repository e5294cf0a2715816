#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zok::sim {

// A command as the receivers decode it: six upper-case hexadecimal digits, code, value, address.
// Read commands carry 00 as value; address 00 reaches every receiver on the line.
struct Command
{
    std::uint8_t code = 0;
    std::uint8_t value = 0;
    std::uint8_t address = 0;

    // Anything but exactly six upper-case hexadecimal digits is not a command.
    static std::optional<Command> parse(std::string_view text);
};

} // namespace zok::sim
