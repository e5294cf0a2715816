#pragma once

#include "UniqueHandle.h"

#include <cstdint>

#include <windows.h>

namespace zok {

// The system's names for what the port classes hold: a handle, and the device control block.
using NativeHandle = HANDLE;
using OwnedHandle = UniqueHandle;
using PortSettings = DCB;

// A handle as the network layer's waits take it (StopEventToken in NetSocket.h).
inline std::intptr_t WaitToken(NativeHandle handle)
{
    return reinterpret_cast<std::intptr_t>(handle);
}

} // namespace zok
