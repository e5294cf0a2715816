#include "PortOpenFailure.h"

#include "PortName.h"
#include "UniqueHandle.h"

#include <system_error>
#include <windows.h>

namespace zok {

std::string PortOpenFailureReason(std::string_view portName)
{
    const std::string path = DevicePathForPort(portName);
    const UniqueHandle port(
        ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    DWORD code = ::GetLastError();
    if (port.Valid()) {
        DCB dcb{};
        dcb.DCBlength = sizeof dcb;
        code = ::GetCommState(port.Get(), &dcb) ? DWORD{ERROR_BUSY} : ::GetLastError();
    }
    return std::system_category().message(static_cast<int>(code));
}

} // namespace zok
