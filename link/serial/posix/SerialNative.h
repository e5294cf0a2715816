#pragma once

#include "UniqueFd.h"

#include <termios.h>

namespace zok {

// The system's names for what the port classes hold: a descriptor, and termios settings.
using NativeHandle = int;
using OwnedHandle = UniqueFd;
using PortSettings = termios;

} // namespace zok
