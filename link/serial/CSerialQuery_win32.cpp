// The Query operations of CSerial on Windows: each reads the device control block.
#include "CSerial.h"

namespace zok {

int CSerial::QueryBaudRateDevice()
{
    DCB dcb{};
    if (Fail(LoadSettings(dcb)))
        return -1;
    return static_cast<int>(dcb.BaudRate);
}

int CSerial::QueryDataBitsDevice()
{
    DCB dcb{};
    if (Fail(LoadSettings(dcb)))
        return -1;
    return dcb.ByteSize;
}

int CSerial::QueryParityDevice()
{
    DCB dcb{};
    if (Fail(LoadSettings(dcb)))
        return -1;
    return dcb.fParity ? dcb.Parity : NOPARITY;
}

int CSerial::QueryStopBitsDevice()
{
    DCB dcb{};
    if (Fail(LoadSettings(dcb)))
        return -1;
    return dcb.StopBits;
}

int CSerial::QueryHandshakeDevice()
{
    DCB dcb{};
    if (Fail(LoadSettings(dcb)))
        return -1;
    if (dcb.fDtrControl == DTR_CONTROL_HANDSHAKE && dcb.fRtsControl == RTS_CONTROL_HANDSHAKE)
        return kHandshakeHardware;
    if (dcb.fOutX && dcb.fInX)
        return kHandshakeSoftware;
    return kHandshakeOff;
}

} // namespace zok
