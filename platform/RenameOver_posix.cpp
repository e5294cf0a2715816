#include "RenameOver.h"

namespace zok {

void RenameOver(const std::filesystem::path &from, const std::filesystem::path &to, std::error_code &ec)
{
    std::filesystem::rename(from, to, ec);
}

} // namespace zok
