#pragma once

namespace zok {

// Result codes of the network side of the port layer, beside the serial codes (SerialConstants.h)
// and the system's own. Windows keeps bit 29 of an error code for applications, so none of them
// collides with an errno value, a Win32 or a Winsock code.
inline constexpr long kErrorBadPortName = 0x20000001L;       // a network port name that does not parse
inline constexpr long kErrorHostNotFound = 0x20000002L;      // the host name is not known
inline constexpr long kErrorConnectionRefused = 0x20000003L; // nothing listens at the address
inline constexpr long kErrorConnectTimeout = 0x20000004L;    // no answer to the connection
inline constexpr long kErrorHostUnreachable = 0x20000005L;   // any other failure to connect
inline constexpr long kErrorConnectionClosed = 0x20000006L;  // the server ended the connection

// A send that could not complete in its time: the serial layer's kErrorTimeout.
inline constexpr long kErrorNetTimeout = 1460;

} // namespace zok
