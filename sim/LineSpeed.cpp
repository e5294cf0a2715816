#include "LineSpeed.h"

#include <array>

namespace zok::sim {

namespace {
struct SpeedRow
{
    int baud;
    speed_t constant;
};
constexpr std::array<SpeedRow, LineSpeed::kCount> kSpeeds{
    {{9600, B9600}, {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200}}};
constexpr int kBitsPerCharacter = 11;
} // namespace

int LineSpeed::baudFromIndex(int index)
{
    return index >= 0 && index < kCount ? kSpeeds[static_cast<std::size_t>(index)].baud : 0;
}

int LineSpeed::indexFromBaud(int baud)
{
    for (std::size_t i = 0; i < kSpeeds.size(); ++i) {
        if (kSpeeds[i].baud == baud)
            return static_cast<int>(i);
    }
    return -1;
}

int LineSpeed::baudFromTermios(speed_t speed)
{
    for (const SpeedRow &row : kSpeeds) {
        if (row.constant == speed)
            return row.baud;
    }
    return 0;
}

speed_t LineSpeed::termiosFromBaud(int baud)
{
    for (const SpeedRow &row : kSpeeds) {
        if (row.baud == baud)
            return row.constant;
    }
    return B0;
}

std::chrono::nanoseconds LineSpeed::characterTime(int baud)
{
    if (baud <= 0)
        return std::chrono::nanoseconds(0);
    return std::chrono::nanoseconds(1'000'000'000LL * kBitsPerCharacter / baud);
}

} // namespace zok::sim
