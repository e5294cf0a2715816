#include "TermiosHelpers.h"

#include <array>
#include <utility>

namespace zok::termios_helpers {

namespace {
constexpr std::array<std::pair<int, speed_t>, 5> kLineSpeeds{{
    {9600, B9600},
    {19200, B19200},
    {38400, B38400},
    {57600, B57600},
    {115200, B115200},
}};

// Wider than the line speeds: a device may come up at any of these before we configure it.
constexpr std::array<std::pair<int, speed_t>, 10> kKnownSpeeds{{
    {1200, B1200},
    {2400, B2400},
    {4800, B4800},
    {9600, B9600},
    {19200, B19200},
    {38400, B38400},
    {57600, B57600},
    {115200, B115200},
    {230400, B230400},
    {460800, B460800},
}};

tcflag_t CharacterSize(int dataBits)
{
    switch (dataBits) {
    case 5:
        return CS5;
    case 6:
        return CS6;
    case 7:
        return CS7;
    default:
        return CS8;
    }
}
} // namespace

speed_t BaudConstant(int baud)
{
    for (const auto &[rate, constant] : kLineSpeeds) {
        if (rate == baud)
            return constant;
    }
    return B0;
}

int BaudOf(speed_t constant)
{
    for (const auto &[rate, known] : kKnownSpeeds) {
        if (known == constant)
            return rate;
    }
    return 0;
}

void MakeRaw(termios &tio)
{
    cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag &= ~CRTSCTS;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
}

bool SetFraming(termios &tio, int dataBits, int parity, int stopBits)
{
    if (dataBits < 5 || dataBits > 8 || parity < 0 || parity > 4 || (stopBits != 0 && stopBits != 2))
        return false;
    tio.c_cflag = (tio.c_cflag & ~CSIZE) | CharacterSize(dataBits);
    tio.c_cflag &= ~(PARENB | PARODD | CMSPAR | CSTOPB);
    tio.c_iflag &= ~INPCK;
    if (parity != 0) {
        tio.c_cflag |= PARENB;
        tio.c_iflag |= INPCK;
    }
    if (parity == 1 || parity == 3)
        tio.c_cflag |= PARODD;
    if (parity >= 3)
        tio.c_cflag |= CMSPAR;
    if (stopBits == 2)
        tio.c_cflag |= CSTOPB;
    return true;
}

int DataBitsOf(const termios &tio)
{
    switch (tio.c_cflag & CSIZE) {
    case CS5:
        return 5;
    case CS6:
        return 6;
    case CS7:
        return 7;
    default:
        return 8;
    }
}

int ParityOf(const termios &tio)
{
    if (!(tio.c_iflag & INPCK) || !(tio.c_cflag & PARENB))
        return 0;
    const bool odd = tio.c_cflag & PARODD;
    if (tio.c_cflag & CMSPAR)
        return odd ? 3 : 4;
    return odd ? 1 : 2;
}

int StopBitsOf(const termios &tio)
{
    return (tio.c_cflag & CSTOPB) ? 2 : 0;
}

std::chrono::milliseconds WireTime(std::size_t bytes, int baud)
{
    if (baud <= 0)
        return std::chrono::milliseconds(0);
    const auto bits = static_cast<long long>(bytes) * 11;
    return std::chrono::milliseconds((bits * 1000 + baud - 1) / baud);
}

} // namespace zok::termios_helpers
