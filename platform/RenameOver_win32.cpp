#include "RenameOver.h"

#include <windows.h>

namespace zok {

// MoveFileEx replaces the target in one step; write-through returns only once the new name is on
// the disk. A read-only target would refuse the move, as rename() on POSIX does not, so its
// attribute is cleared first (the new file carries the old one's permissions anyway).
void RenameOver(const std::filesystem::path &from, const std::filesystem::path &to, std::error_code &ec)
{
    ec.clear();
    const DWORD attributes = ::GetFileAttributesW(to.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        ::SetFileAttributesW(to.c_str(), attributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
    if (!::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        ec.assign(static_cast<int>(::GetLastError()), std::system_category());
}

} // namespace zok
