#include "PortName.h"

#include <cctype>
#include <charconv>
#include <filesystem>
#include <system_error>

namespace zok {

namespace {
// Returns n for "COMn" (case-insensitive, n >= 1), or 0 when the name is not of that form.
unsigned ComPortNumber(std::string_view name)
{
    if (name.size() < 4)
        return 0;
    for (size_t i = 0; i < 3; ++i) {
        if (std::toupper(static_cast<unsigned char>(name[i])) != "COM"[i])
            return 0;
    }
    unsigned number = 0;
    const auto digits = name.substr(3);
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (ec != std::errc() || end != digits.data() + digits.size())
        return 0;
    return number;
}
} // namespace

std::string DevicePathForPort(std::string_view portName)
{
    if (!portName.empty() && portName.front() == '/')
        return std::string(portName);
    if (const unsigned n = ComPortNumber(portName); n > 0)
        return "/dev/ttyS" + std::to_string(n - 1);
    return "/dev/" + std::string(portName);
}

bool PortDevicePresent(std::string_view portName)
{
    std::error_code error;
    return std::filesystem::exists(DevicePathForPort(portName), error); // follows links
}

} // namespace zok
