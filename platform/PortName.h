#pragma once

#include <string>
#include <string_view>

namespace zok {

// Settings keep Windows-style names ("COM1") so that a settings file can move between systems;
// the port layer opens the device path this returns: "COMn" is /dev/ttyS<n-1>, a name starting
// with "/" is already a path, anything else ("ttyUSB0") lives in /dev.
std::string DevicePathForPort(std::string_view portName);

// Whether the device that `portName` opens is there now, without opening it: the device file
// exists (a link to a device that has gone counts as absent) on POSIX, the system knows the DOS
// device name on Windows. Cheap enough to ask once a second while waiting for a lost port.
bool PortDevicePresent(std::string_view portName);

} // namespace zok
