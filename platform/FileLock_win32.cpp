#include "FileLock.h"

#include <io.h>
#include <windows.h>

namespace zok {

bool TryLockWholeFile(int fd)
{
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    OVERLAPPED from{}; // offset 0, and MAXDWORD:MAXDWORD bytes: the file however far it grows
    return ::LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD,
                        &from) != 0;
}

} // namespace zok
