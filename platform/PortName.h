#pragma once

#include <string>
#include <string_view>

namespace zok {

// Settings keep Windows-style names ("COM1") so that a settings file can move between systems;
// the port layer opens the device path this returns: "COMn" is /dev/ttyS<n-1>, a name starting
// with "/" is already a path, anything else ("ttyUSB0") lives in /dev.
std::string DevicePathForPort(std::string_view portName);

} // namespace zok
