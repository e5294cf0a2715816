// What a device server costs a full parameter read: the time from Read to "Read OK" through
// ser2net's RFC 2217 accepter on the loopback, against the same read on the simulator's
// pseudo-terminal itself, at 9600 and 115200 baud, the simulator sending at the real wire rate.
// The two kinds of read alternate, so that a change of load on the machine weighs on both. ser2net
// runs as the README sets it, then with its defaults.
#include "CZOKExchange.h"
#include "CZOKProperties.h"
#include "IExchangeSettings.h"
#include "ParameterTable.h"
#include "RecordingView.h"
#include "Ser2net.h"
#include "Simulator.h"
#include "ZokText.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
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

// One full read on `port` at the speed of `speedIndex`, in milliseconds; negative when it failed.
double ReadMs(const std::string &port, int speedIndex)
{
    BenchSettings settings;
    settings.port = QString::fromStdString(port);
    CZOKProperties model;
    model.SetSupportedMask(zok::AllParametersMask());
    model.SetValue(ParameterId::RX_VITESSE, speedIndex);
    RecordingView view;
    CZOKExchange engine(settings, model, view);
    if (!engine.OpenSerialPort(false)) {
        std::fprintf(stderr, "%s did not open\n", port.c_str());
        return -1;
    }
    QEventLoop loop;
    QElapsedTimer clock;
    double elapsed = -1;
    view.onMessage = [&](const RecordingView::Line &line) {
        if (line.text == zok::Text(140) || line.text == zok::Text(141)) {
            elapsed = line.text == zok::Text(140) ? static_cast<double>(clock.nsecsElapsed()) / 1e6 : -1;
            loop.quit();
        }
    };
    clock.start();
    engine.ReadParameters();
    loop.exec();
    engine.CloseSerialPort();
    if (elapsed < 0)
        std::fprintf(stderr, "the read on %s failed\n", port.c_str());
    // ser2net lets the device go some 60 ms after its client left; until then it may still read it.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    return elapsed;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool Report(int baud, int speedIndex, zok::test::Ser2net::Tuning tuning)
{
    zok::sim::SimulatorConfig config;
    config.paceAtWireRate = true;
    config.receivers[0].baud = baud;
    zok::sim::Simulator sim(config);
    const std::string device = sim.start();
    zok::test::Ser2net server(device, tuning);
    if (!server.Start()) {
        std::fprintf(stderr, "%s\n", server.Problem().c_str());
        return false;
    }
    // Its start was checked by connecting: let it free the device again.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    std::vector<double> direct;
    std::vector<double> network;
    for (int run = 0; run < kRuns; ++run) {
        direct.push_back(ReadMs(device, speedIndex));
        network.push_back(ReadMs(server.Rfc2217Name(), speedIndex));
    }
    if (*std::min_element(direct.begin(), direct.end()) < 0 ||
        *std::min_element(network.begin(), network.end()) < 0) {
        std::fprintf(stderr, "a read failed at %d baud\n", baud);
        return false;
    }
    const double ratio = Median(network) / Median(direct);
    const bool prompt = tuning == zok::test::Ser2net::Tuning::Prompt;
    const auto low = [](const std::vector<double> &v) { return *std::min_element(v.begin(), v.end()); };
    const auto high = [](const std::vector<double> &v) { return *std::max_element(v.begin(), v.end()); };
    std::printf("full read at %6d baud, ser2net %s: pseudo-terminal %6.1f ms (%.1f..%.1f), RFC 2217 %6.1f ms "
                "(%.1f..%.1f), ratio %.3f%s\n",
                baud, prompt ? "as the README sets it" : "with its defaults ", Median(direct), low(direct),
                high(direct), Median(network), low(network), high(network), ratio,
                prompt ? " (target <= 1.15)" : "");
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    using Tuning = zok::test::Ser2net::Tuning;
    const bool ok = Report(9600, 0, Tuning::Prompt) && Report(115200, 4, Tuning::Prompt) &&
                    Report(9600, 0, Tuning::Defaults) && Report(115200, 4, Tuning::Defaults);
    return ok ? 0 : 1;
}
