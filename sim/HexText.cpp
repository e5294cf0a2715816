#include "HexText.h"

#include <algorithm>

namespace zok::sim {

namespace {
constexpr char kDigits[] = "0123456789ABCDEF";

int digitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
} // namespace

std::string HexText::byte(std::uint8_t value)
{
    return {kDigits[value >> 4], kDigits[value & 0x0F]};
}

std::optional<std::uint8_t> HexText::parseByte(std::string_view pair)
{
    if (pair.size() != 2 || !isUpperHex(pair))
        return std::nullopt;
    return static_cast<std::uint8_t>(digitValue(pair[0]) * 16 + digitValue(pair[1]));
}

bool HexText::isUpperHex(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return digitValue(c) >= 0; });
}

std::string HexText::toLower(std::string_view text)
{
    std::string out(text);
    for (char &c : out) {
        if (c >= 'A' && c <= 'F')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

} // namespace zok::sim
