#pragma once

#include "UniqueHandle.h"

#include <windows.h>

namespace zok {

// The system's names for what the port classes hold: a handle, and the device control block.
using NativeHandle = HANDLE;
using OwnedHandle = UniqueHandle;
using PortSettings = DCB;

} // namespace zok
