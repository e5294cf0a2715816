#pragma once

#include "TempDir.h"

#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <netinet/in.h>
#include <spawn.h>
#include <string>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace zok::test {

// Debian's ser2net (4.x), run in the foreground by a test: it serves one serial device on
// 127.0.0.1 through three accepters on free ports, one raw, one telnet with RFC 2217, one telnet
// without it. Kill and Start again keep the ports. A missing ser2net is a failure, not a skip, unless
// ZOK_SKIP_SER2NET=1 says that this machine has none (for local runs only; CI installs it).
class Ser2net
{
public:
    // How its connections pass bytes on: as the README sets them (at once: no Nagle delay on the
    // connection, no waiting for more characters from the line), or as ser2net does by default.
    enum class Tuning { Prompt, Defaults };

    explicit Ser2net(std::string device, Tuning tuning = Tuning::Prompt)
        : m_device(std::move(device)), m_tuning(tuning), m_raw(FreePort()), m_rfc2217(FreePort()),
          m_telnet(FreePort())
    {
    }
    ~Ser2net() { Kill(); }
    Ser2net(const Ser2net &) = delete;
    Ser2net &operator=(const Ser2net &) = delete;

    static std::string Program()
    {
        for (const char *path : {"/usr/sbin/ser2net", "/usr/bin/ser2net", "/usr/local/sbin/ser2net"}) {
            if (::access(path, X_OK) == 0)
                return path;
        }
        return {};
    }
    static bool SkipWanted()
    {
        const char *skip = std::getenv("ZOK_SKIP_SER2NET");
        return skip != nullptr && std::string(skip) == "1";
    }

    // Starts it and waits until every accepter takes connections; false (with Problem()) when
    // it does not come up.
    bool Start()
    {
        const std::string program = Program();
        if (program.empty()) {
            m_problem = "ser2net is not installed (scripts/deps.sh installs it)";
            return false;
        }
        const std::string config = m_dir.file("ser2net.yaml");
        std::ofstream(config) << Config();
        if (!Spawn({program, "-n", "-d", "-u", "-c", config, "-P", m_dir.file("ser2net.pid")})) {
            m_problem = "ser2net could not be started";
            return false;
        }
        for (int attempt = 0; attempt < 100; ++attempt) {
            if (Accepts(m_raw) && Accepts(m_rfc2217) && Accepts(m_telnet))
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        m_problem = "ser2net did not start listening: " + Log();
        return false;
    }
    // Ends it at once, as a crash or a pulled plug would: its connections are cut.
    void Kill()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        m_pid = -1;
    }
    // What it said on its standard output and error (-d: its debug lines).
    std::string Log() const
    {
        std::ifstream in(m_dir.file("ser2net.log"));
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::string RawName() const { return "tcp://127.0.0.1:" + std::to_string(m_raw); }
    std::string Rfc2217Name() const { return "rfc2217://127.0.0.1:" + std::to_string(m_rfc2217); }
    // A telnet server that refuses RFC 2217, and a raw one, behind rfc2217:// names.
    std::string RefusingName() const { return "rfc2217://127.0.0.1:" + std::to_string(m_telnet); }
    std::string SilentName() const { return "rfc2217://127.0.0.1:" + std::to_string(m_raw); }
    const std::string &Problem() const { return m_problem; }

    // A TCP port on 127.0.0.1 that nothing listens on now.
    static int FreePort()
    {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        ::bind(fd, reinterpret_cast<sockaddr *>(&address), size);
        ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &size);
        ::close(fd);
        return ntohs(address.sin_port);
    }

private:
    // Its output goes to a file: a pipe nobody reads would stop it once full.
    bool Spawn(std::vector<std::string> args)
    {
        std::vector<char *> argv;
        for (std::string &a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        const std::string log = m_dir.file("ser2net.log");
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(), O_WRONLY | O_CREAT | O_APPEND,
                                         0644);
        posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        const bool started = posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ) == 0;
        posix_spawn_file_actions_destroy(&actions);
        if (!started)
            m_pid = -1;
        return started;
    }
    // The raw accepter drops its client when another connects: a server ending a connection.
    std::string Config() const
    {
        const bool prompt = m_tuning == Tuning::Prompt;
        const auto connection = [&](const std::string &name, const std::string &protocol, int port,
                                    const std::string &options) {
            const std::string all = (prompt ? "    chardelay: false\n" : "") + options;
            return "connection: &" + name + "\n  accepter: " + protocol +
                   (prompt ? "tcp(nodelay)," : "tcp,") + "127.0.0.1," + std::to_string(port) +
                   "\n  connector: serialdev," + m_device + ",9600n82,local\n" +
                   (all.empty() ? "" : "  options:\n" + all);
        };
        return "%YAML 1.1\n---\n" + connection("raw", "", m_raw, "    kickolduser: true\n") +
               connection("rfc2217", "telnet(rfc2217),", m_rfc2217, "") +
               connection("telnet", "telnet,", m_telnet, "");
    }
    static bool Accepts(int port)
    {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        const bool accepted = ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
        ::close(fd);
        return accepted;
    }

    TempDir m_dir;
    std::string m_device;
    Tuning m_tuning;
    int m_raw;
    int m_rfc2217;
    int m_telnet;
    pid_t m_pid = -1;
    std::string m_problem;
};

} // namespace zok::test
