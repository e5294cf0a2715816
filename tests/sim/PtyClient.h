#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace zok::sim::test {

// The program's side of the line for tests: opens the slave path in raw mode, 8N2, at a speed,
// sends commands and collects the bracketed frames that come back.
class PtyClient
{
public:
    PtyClient(const std::string &path, int baud);
    ~PtyClient();
    PtyClient(const PtyClient &) = delete;
    PtyClient &operator=(const PtyClient &) = delete;

    void setBaud(int baud);
    // Writes " [" + text + "]".
    void send(const std::string &text);
    void sendBytes(const std::string &bytes);
    // Waits (poll, generous time-out) until `count` frames have arrived since the last take, and
    // returns them all; fewer when the time-out ends first.
    std::vector<std::string> takeFrames(std::size_t count,
                                        std::chrono::milliseconds timeout = std::chrono::seconds(10));
    // Sends a command and waits for `count` frames.
    std::vector<std::string> ask(const std::string &text, std::size_t count);
    // Every byte received so far and not yet taken as a frame.
    const std::string &pending() const { return buffer_; }
    int fd() const { return fd_; }

private:
    void cut(std::vector<std::string> &frames);

    int fd_ = -1;
    std::string buffer_;
};

} // namespace zok::sim::test
