#include "PortName.h"

#include <cctype>
#include <string>
#include <windows.h>

namespace zok {

// Windows opens "COM1".."COM9" by name; from COM10 on only the device namespace "\\.\COMn" works,
// so every COM name longer than four characters gets that prefix. Other names are used as given.
std::string DevicePathForPort(std::string_view portName)
{
    const bool com = portName.size() > 4 && std::toupper(static_cast<unsigned char>(portName[0])) == 'C' &&
                     std::toupper(static_cast<unsigned char>(portName[1])) == 'O' &&
                     std::toupper(static_cast<unsigned char>(portName[2])) == 'M';
    if (com)
        return "\\\\.\\" + std::string(portName);
    return std::string(portName);
}

// The DOS device name ("COM3") is defined exactly while the port's device exists.
bool PortDevicePresent(std::string_view portName)
{
    std::string_view name = portName;
    if (name.rfind("\\\\.\\", 0) == 0)
        name.remove_prefix(4);
    const std::wstring wide(name.begin(), name.end());
    wchar_t target[512];
    return ::QueryDosDeviceW(wide.c_str(), target, 512) != 0;
}

} // namespace zok
