#pragma once

#include <cstddef>

namespace zok {

struct StringEntry
{
    int id;
    const char *english; // UTF-8
    const char *french;  // UTF-8
};

// Sorted by id.
extern const StringEntry kStringTable[];
extern const std::size_t kStringTableSize;

} // namespace zok
