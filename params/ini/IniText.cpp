#include "IniText.h"

namespace zok::ini {

namespace {
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isTrailingSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

unsigned char foldAscii(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

// Second byte of a two-byte UTF-8 letter led by 0xC3: capitals 0x80-0x9E (but 0x97, the
// multiplication sign) fold to their small letters 0xA0-0xBE.
unsigned char foldLatin1Tail(unsigned char c)
{
    return (c >= 0x80 && c <= 0x9E && c != 0x97) ? static_cast<unsigned char>(c + 0x20) : c;
}
} // namespace

std::vector<std::string> SplitLines(std::string_view bytes)
{
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        bytes.remove_prefix(kByteOrderMark.size());
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\n' && bytes[i] != '\r')
            continue;
        lines.emplace_back(bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines.emplace_back(bytes.substr(start));
    return lines;
}

void TrimRight(std::string &text)
{
    std::size_t end = text.size();
    while (end > 0 && isTrailingSpace(text[end - 1]))
        --end;
    text.resize(end);
}

bool SameText(std::string_view a, std::string_view b, bool ignoreCase)
{
    if (a.size() != b.size())
        return false;
    if (!ignoreCase)
        return a == b;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if (ca == 0xC3 && cb == 0xC3 && i + 1 < a.size()) {
            ++i;
            if (foldLatin1Tail(static_cast<unsigned char>(a[i])) !=
                foldLatin1Tail(static_cast<unsigned char>(b[i])))
                return false;
        } else if (foldAscii(ca) != foldAscii(cb)) {
            return false;
        }
    }
    return true;
}

} // namespace zok::ini
