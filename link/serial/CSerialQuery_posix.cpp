// The Query operations of CSerial: each reads the device's current settings.
#include "CSerial.h"

#include "TermiosHelpers.h"

namespace zok {

namespace th = termios_helpers;

int CSerial::QueryBaudRateDevice()
{
    termios tio{};
    if (Fail(LoadSettings(tio)))
        return -1;
    return th::BaudOf(::cfgetospeed(&tio));
}

int CSerial::QueryDataBitsDevice()
{
    termios tio{};
    if (Fail(LoadSettings(tio)))
        return -1;
    return th::DataBitsOf(tio);
}

int CSerial::QueryParityDevice()
{
    termios tio{};
    if (Fail(LoadSettings(tio)))
        return -1;
    return th::ParityOf(tio);
}

int CSerial::QueryStopBitsDevice()
{
    termios tio{};
    if (Fail(LoadSettings(tio)))
        return -1;
    return th::StopBitsOf(tio);
}

int CSerial::QueryHandshakeDevice()
{
    termios tio{};
    if (Fail(LoadSettings(tio)))
        return -1;
    if (tio.c_cflag & CRTSCTS)
        return kHandshakeHardware;
    if ((tio.c_iflag & IXON) && (tio.c_iflag & IXOFF))
        return kHandshakeSoftware;
    return kHandshakeOff;
}

} // namespace zok
