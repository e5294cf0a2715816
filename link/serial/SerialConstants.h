#pragma once

#include "NetErrors.h"

#include <cstdint>

// The port layer keeps the Windows error vocabulary that the rest of the program was written
// against; failing system calls pass their errno through unchanged (errno values never collide
// with the codes below on Linux).
namespace zok {

inline constexpr long kSerialOk = 0;
inline constexpr long kErrorInvalidHandle = 6;         // the port is not open
inline constexpr long kErrorAlreadyInitialized = 1247; // Open on an open port
inline constexpr long kErrorTimeout = 1460;            // a read, write or wait ran out of time
inline constexpr long kErrorInvalidArg = 0x80070057L;  // E_INVALIDARG: a value the port cannot take
static_assert(kErrorTimeout == kErrorNetTimeout);

// What a network line cannot do (its own codes, in the range of NetErrors.h). The line works in
// each case; only its settings are not the program's to make.
inline constexpr long kErrorLineSetOnServer = 0x20000010L; // a raw line: its device server sets it
inline constexpr long kErrorComPortRefused = 0x20000011L;  // the server refused RFC 2217: used raw
inline constexpr long kErrorComPortNoAnswer = 0x20000012L; // RFC 2217 not answered in time: used raw
// The server answered a setting with another value, which is the one in force (Query* give it).
inline constexpr long kErrorSettingNotApplied = 0x20000013L;

// True for the codes after which the line works at the speed its device server gives it.
constexpr bool LineSetOnServer(long code)
{
    return code == kErrorLineSetOnServer || code == kErrorComPortRefused || code == kErrorComPortNoAnswer;
}

// Time-outs in milliseconds. kCommandTimeout bounds a write by one second plus the wire time of
// its bytes at the current speed, so a device that stops reading cannot hang the caller.
inline constexpr int kInfinite = -1;
inline constexpr int kCommandTimeout = -2;

// Communication event bits (as in the Windows event mask).
inline constexpr std::uint32_t kEvRxChar = 0x0001;
inline constexpr std::uint32_t kEvRxFlag = 0x0002;
inline constexpr std::uint32_t kEvTxEmpty = 0x0004;
inline constexpr std::uint32_t kEvBreak = 0x0040;
inline constexpr std::uint32_t kEvErr = 0x0080;
inline constexpr std::uint32_t kDefaultEventMask = kEvRxChar | kEvBreak | kEvErr;

// Handshake kinds and read modes.
inline constexpr int kHandshakeOff = 0;
inline constexpr int kHandshakeHardware = 1;
inline constexpr int kHandshakeSoftware = 2;
inline constexpr int kReadNonblocking = 0;
inline constexpr int kReadBlocking = 1;

// Parity and stop-bit values of Configure.
inline constexpr int kNoParity = 0;
inline constexpr int kOneStopBit = 0;
inline constexpr int kTwoStopBits = 2;

} // namespace zok
