#include "PseudoTerminal.h"

#include "LineSpeed.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <system_error>
#include <termios.h>

namespace zok::sim {

namespace {
[[noreturn]] void fail(const char *what)
{
    throw std::system_error(errno, std::generic_category(), what);
}
} // namespace

PseudoTerminal::PseudoTerminal()
{
    int master = -1;
    int slave = -1;
    std::array<char, 256> name{};
    if (::openpty(&master, &slave, name.data(), nullptr, nullptr) != 0)
        fail("openpty");
    master_ = FileDescriptor(master);
    slave_ = FileDescriptor(slave);
    slavePath_ = name.data();
    const int flags = ::fcntl(master, F_GETFL);
    if (flags < 0 || ::fcntl(master, F_SETFL, flags | O_NONBLOCK) < 0 ||
        ::fcntl(master, F_SETFD, FD_CLOEXEC) < 0 || ::fcntl(slave, F_SETFD, FD_CLOEXEC) < 0)
        fail("fcntl");
    // Raw from the start, so nothing is echoed back before the program configures the line.
    termios settings{};
    if (::tcgetattr(slave, &settings) != 0)
        fail("tcgetattr");
    ::cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    if (::tcsetattr(slave, TCSANOW, &settings) != 0)
        fail("tcsetattr");
}

int PseudoTerminal::lineBaud() const
{
    termios settings{};
    if (::tcgetattr(master_.get(), &settings) != 0)
        return 0;
    return LineSpeed::baudFromTermios(::cfgetospeed(&settings));
}

bool PseudoTerminal::echoOn() const
{
    termios settings{};
    return ::tcgetattr(master_.get(), &settings) == 0 && (settings.c_lflag & ECHO) != 0;
}

std::string PseudoTerminal::readAvailable()
{
    std::string out;
    std::array<char, 4096> buffer{};
    for (;;) {
        const ssize_t n = ::read(master_.get(), buffer.data(), buffer.size());
        if (n > 0) {
            out.append(buffer.data(), static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return out; // EAGAIN: all read
    }
}

std::size_t PseudoTerminal::write(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(master_.get(), bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return bytes.size(); // the line is full: nobody reads it, as a real line would lose them
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

void PseudoTerminal::releaseExclusiveMode()
{
    ::ioctl(slave_.get(), TIOCNXCL);
}

} // namespace zok::sim
