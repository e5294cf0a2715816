#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zok {

// Where the port list comes from: sysfs and /dev on Linux, the registry on Windows (a key under
// HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER, named with its root). Tests point it at a fake tree.
struct SerialPortSource
{
    std::filesystem::path sysClassTty = "/sys/class/tty";
    std::filesystem::path devDir = "/dev";
    std::string registryKey = "HKEY_LOCAL_MACHINE\\HARDWARE\\DEVICEMAP\\SERIALCOMM";
};

// One port and what the system says of it; every field but `path` may be empty. (The empty
// initialisers let designated initialisers name only some fields without a warning.)
struct SerialPortInfo
{
    std::string path{};         // the device path ("/dev/ttyUSB0"), or the COM name on Windows
    std::string manufacturer{}; // USB: the adapter's manufacturer string
    std::string product{};      // USB: its product string
    std::string serialNumber{}; // USB: its serial number, when it has one
    std::string vendorId{};     // USB: four hexadecimal digits, e.g. "0403"
    std::string productId{};
    std::string friendlyName{}; // Windows: the name the device manager shows
    std::string byId{};         // the /dev/serial/by-id/... link to the device
    std::string byPath{};       // the /dev/serial/by-path/... link (the USB socket it is plugged in)

    // One line for a list: "FTDI FT232R USB UART (0403:6001)", the friendly name on Windows, or
    // empty when nothing is known.
    std::string Description() const;
    // The name to keep in the settings so that the same adapter is found after a replug: the
    // by-id link when the adapter has a serial number (without one, two adapters of a kind share
    // the by-id name and udev keeps only one link), else the by-path link (the same USB socket),
    // else the by-id link all the same, else the device path itself.
    std::string StableName() const;
};

// The serial ports the kernel reports, sorted by name with numbers in numeric order (ttyS2
// before ttyS10), with the USB attributes found above each tty in sysfs and the udev links in
// <devDir>/serial/by-id and by-path that point to it. Virtual terminals have no device and are
// left out; the 8250 driver registers ttyS placeholders whether a UART is fitted or not, so a
// ttyS entry counts only when it has a bound driver and its UART type is known (not 0).
//
// On Windows: the data of every value of the registry key (each one port, e.g. "COM3"), in the
// same order, with the device manager's friendly name where SetupAPI has one; a missing key gives
// an empty list.
std::vector<SerialPortInfo> ListSerialPortInfo(const SerialPortSource &source = {});

// The same ports' paths (or COM names) only.
std::vector<std::string> ListSerialPorts(const SerialPortSource &source = {});

} // namespace zok
