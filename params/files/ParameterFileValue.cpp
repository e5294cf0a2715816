#include "ParameterFileValue.h"

#include <cstddef>

namespace zok {

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int digitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// A "0x" prefix counts only when a digit follows it; otherwise the "0" alone is the number.
std::size_t skipHexPrefix(std::string_view text, std::size_t pos)
{
    const bool prefix = pos + 2 < text.size() && text[pos] == '0' &&
                        (text[pos + 1] == 'x' || text[pos + 1] == 'X') && digitValue(text[pos + 2]) >= 0;
    return prefix ? pos + 2 : pos;
}

} // namespace

std::optional<std::uint8_t> ParseParameterFileValue(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && isSpace(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        negative = text[pos++] == '-';
    pos = skipHexPrefix(text, pos);

    constexpr std::uint64_t kMax = 0xFFFFFFFFULL;
    std::uint64_t value = 0;
    bool overflow = false;
    const std::size_t first = pos;
    for (; pos < text.size() && digitValue(text[pos]) >= 0; ++pos) {
        value = value * 16 + static_cast<std::uint64_t>(digitValue(text[pos]));
        if (value > kMax) {
            overflow = true;
            value = kMax;
        }
    }
    if (pos == first || pos != text.size())
        return std::nullopt;
    if (overflow)
        return static_cast<std::uint8_t>(kMax & 0xFF);
    const std::uint64_t result = negative ? (kMax + 1 - value) & kMax : value;
    return static_cast<std::uint8_t>(result & 0xFF);
}

} // namespace zok
