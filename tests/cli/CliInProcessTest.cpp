// Pieces of zok-cli in this process: what a command keeps while it runs against the receiver
// simulator, and Ctrl+C when its watcher cannot be set up.
#include "CliSession.h"
#include "CliStatus.h"
#include "Commands.h"
#include "InterruptWatcher.h"
#include "Simulator.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace zok::cli;

class CliInProcess : public ::testing::Test
{
protected:
    int argc = 1;
    char name[5] = "test";
    char *argv[2] = {name, nullptr};
    QCoreApplication app{argc, argv};
};

// A run without --duration lasts for hours: in text mode nothing may pile up per reading.
TEST_F(CliInProcess, RadioInTextModeKeepsNoReading)
{
    zok::sim::Simulator sim;
    CliOptions options;
    options.command = QStringLiteral("radio");
    options.port = QString::fromStdString(sim.start());
    options.quiet = true;
    options.periodMs = 20;
    options.durationSeconds = 0.5;
    CliSession session(options, CliDefaults{});
    const CommandResult result = RunRadio(session);
    EXPECT_EQ(result.status, kSuccess) << session.Error().toStdString();
    EXPECT_TRUE(result.json.isEmpty());
}

// No descriptor left for the signals: Ctrl+C must end the program rather than do nothing.
TEST_F(CliInProcess, AWatcherThatCannotBeSetUpGivesCtrlCBack)
{
    InterruptWatcher::BlockSignals();
    {
        // UBSan checks the watcher's type once, through a pipe: while descriptors are left.
        const InterruptWatcher first;
    }
    rlimit limit{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &limit), 0);
    rlimit low = limit;
    low.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &low), 0);
    std::vector<int> taken;
    for (int fd = ::open("/dev/null", O_RDONLY); fd >= 0; fd = ::open("/dev/null", O_RDONLY))
        taken.push_back(fd);
    {
        const InterruptWatcher watcher;
    }
    for (int fd : taken)
        ::close(fd);
    ::setrlimit(RLIMIT_NOFILE, &limit);
    sigset_t blocked;
    ASSERT_EQ(pthread_sigmask(SIG_BLOCK, nullptr, &blocked), 0);
    EXPECT_EQ(sigismember(&blocked, SIGINT), 0);
    EXPECT_EQ(sigismember(&blocked, SIGTERM), 0);
}

} // namespace
