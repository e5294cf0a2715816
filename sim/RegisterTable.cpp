#include "RegisterTable.h"

#include <algorithm>

namespace zok::sim {

const std::vector<std::uint8_t> &RegisterTable::parameterCodes()
{
    static const std::vector<std::uint8_t> codes{0x0B, 0x01, 0x05, 0x03, 0x10, 0x07, 0xC0, 0x12, 0x14,
                                                 0x16, 0x1A, 0x1C, 0x1E, 0x20, 0x22, 0x24, 0x26};
    return codes;
}

const std::vector<std::uint8_t> &RegisterTable::requiredCodes()
{
    static const std::vector<std::uint8_t> codes{0x0B, 0x01, 0x05, 0x03, 0x10, 0x07, 0xC0};
    return codes;
}

bool RegisterTable::isParameter(std::uint8_t code)
{
    const auto &codes = parameterCodes();
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

std::optional<std::uint8_t> RegisterTable::registerOfWrite(std::uint8_t writeCode)
{
    const auto target = static_cast<std::uint8_t>(writeCode - 1);
    if (writeCode > 0 && isParameter(target))
        return target;
    const auto filter = static_cast<std::uint8_t>(writeCode - kFilterWriteOffset);
    if (writeCode >= kFilterWriteOffset && isFilterRead(filter))
        return filter;
    return std::nullopt;
}

std::map<std::uint8_t, std::uint8_t> RegisterTable::defaults()
{
    return {{0x0B, 0xFE}, {0x01, 0x01}, {0x05, 0x06}, {0x03, 0x01}, {0x10, 0x02}, {0x07, 0x0A},
            {0xC0, 0x00}, {0x12, 0x00}, {0x14, 0x00}, {0x16, 0x00}, {0x1A, 0x00}, {0x1C, 0x00},
            {0x1E, 0x00}, {0x20, 0x00}, {0x22, 0x00}, {0x24, 0xA7}, {0x26, 0x01}, {0xA0, 0x00},
            {0xA1, 0x00}, {0xA2, 0x00}, {0xA3, 0xFF}, {0xA4, 0xFF}, {0xA5, 0xFF}, {0xA6, 0x00}};
}

} // namespace zok::sim
