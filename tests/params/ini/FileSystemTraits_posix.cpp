#include "FileSystemTraits.h"

#include <sys/stat.h>

namespace zok::test {

bool FifosExist()
{
    return true;
}

bool MakeFifo(const std::string &path)
{
    return ::mkfifo(path.c_str(), 0600) == 0;
}

bool PosixModesAndLinks()
{
    return true;
}

} // namespace zok::test
