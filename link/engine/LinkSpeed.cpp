#include "LinkSpeed.h"

#include <array>

namespace {
constexpr std::array<int, kLinkSpeedCount> kBaudRates = {9600, 19200, 38400, 57600, 115200};
}

int SpeedFromIndex(int index, QString &text)
{
    if (index < 0 || index >= kLinkSpeedCount) {
        text.clear();
        return 0;
    }
    const int baud = kBaudRates[static_cast<std::size_t>(index)];
    text = QString::number(baud);
    return baud;
}

int SpeedFromIndex(int index)
{
    QString ignored;
    return SpeedFromIndex(index, ignored);
}
