#pragma once

#include <cstdio>

namespace zok {

// Whether a standard stream is a terminal (a console window on Windows), as opposed to a pipe or
// a file: progress drawn in place only makes sense on a terminal.
bool IsTerminal(std::FILE *stream);

} // namespace zok
