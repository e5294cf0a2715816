#include "HexByte.h"

namespace zok {
namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

int UpperHexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::string FormatHexByte(std::uint8_t value)
{
    return {kDigits[value >> 4], kDigits[value & 0x0F]};
}

std::optional<std::uint8_t> ParseUpperHexByte(std::string_view digits)
{
    if (digits.size() != 2)
        return std::nullopt;
    const int high = UpperHexDigit(digits[0]);
    const int low = UpperHexDigit(digits[1]);
    if (high < 0 || low < 0)
        return std::nullopt;
    return static_cast<std::uint8_t>(high * 16 + low);
}

} // namespace zok
