#include "Terminal.h"

#include <io.h>

namespace zok {

bool IsTerminal(std::FILE *stream)
{
    return ::_isatty(::_fileno(stream)) != 0;
}

} // namespace zok
