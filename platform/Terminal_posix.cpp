#include "Terminal.h"

#include <unistd.h>

namespace zok {

bool IsTerminal(std::FILE *stream)
{
    return ::isatty(::fileno(stream)) == 1;
}

} // namespace zok
