// zok-sim: virtual receivers on a pseudo-terminal. Prints the port path, then runs until
// SIGINT, SIGTERM or SIGHUP. With --tags-paused, SIGUSR1 starts and stops the tag reports.
#include "CommandLine.h"
#include "Simulator.h"

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <optional>
#include <pthread.h>
#include <system_error>
#include <utility>
#include <vector>

namespace {

int waitForEndSignal(const sigset_t &signals)
{
    int signal = 0;
    while (sigwait(&signals, &signal) != 0) {
    }
    return signal;
}

void makeLink(const std::string &linkPath, const std::string &target)
{
    std::error_code ignored;
    if (std::filesystem::is_symlink(linkPath, ignored))
        std::filesystem::remove(linkPath, ignored); // a link left by an earlier run
    std::filesystem::create_symlink(target, linkPath);
}

// Starts or stops every receiver's tag reports at its configured rate, and says how many frames
// were sent before the switch, so a measurement knows exactly what the flood put on the line.
class TagSwitch
{
public:
    explicit TagSwitch(zok::sim::SimulatorConfig &config)
    {
        for (auto &receiver : config.receivers) {
            rates_.emplace_back(receiver.address, receiver.tagRate);
            receiver.tagRate = 0;
        }
    }

    void toggle(zok::sim::Simulator &simulator)
    {
        on_ = !on_;
        const std::size_t sent = simulator.frameCount();
        for (const auto &[address, rate] : rates_)
            simulator.updateReceiver(address,
                                     [&](zok::sim::ReceiverConfig &r) { r.tagRate = on_ ? rate : 0; });
        std::cerr << "zok-sim: tag reports " << (on_ ? "on" : "off") << ", frames sent " << sent
                  << ", bytes refused by the full line " << simulator.refusedBytes() << std::endl;
    }

private:
    std::vector<std::pair<std::uint8_t, double>> rates_;
    bool on_ = false;
};

int run(const zok::sim::CommandLine::Result &options)
{
    // Block the end signals before any thread starts, so the simulator's thread inherits the mask
    // and this thread alone takes them with sigwait.
    sigset_t signals;
    sigemptyset(&signals);
    for (int s : {SIGINT, SIGTERM, SIGHUP, SIGUSR1})
        sigaddset(&signals, s);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    zok::sim::SimulatorConfig config = options.config;
    if (options.verbose)
        config.log = [](std::string_view line) { std::cerr << "zok-sim: " << line << std::endl; };
    std::optional<TagSwitch> tagSwitch;
    if (options.tagsPaused)
        tagSwitch.emplace(config);
    zok::sim::Simulator simulator(config);
    const std::string path = simulator.start();
    if (!options.linkPath.empty())
        makeLink(options.linkPath, path);
    std::cout << path << std::endl; // the first line, flushed: scripts read the port from it
    int signal = waitForEndSignal(signals);
    for (; signal == SIGUSR1; signal = waitForEndSignal(signals)) {
        if (tagSwitch)
            tagSwitch->toggle(simulator);
    }
    simulator.stop();
    if (!options.linkPath.empty())
        std::filesystem::remove(options.linkPath);
    if (options.verbose)
        std::cerr << "zok-sim: stopped by signal " << signal << std::endl;
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const auto options = zok::sim::CommandLine::parse({argv + 1, argv + argc});
    switch (options.action) {
    case zok::sim::CommandLine::Action::Help:
        std::cout << zok::sim::CommandLine::helpText();
        return 0;
    case zok::sim::CommandLine::Action::Error:
        std::cerr << "zok-sim: " << options.error << "\nTry 'zok-sim --help'.\n";
        return 2;
    case zok::sim::CommandLine::Action::Run:
        break;
    }
    try {
        return run(options);
    } catch (const std::exception &error) {
        std::cerr << "zok-sim: " << error.what() << '\n';
        return 1;
    }
}
