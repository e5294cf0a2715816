// The line server on Linux: the receiver simulator in this process, ser2net in the foreground.
#include "LineServer.h"

#include "Ser2net.h"
#include "Simulator.h"

#include <memory>

namespace zok::test {

namespace {
struct Running
{
    std::unique_ptr<sim::Simulator> simulator;
    std::unique_ptr<Ser2net> server;
    LineServer names;
};

Running Start()
{
    Running running;
    if (Ser2net::SkipWanted()) {
        running.names.skip = true;
        return running;
    }
    sim::SimulatorConfig config;
    config.receivers[0].firmware = kFirmwareWithFF;
    config.receivers.push_back(sim::ReceiverConfig{});
    config.receivers[1].address = 0x02;
    config.receivers[1].baud = 38400;
    running.simulator = std::make_unique<sim::Simulator>(config);
    running.server = std::make_unique<Ser2net>(running.simulator->start());
    if (!running.server->Start())
        running.names.problem = running.server->Problem();
    running.names.raw = running.server->RawName();
    running.names.rfc2217 = running.server->Rfc2217Name();
    running.names.refusing = running.server->RefusingName();
    running.names.silent = running.server->SilentName();
    running.names.nobody = "tcp://127.0.0.1:" + std::to_string(Ser2net::FreePort());
    return running;
}
} // namespace

const LineServer &TheLineServer()
{
    static const Running running = Start();
    return running.names;
}

} // namespace zok::test
