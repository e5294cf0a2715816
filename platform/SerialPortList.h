#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zok {

// Where the port list comes from. Tests point it at a fake sysfs tree.
struct SerialPortSource
{
    std::filesystem::path sysClassTty = "/sys/class/tty";
    std::filesystem::path devDir = "/dev";
};

// The serial ports the kernel reports, as device paths sorted by name with numbers in numeric
// order (ttyS2 before ttyS10). Virtual terminals have no device and are left out; the 8250
// driver registers ttyS placeholders whether a UART is fitted or not, so a ttyS entry counts only
// when it has a bound driver and its UART type is known (not 0).
std::vector<std::string> ListSerialPorts(const SerialPortSource &source = {});

} // namespace zok
