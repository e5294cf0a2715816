#pragma once

#include <filesystem>
#include <system_error>

namespace zok {

// Puts `from` in the place of `to` in one step, replacing `to` if it exists: readers see either
// the old or the new file. Both must be on one volume (a temporary file beside the target).
void RenameOver(const std::filesystem::path &from, const std::filesystem::path &to, std::error_code &ec);

} // namespace zok
