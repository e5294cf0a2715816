#include "HexPair.h"

namespace zok::tools {

bool IsUpperHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F');
}

namespace {
int digitValue(QChar c)
{
    return c <= u'9' ? c.unicode() - u'0' : c.unicode() - u'A' + 10;
}
} // namespace

std::optional<int> UpperHexPair(QStringView text)
{
    if (text.size() < 2 || !IsUpperHexDigit(text[0]) || !IsUpperHexDigit(text[1]))
        return std::nullopt;
    return digitValue(text[0]) * 16 + digitValue(text[1]);
}

} // namespace zok::tools
