#pragma once

#include <string>

class CIniEx;

namespace zok::test {

// A readable picture of a store's content, one line per section and per pair, with every byte
// that is not printable ASCII written as \xNN, so fixtures can show NUL and binary bytes.
std::string DumpIni(const CIniEx &ini);

// Makes the store count as changed without changing its content, so SaveFile writes it.
void TouchIni(CIniEx &ini);

} // namespace zok::test
