// How close a parameter read and a write sequence come to the time the line itself needs: the
// time from the button to "Read OK" / "Write OK", divided by the wire time of the exchange (every
// character sent and received at 11 bits, plus the protocol's own pauses), with the simulator
// sending at the real wire rate. For a write sequence also the latency per command: the time
// beyond the answers' wire time and the protocol's pauses, divided by the commands (the commands
// themselves reach the simulator at once through the pseudo-terminal). Each command waits for the
// acknowledgement of the one before, so a frame held back on its way to the engine shows here.
#include "CZOKExchange.h"
#include "CZOKProperties.h"
#include "IExchangeSettings.h"
#include "ParameterTable.h"
#include "RecordingView.h"
#include "Simulator.h"
#include "ZokText.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 11;

class BenchSettings : public IExchangeSettings
{
public:
    QString PortName() const override { return port; }
    std::uint8_t ReceiverAddress() const override { return 0x01; }
    QString port;
};

// Stops the clock on the given success line.
struct Timing
{
    QString awaited;
    QElapsedTimer clock;
    QEventLoop loop;
    qint64 elapsedNs = 0;
    bool done = false;

    void Watch(RecordingView &view)
    {
        view.onMessage = [this](const RecordingView::Line &line) {
            if (line.text == awaited && !done) {
                elapsedNs = clock.nsecsElapsed();
                done = true;
                loop.quit();
            }
        };
    }
};

double WireSeconds(std::size_t characters, int baud)
{
    return static_cast<double>(characters) * 11.0 / baud;
}

std::size_t FrameCharacters(const std::vector<std::string> &texts)
{
    std::size_t total = 0;
    for (const auto &text : texts)
        total += text.size() + 2; // the brackets
    return total;
}

struct Run
{
    double ratio = 0;
    double seconds = 0;
    double wire = 0;
    double latencyMs = 0; // per command, beyond the answers' wire time and the pauses
};

// One exchange: `write` false for a read, true for a write sequence.
Run Measure(int baud, bool write)
{
    zok::sim::SimulatorConfig config;
    config.paceAtWireRate = true;
    config.receivers[0].baud = baud;
    zok::sim::Simulator sim(config);
    BenchSettings settings;
    settings.port = QString::fromStdString(sim.start());
    CZOKProperties model;
    model.SetSupportedMask(zok::AllParametersMask());
    int speedIndex = 0;
    while (speedIndex < 4 && (9600 << speedIndex) < baud)
        ++speedIndex;
    model.SetValue(ParameterId::RX_VITESSE, baud == 115200 ? 4 : speedIndex);
    RecordingView view;
    Timing timing;
    timing.Watch(view);
    CZOKExchange engine(settings, model, view);
    engine.OpenSerialPort(false);
    timing.awaited = zok::Text(write ? 149 : 140);
    timing.clock.start();
    write ? engine.WriteParameters() : engine.ReadParameters();
    if (!timing.done)
        timing.loop.exec();
    const auto commands = sim.commands();
    std::vector<std::string> sent;
    for (const auto &command : commands)
        sent.push_back(command.text);
    const std::size_t characters =
        FrameCharacters(sent) + commands.size() + FrameCharacters(sim.framesSent());
    const double pauses = static_cast<double>(commands.size()) * (write ? 0.015 : 0.005);
    Run run;
    run.seconds = static_cast<double>(timing.elapsedNs) / 1e9;
    run.wire = WireSeconds(characters, baud) + pauses;
    run.ratio = run.seconds / run.wire;
    const double answersWire = WireSeconds(FrameCharacters(sim.framesSent()), baud);
    run.latencyMs = (run.seconds - answersWire - pauses) * 1e3 /
                    static_cast<double>(std::max<std::size_t>(commands.size(), 1));
    return run;
}

// `latencyTarget` < 0: no latency line.
void Report(const char *what, int baud, bool write, double target, double latencyTarget = -1)
{
    std::vector<Run> runs;
    for (int i = 0; i < kRuns; ++i)
        runs.push_back(Measure(baud, write));
    std::sort(runs.begin(), runs.end(), [](const Run &a, const Run &b) { return a.ratio < b.ratio; });
    const Run &median = runs[runs.size() / 2];
    std::printf("%-6s at %6d baud: %7.1f ms for %7.1f ms of wire time, ratio %.3f (min %.3f, max %.3f, "
                "target <= %.2f)\n",
                what, baud, median.seconds * 1e3, median.wire * 1e3, median.ratio, runs.front().ratio,
                runs.back().ratio, target);
    if (latencyTarget >= 0)
        std::printf("%-6s at %6d baud: latency %.2f ms per command beyond its answer and the pauses "
                    "(target <= %.2f)\n",
                    what, baud, median.latencyMs, latencyTarget);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    Report("read", 9600, false, 1.05);
    Report("read", 115200, false, 1.25);
    // A write waits for each acknowledgement: the frame that carries it must reach the engine at
    // once, not with the next batch of a busy line (that would add up to 5 ms a command). At 9600
    // the ratio is below 1, about 0.73: the commands' wire time is counted, but the
    // pseudo-terminal hands them over at once. The latency is about 0.2 ms at 9600 and 1.2 ms at
    // 115200, as it was before the busy line's pause existed.
    Report("write", 9600, true, 0.80, 1.5);
    Report("write", 115200, true, 1.05, 1.5);
    return 0;
}
