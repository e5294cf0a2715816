#pragma once

#include <string>
#include <string_view>
#include <vector>

// Text rules of the INI store: line splitting, trailing white space, case-insensitive comparison.
namespace zok::ini {

// Splits file bytes into lines. A line ends at LF, CR LF or a lone CR; the line end is not part of
// the line. A UTF-8 byte order mark at the very start is skipped. Every other byte, NUL included,
// is kept.
std::vector<std::string> SplitLines(std::string_view bytes);

// Removes blanks, tabs, CR, LF, vertical tabs and form feeds from the end of `text`.
void TrimRight(std::string &text);

// Equality of two texts; with `ignoreCase`, ASCII letters and the accented Latin-1 letters
// (two-byte UTF-8, "é" and "É") compare without regard to case.
bool SameText(std::string_view a, std::string_view b, bool ignoreCase);

} // namespace zok::ini
