#include "PortName.h"

#include <cctype>

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

} // namespace zok
