#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zok {

// Where the port list comes from: sysfs on Linux, the registry on Windows (a key under
// HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER, named with its root). Tests point it at a fake tree.
struct SerialPortSource
{
    std::filesystem::path sysClassTty = "/sys/class/tty";
    std::filesystem::path devDir = "/dev";
    std::string registryKey = "HKEY_LOCAL_MACHINE\\HARDWARE\\DEVICEMAP\\SERIALCOMM";
};

// The serial ports the kernel reports, as device paths sorted by name with numbers in numeric
// order (ttyS2 before ttyS10). Virtual terminals have no device and are left out; the 8250
// driver registers ttyS placeholders whether a UART is fitted or not, so a ttyS entry counts only
// when it has a bound driver and its UART type is known (not 0).
//
// On Windows: the data of every value of the registry key (each one port, e.g. "COM3"), in the
// same order; a missing key gives an empty list.
std::vector<std::string> ListSerialPorts(const SerialPortSource &source = {});

} // namespace zok
