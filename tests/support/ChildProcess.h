#pragma once

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace zok::test {

// A program run as a child process with its standard output and error on pipes, started in a
// given folder (empty: this one). Killed at the end if it still runs.
class ChildProcess
{
public:
    ChildProcess(const std::string &program, std::vector<std::string> args, const std::string &folder = {})
    {
        args.insert(args.begin(), program);
        std::vector<char *> argv;
        for (std::string &a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        int outPipe[2];
        int errPipe[2];
        if (::pipe2(outPipe, O_CLOEXEC) != 0 || ::pipe2(errPipe, O_CLOEXEC) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
        if (!folder.empty())
            posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
        if (posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(outPipe[1]);
        ::close(errPipe[1]);
        m_out = outPipe[0];
        m_err = errPipe[0];
    }
    ~ChildProcess()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        ::close(m_out);
        ::close(m_err);
    }
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    bool Started() const { return m_pid > 0; }
    void Signal(int signal) const { ::kill(m_pid, signal); }

    // The next line of standard output, or error (without its line end); empty at its end.
    std::string ReadLine() { return ReadLineOf(m_out); }
    std::string ReadErrorLine() { return ReadLineOf(m_err); }

    // Reads both outputs to their end, then waits for the exit; the exit status (128 + signal
    // for a child killed by a signal).
    int Finish()
    {
        pollfd fds[2] = {{m_out, POLLIN, 0}, {m_err, POLLIN, 0}};
        int open = 2;
        while (open > 0 && ::poll(fds, 2, kPatienceMs) > 0) {
            for (int i = 0; i < 2; ++i) {
                if (fds[i].fd < 0 || fds[i].revents == 0)
                    continue;
                char buffer[4096];
                const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
                if (n <= 0) {
                    fds[i].fd = -1;
                    --open;
                } else {
                    (i == 0 ? out : err).append(buffer, static_cast<std::size_t>(n));
                }
            }
        }
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    std::string out; // what Finish read
    std::string err;

private:
    static std::string ReadLineOf(int fd)
    {
        std::string line;
        char c = 0;
        pollfd p{fd, POLLIN, 0};
        while (::poll(&p, 1, kPatienceMs) > 0 && ::read(fd, &c, 1) == 1 && c != '\n')
            line.push_back(c);
        return line;
    }

    static constexpr int kPatienceMs = 30000; // only a hung child waits this long

    pid_t m_pid = -1;
    int m_out = -1;
    int m_err = -1;
};

} // namespace zok::test
