#pragma once

#include "UniqueFd.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <string>
#include <termios.h>
#include <unistd.h>

// A pseudo-terminal whose slave the port under test opens, and whose master a scripted peer
// drives: what the peer writes the port receives, and the master sees the slave's termios.
class PtyPair
{
public:
    PtyPair()
    {
        int master = -1;
        int slave = -1;
        char name[256] = {};
        if (::openpty(&master, &slave, name, nullptr, nullptr) != 0)
            throw std::runtime_error("openpty failed");
        m_master.Reset(master);
        ::close(slave); // the port under test opens its own descriptor by name
        m_slavePath = name;
        ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    }

    const std::string &SlavePath() const { return m_slavePath; }
    int Master() const { return m_master.Get(); }

    void Send(const std::string &bytes) const
    {
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(Master(), bytes.data() + done, bytes.size() - done);
            if (n > 0)
                done += static_cast<size_t>(n);
            else if (errno == EAGAIN)
                WaitFor(POLLOUT, 5000);
            else
                throw std::runtime_error("write to master failed");
        }
    }

    // Reads until `count` bytes arrived or nothing came for a generous while.
    std::string Receive(size_t count, int idleMs = 5000) const
    {
        std::string bytes;
        char buffer[4096];
        while (bytes.size() < count && WaitFor(POLLIN, idleMs)) {
            const ssize_t n = ::read(Master(), buffer, sizeof buffer);
            if (n <= 0)
                break;
            bytes.append(buffer, static_cast<size_t>(n));
        }
        return bytes;
    }

    termios SlaveSettings() const
    {
        termios tio{};
        ::tcgetattr(Master(), &tio);
        return tio;
    }

    // The peer goes away, as an unplugged adapter does.
    void HangUp() { m_master.Reset(); }

private:
    bool WaitFor(short events, int timeoutMs) const
    {
        pollfd p{Master(), events, 0};
        return ::poll(&p, 1, timeoutMs) > 0 && (p.revents & events);
    }

    zok::UniqueFd m_master;
    std::string m_slavePath;
};
