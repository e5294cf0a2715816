#include "PtyClient.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace zok::sim::test {

namespace {
speed_t termiosSpeed(int baud)
{
    switch (baud) {
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    case 4800:
        return B4800;
    default:
        throw std::invalid_argument("unsupported test speed");
    }
}
} // namespace

PtyClient::PtyClient(const std::string &path, int baud)
    : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK))
{
    if (fd_ < 0)
        throw std::runtime_error("cannot open " + path);
    setBaud(baud);
}

PtyClient::~PtyClient()
{
    ::close(fd_);
}

void PtyClient::setBaud(int baud)
{
    termios t{};
    ::tcgetattr(fd_, &t);
    ::cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD | CSTOPB;
    ::cfsetispeed(&t, termiosSpeed(baud));
    ::cfsetospeed(&t, termiosSpeed(baud));
    if (::tcsetattr(fd_, TCSANOW, &t) != 0)
        throw std::runtime_error("tcsetattr");
}

void PtyClient::send(const std::string &text)
{
    sendBytes(" [" + text + "]");
}

void PtyClient::sendBytes(const std::string &bytes)
{
    if (::write(fd_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
        throw std::runtime_error("short write");
}

std::vector<std::string> PtyClient::takeFrames(std::size_t count, std::chrono::milliseconds timeout)
{
    std::vector<std::string> frames;
    cut(frames);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (frames.size() < count) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left.count())) <= 0)
            continue;
        char chunk[4096];
        const ssize_t n = ::read(fd_, chunk, sizeof chunk);
        if (n > 0)
            buffer_.append(chunk, static_cast<std::size_t>(n));
        cut(frames);
    }
    return frames;
}

std::vector<std::string> PtyClient::ask(const std::string &text, std::size_t count)
{
    send(text);
    return takeFrames(count);
}

void PtyClient::cut(std::vector<std::string> &frames)
{
    for (;;) {
        const auto close = buffer_.find(']');
        if (close == std::string::npos)
            return;
        const auto open = buffer_.rfind('[', close);
        if (open != std::string::npos)
            frames.push_back(buffer_.substr(open + 1, close - open - 1));
        buffer_.erase(0, close + 1);
    }
}

} // namespace zok::sim::test
