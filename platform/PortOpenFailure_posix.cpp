#include "PortOpenFailure.h"

#include "PortName.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace zok {

std::string PortOpenFailureReason(std::string_view portName)
{
    const std::string path = DevicePathForPort(portName);
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    int code = errno;
    if (fd >= 0) {
        code = ::isatty(fd) == 1 ? EBUSY : ENOTTY;
        ::close(fd);
    }
    return std::strerror(code);
}

} // namespace zok
