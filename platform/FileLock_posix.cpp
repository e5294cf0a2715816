#include "FileLock.h"

#include <sys/file.h>

namespace zok {

bool TryLockWholeFile(int fd)
{
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}

} // namespace zok
