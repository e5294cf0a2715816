// A lost port coming back: the time from the device path reappearing to the port being open and
// the engine Idle, over 20 replugs (the engine looks once a second, so the replugs fall at random
// points of that second), and the CPU the waiting costs while the port stays away. Real serial
// code: the receiver simulator's pseudo-terminal behind a symbolic link, as an adapter behind its
// by-id name; a replug is a new simulator behind the same link.
#include "CZOKExchange.h"
#include "CZOKProperties.h"
#include "IExchangeSettings.h"
#include "RecordingView.h"
#include "Simulator.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int kReplugs = 20;
constexpr int kIdleSeconds = 10;

class BenchSettings : public IExchangeSettings
{
public:
    QString PortName() const override { return port; }
    std::uint8_t ReceiverAddress() const override { return 0x01; }
    QString port;
};

// Ends the running wait when the port is back.
class BenchView : public RecordingView
{
public:
    void ReportPortBack(const QString &, int) override
    {
        if (loop)
            loop->quit();
    }
    QEventLoop *loop = nullptr;
};

// Runs the event loop for `ms`, or until `view` reports the port back when it is given.
void RunLoop(int ms, BenchView *view = nullptr)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    if (view)
        view->loop = &loop;
    loop.exec();
    if (view)
        view->loop = nullptr;
}

struct Line
{
    std::string link;
    std::unique_ptr<zok::sim::Simulator> sim;

    void Plug()
    {
        sim = std::make_unique<zok::sim::Simulator>();
        std::filesystem::create_symlink(sim->start(), link);
    }
    void Unplug()
    {
        sim.reset();
        std::filesystem::remove(link);
    }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    Line line{QDir(dir.path()).filePath(QStringLiteral("ttyUSB-by-id")).toStdString(), nullptr};
    line.Plug();
    BenchSettings settings;
    settings.port = QString::fromStdString(line.link);
    CZOKProperties model;
    BenchView view;
    CZOKExchange engine(settings, model, view);
    if (!engine.OpenSerialPort(false)) {
        std::fprintf(stderr, "the port could not be opened\n");
        return 1;
    }

    std::mt19937 random(7);
    std::vector<double> ms;
    for (int i = 0; i < kReplugs; ++i) {
        line.Unplug();
        RunLoop(200); // the listener reports the loss
        if (!engine.WaitingForPort()) {
            std::fprintf(stderr, "the loss was not noticed\n");
            return 1;
        }
        RunLoop(std::uniform_int_distribution<int>(0, 999)(random));
        QElapsedTimer clock;
        clock.start();
        line.Plug();
        RunLoop(10000, &view);
        if (!engine.IsPortOpen() || engine.State() != ExchangeState::Idle) {
            std::fprintf(stderr, "the port did not come back\n");
            return 1;
        }
        ms.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    const double median = (ms[kReplugs / 2 - 1] + ms[kReplugs / 2]) / 2;
    std::printf(
        "replug to Idle, %d replugs: median %.0f ms, worst %.0f ms, best %.0f ms (target: under 1200 ms)\n",
        kReplugs, median, ms.back(), ms.front());

    line.Unplug();
    RunLoop(200);
    const auto checks = engine.PortChecks();
    QElapsedTimer wall;
    wall.start();
    const std::clock_t cpu = std::clock();
    RunLoop(kIdleSeconds * 1000);
    const double cpuSeconds = static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC;
    const double wallSeconds = static_cast<double>(wall.nsecsElapsed()) / 1e9;
    std::printf(
        "waiting for a missing port, %.1f s: CPU %.4f %% of a core (%.1f ms), %llu looks for the port "
        "(target: under 0.1 %%)\n",
        wallSeconds, 100.0 * cpuSeconds / wallSeconds, cpuSeconds * 1000,
        static_cast<unsigned long long>(engine.PortChecks() - checks));
    return 0;
}
