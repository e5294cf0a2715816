#pragma once

#include <QStringView>

#include <optional>

namespace zok::tools {

// Receivers write every byte as two upper-case hexadecimal digits; lower case is not accepted.
bool IsUpperHexDigit(QChar c);

// The value of the first two characters of `text` when both are upper-case hexadecimal digits.
std::optional<int> UpperHexPair(QStringView text);

} // namespace zok::tools
