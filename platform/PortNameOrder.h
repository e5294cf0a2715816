#pragma once

#include <string>

namespace zok {

// Port names in the order people expect: a trailing number compares as a number, so "COM2"
// comes before "COM10" and "ttyS2" before "ttyS10".
bool PortNameLess(const std::string &a, const std::string &b);

} // namespace zok
