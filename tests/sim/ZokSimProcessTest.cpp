// The zok-sim command as scripts use it: first line the port, answers on it, clean end on a signal.
#include "PtyClient.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Child
{
    pid_t pid = -1;
    int out = -1; // the child's stdout

    explicit Child(std::vector<std::string> args)
    {
        args.insert(args.begin(), ZOK_SIM_BINARY);
        std::vector<char *> argv;
        for (std::string &a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        int pipeFds[2];
        if (::pipe(pipeFds) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
        if (posix_spawn(&pid, ZOK_SIM_BINARY, &actions, nullptr, argv.data(), environ) != 0)
            pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(pipeFds[1]);
        out = pipeFds[0];
    }
    ~Child()
    {
        if (pid > 0) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
        ::close(out);
    }

    // Everything the child writes to stdout until it closes it, or the first line only.
    std::string read(bool firstLineOnly)
    {
        std::string text;
        char c = 0;
        pollfd p{out, POLLIN, 0};
        while (::poll(&p, 1, 10000) > 0 && ::read(out, &c, 1) == 1) {
            if (firstLineOnly && c == '\n')
                break;
            text.push_back(c);
        }
        return text;
    }

    int wait()
    {
        int status = 0;
        ::waitpid(pid, &status, 0);
        pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
};

TEST(ZokSim, PrintsThePortThenAnswersUntilTerminated)
{
    Child child({"--speed", "38400", "--firmware", " v13.6.0"});
    ASSERT_GT(child.pid, 0);
    const std::string path = child.read(true);
    ASSERT_EQ(path.rfind("/dev/", 0), 0u) << path;
    {
        zok::sim::test::PtyClient client(path, 38400);
        EXPECT_EQ(client.ask("980001", 1), std::vector<std::string>{"VE v13.6.0"});
    }
    ::kill(child.pid, SIGTERM);
    EXPECT_EQ(child.wait(), 0);
}

TEST(ZokSim, EndsCleanlyOnInterrupt)
{
    Child child({});
    ASSERT_FALSE(child.read(true).empty());
    ::kill(child.pid, SIGINT);
    EXPECT_EQ(child.wait(), 0);
}

TEST(ZokSim, HelpAndUsageErrors)
{
    Child help({"--help"});
    EXPECT_NE(help.read(false).find("Usage: zok-sim"), std::string::npos);
    EXPECT_EQ(help.wait(), 0);
    Child bad({"--speed", "1234"});
    EXPECT_TRUE(bad.read(false).empty());
    EXPECT_EQ(bad.wait(), 2);
}

} // namespace
