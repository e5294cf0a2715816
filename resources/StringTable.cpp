#include "StringTable.h"

namespace zok {

// Sorted by id; the lookup relies on it.
const StringEntry kStringTable[] = {
    {101, "Oxa Reader Manager", "Oxa Reader Manager"},
};

const std::size_t kStringTableSize = sizeof kStringTable / sizeof kStringTable[0];

} // namespace zok
