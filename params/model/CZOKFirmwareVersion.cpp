#include "CZOKFirmwareVersion.h"

#include <cstdint>
#include <limits>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The leading decimal integer of `text` as the C library reads one (blanks, an optional sign,
// digits), except that a number outside the int range gives 0 instead of undefined behaviour.
int LeadingInt(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        negative = text[pos++] == '-';
    std::int64_t value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        value = value * 10 + (text[pos] - '0');
        if (value > std::numeric_limits<int>::max())
            return 0;
    }
    return static_cast<int>(negative ? -value : value);
}

} // namespace

bool CZOKFirmwareVersion::Satisfies(const CZOKFirmwareVersion &minimum) const
{
    return minimum.IsUnknown() || IsUnknown() || *this >= minimum;
}

CZOKFirmwareVersion CZOKFirmwareVersion::FromVersionText(std::string_view text)
{
    const auto start = text.find(" v");
    if (start == std::string_view::npos)
        return {};
    const auto firstDot = text.find('.', start + 2);
    if (firstDot == std::string_view::npos)
        return {};
    const auto secondDot = text.find('.', firstDot + 1);
    if (secondDot == std::string_view::npos)
        return {};
    return {LeadingInt(text.substr(start + 2)), LeadingInt(text.substr(firstDot + 1)),
            LeadingInt(text.substr(secondDot + 1))};
}
