#pragma once

#include "SerialConstants.h"
#include "SerialNative.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace zok {

class CTcpLine;
struct LineSettings;

// One serial port. The port name chooses the backend when the port opens: a local device, over
// termios (CSerial_posix.cpp) or the Win32 communications API (CSerial_win32.cpp), or a line behind
// a device server, "tcp://HOST:PORT" (CTcpLine) or "rfc2217://HOST:PORT" (CRfc2217Line); CSerial.cpp
// hands each operation to the one in use. The comments below describe the POSIX device where the
// backends differ. Every operation returns a code (kSerialOk, the constants of SerialConstants.h
// and NetErrors.h, or errno) and keeps it as LastError(). The descriptor is always non-blocking:
// blocking behaviour and time-outs are made with poll(), so that a stuck device can time out
// instead of hanging a thread.
//
// What a network line cannot do comes back as a code of its own: a raw line's settings are its
// server's (kErrorLineSetOnServer; the Query operations then give -1), and an RFC 2217 server that
// refuses the option is used as a raw line (see CRfc2217Line).
//
// There is no caller-supplied asynchronous form of Read/Write/WaitForEvent: every operation waits
// for itself, on its own, so the listener's reads and the caller's writes never share a wait.
class CSerial
{
public:
    CSerial();
    virtual ~CSerial();
    CSerial(const CSerial &) = delete;
    CSerial &operator=(const CSerial &) = delete;

    // Opens "COMn", a device path or a /dev name (see DevicePathForPort) for exclusive use, raw,
    // 8 data bits, no parity, 2 stop bits, no flow control; the speed stays as the device had
    // it until Configure. A port held by someone else fails with EBUSY. Linux fixes the
    // driver's queue sizes, so the two sizes are accepted and ignored. A network name connects
    // (NetErrors.h has its failures; a name that does not parse gives kErrorBadPortName).
    virtual long Open(std::string_view portName, unsigned inQueue = 0, unsigned outQueue = 0);
    // Discards output still queued (close() would otherwise wait for it, up to 30 s).
    virtual long Close();

    // Speed is one of 9600, 19200, 38400, 57600, 115200; anything out of range is refused with
    // kErrorInvalidArg before the device is touched.
    virtual long Configure(int baud, int dataBits = 8, int parity = kNoParity, int stopBits = kTwoStopBits);
    virtual long SetEventCharacter(char c, bool watch = true);
    virtual long SetEventMask(std::uint32_t mask);
    // Waits until received data is available (kEvRxChar, also when the mask holds kEvRxFlag) or
    // the output queue is empty (kEvTxEmpty, checked when the wait starts); the bits found are
    // kept for TakeEvents. The device reports neither breaks nor the event character by itself.
    virtual long WaitForEvent(int timeoutMs = kInfinite);
    virtual long SetHandshake(int kind);
    virtual long SetReadMode(int mode);

    // -1 (0 for the event mask and character) and kErrorInvalidHandle while closed.
    virtual int QueryBaudRate();
    virtual int QueryDataBits();
    virtual int QueryParity();
    virtual int QueryStopBits();
    virtual int QueryHandshake();
    virtual std::uint32_t QueryEventMask();
    virtual char QueryEventCharacter();

    // Writes are bounded by kCommandTimeout unless told otherwise; on time-out the unsent
    // output is discarded (so a half command never goes out later) and kErrorTimeout returned.
    virtual long WriteString(const char *text, std::size_t *written = nullptr,
                             int timeoutMs = kCommandTimeout);
    virtual long Write(const void *data, std::size_t length, std::size_t *written = nullptr,
                       int timeoutMs = kCommandTimeout);
    // Non-blocking mode returns what is buffered at once; blocking mode waits for length bytes.
    // A hung-up device gives EIO.
    virtual long Read(void *buffer, std::size_t length, std::size_t *bytesRead = nullptr,
                      int timeoutMs = kInfinite);

    std::uint32_t TakeEvents();
    long LastError() const { return m_lastError.load(); }
    bool IsOpen() const { return m_fd.Valid() || m_net != nullptr; }

protected:
    long SetLastError(long code)
    {
        m_lastError.store(code);
        return code;
    }
    NativeHandle Fd() const { return m_fd.Get(); }
    // The network backend while one is open, else null.
    CTcpLine *NetworkLine() const { return m_net.get(); }

private:
    // The local device's side of each operation (*_posix.cpp, *_win32.cpp).
    long OpenDevice(std::string_view portName, unsigned inQueue, unsigned outQueue);
    long CloseDevice();
    long ConfigureDevice(int baud, int dataBits, int parity, int stopBits);
    long SetEventCharacterDevice(char c, bool watch);
    long SetEventMaskDevice(std::uint32_t mask);
    long WaitForEventDevice(int timeoutMs);
    long SetHandshakeDevice(int kind);
    long SetReadModeDevice(int mode);
    int QueryBaudRateDevice();
    int QueryDataBitsDevice();
    int QueryParityDevice();
    int QueryStopBitsDevice();
    int QueryHandshakeDevice();
    long WriteDevice(const void *data, std::size_t length, std::size_t *written, int timeoutMs);
    long ReadDevice(void *buffer, std::size_t length, std::size_t *bytesRead, int timeoutMs);
    // The network line's side, where it is more than handing the call on.
    long OpenNetwork(std::string_view portName);
    long WaitForEventNetwork(int timeoutMs);
    long ReadNetwork(void *buffer, std::size_t length, std::size_t *bytesRead, int timeoutMs);
    int QueryNetwork(int LineSettings::*value);

    long Fail(long code);
    long LoadSettings(PortSettings &tio);
    long StoreSettings(const PortSettings &tio);
    long TakeExclusiveUse();
    int CommandTimeoutMs(std::size_t length);

    OwnedHandle m_fd;
    std::unique_ptr<CTcpLine> m_net;
    // Atomic because the owner may read it while the listener thread of a derived layer runs.
    std::atomic<long> m_lastError{kSerialOk};
    std::uint32_t m_lastEvent = 0;
    std::uint32_t m_eventMask = 0;
    char m_eventChar = 0;
    int m_readMode = kReadNonblocking;
};

} // namespace zok
