#pragma once

#include <chrono>
#include <cstddef>
#include <termios.h>

// termios knows framing as flag bits; the port layer speaks in the numbers of the Windows device
// control block (parity 0 none, 1 odd, 2 even, 3 mark, 4 space; stop bits 0 one, 1 one and a
// half, 2 two). These helpers translate both ways and touch only the struct, never a device, so
// a caller can validate everything before it applies anything.
namespace zok::termios_helpers {

// Only the line speeds the receivers use; 0 (B0) for any other rate, so callers can refuse it
// instead of letting the driver pick something close.
speed_t BaudConstant(int baud);

// The rate in baud of a speed constant, or 0 when the constant is not one we know.
int BaudOf(speed_t constant);

// Raw bytes, receiver on, modem lines ignored, no flow control, no output processing; VMIN=1 so
// that with O_NONBLOCK "no data" is EAGAIN and a read of 0 bytes can only mean hang-up.
void MakeRaw(termios &tio);

// Sets data bits (5..8), parity (0..4) and stop bits (0 or 2); false, with tio untouched, when a
// value is out of range or not available on this system (one and a half stop bits).
bool SetFraming(termios &tio, int dataBits, int parity, int stopBits);

int DataBitsOf(const termios &tio);
// Parity as set, 0 when parity checking is off.
int ParityOf(const termios &tio);
int StopBitsOf(const termios &tio);

// Time the bytes take on the wire at 8N2: 11 bits per character, rounded up.
std::chrono::milliseconds WireTime(std::size_t bytes, int baud);

} // namespace zok::termios_helpers
