#pragma once

#include <string>

namespace zok::test {

// Named pipes exist as files on POSIX only; Windows keeps them out of the file system.
bool FifosExist();
bool MakeFifo(const std::string &path);
// Owner/group/other permission bits and symbolic links that anyone may make: POSIX only.
bool PosixModesAndLinks();

} // namespace zok::test
