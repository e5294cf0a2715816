#pragma once

#include "UniqueFd.h"

#include <cstdint>

#include <termios.h>

namespace zok {

// The system's names for what the port classes hold: a descriptor, and termios settings.
using NativeHandle = int;
using OwnedHandle = UniqueFd;
using PortSettings = termios;

// A handle as the network layer's waits take it (StopEventToken in NetSocket.h).
inline std::intptr_t WaitToken(NativeHandle handle)
{
    return handle;
}

} // namespace zok
