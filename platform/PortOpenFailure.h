#pragma once

#include <string>
#include <string_view>

namespace zok {

// Why the serial device of a port (a settings name, as DevicePathForPort takes) cannot be opened,
// in the system's words, found by trying it once more: the exchange engine closes a port it could
// not open and keeps no code. A device that opens now was busy a moment ago; one that opens but is
// no serial line says so.
std::string PortOpenFailureReason(std::string_view portName);

} // namespace zok
