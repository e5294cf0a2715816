// How close a clone comes to the time the line itself needs, per receiver: ten receivers at
// 115200 baud with the simulator sending at the real wire rate, each with three parameters away
// from the file. For each receiver, the time from its selection to its verification (read,
// compare, restricted write, read-back), divided by the wire time of its exchanges (every
// character sent and received at 11 bits, plus the protocol's own pauses: 5 ms before every
// command, 10 ms more before every write). The scan is reported apart: it waits for a quiet line.
#include "CCloneBatch.h"
#include "CZOKExchange.h"
#include "CZOKProperties.h"
#include "FileComparison.h"
#include "IExchangeSettings.h"
#include "ParameterTable.h"
#include "RecordingView.h"
#include "Simulator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kReceivers = 10;
constexpr int kBaud = 115200;
constexpr int kSpeedIndex = 4;

class BenchSettings : public IExchangeSettings
{
public:
    QString PortName() const override { return port; }
    std::uint8_t ReceiverAddress() const override { return address; }
    QString port;
    std::uint8_t address = 0x01;
};

std::string AddressOf(const std::string &command)
{
    return command.size() >= 2 ? command.substr(command.size() - 2) : std::string();
}

// Characters on the wire for the exchanges with `address`: each command with its leading space and
// brackets, each answer with its brackets; and the protocol's pauses, also given apart.
double WireSeconds(const std::vector<zok::sim::CommandRecord> &records, const std::string &address,
                   double &pauseSeconds)
{
    std::size_t characters = 0;
    double pauses = 0;
    for (const auto &record : records) {
        if (AddressOf(record.text) != address || record.text.rfind("01", 0) == 0)
            continue;
        characters += record.text.size() + 3;
        for (const auto &answer : record.answers)
            characters += answer.size() + 2;
        const bool write = record.text.rfind("99", 0) != 0;
        pauses += write ? 0.015 : 0.005;
    }
    pauseSeconds = pauses;
    return static_cast<double>(characters) * 11.0 / kBaud + pauses;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    zok::sim::SimulatorConfig config;
    config.paceAtWireRate = true;
    config.receivers.clear();
    for (int i = 0; i < kReceivers; ++i) {
        zok::sim::ReceiverConfig receiver;
        receiver.address = static_cast<std::uint8_t>(0x10 + i);
        receiver.baud = kBaud;
        receiver.registers[0x0B] = static_cast<std::uint8_t>(0x40 + i);
        config.receivers.push_back(receiver);
    }
    zok::sim::Simulator sim(config);
    BenchSettings settings;
    settings.port = QString::fromStdString(sim.start());
    CZOKProperties model;
    model.SetSupportedMask(zok::AllParametersMask());
    model.SetValue(ParameterId::RX_VITESSE, kSpeedIndex);
    RecordingView view;
    CZOKExchange engine(settings, model, view);
    engine.OpenSerialPort(false);

    CZOKProperties file;
    file.SetValue(ParameterId::RX_SENSIBILITY, 0x80);
    file.SetValue(ParameterId::RX_TIMEOUT, 9);
    file.SetValue(ParameterId::RX_NB_TAGS_MIN, 4);
    zok::CCloneBatch batch(
        engine, model, [&](std::uint8_t address) { settings.address = address; }, 0x01);

    QElapsedTimer clock;
    std::vector<qint64> started(kReceivers, 0);
    std::vector<double> seconds(kReceivers, 0);
    qint64 scanNs = 0;
    QEventLoop loop;
    QObject::connect(&batch, &zok::CCloneBatch::ScanFinished, &loop, [&] { scanNs = clock.nsecsElapsed(); });
    QObject::connect(&batch, &zok::CCloneBatch::ReceiverStarted, &loop,
                     [&](int index) { started[static_cast<std::size_t>(index)] = clock.nsecsElapsed(); });
    QObject::connect(&batch, &zok::CCloneBatch::ReceiverFinished, &loop, [&](int index) {
        const auto i = static_cast<std::size_t>(index);
        seconds[i] = static_cast<double>(clock.nsecsElapsed() - started[i]) / 1e9;
    });
    QObject::connect(&batch, &zok::CCloneBatch::Finished, &loop, [&] { loop.quit(); });
    clock.start();
    batch.Start(file, zok::AppliedKeysMask(22));
    if (batch.Running())
        loop.exec();

    const auto records = sim.commands();
    std::vector<double> ratios;
    double total = 0;
    double wireTotal = 0;
    double pauseTotal = 0;
    int verified = 0;
    for (std::size_t i = 0; i < batch.Results().size(); ++i) {
        const auto &result = batch.Results()[i];
        double pauses = 0;
        const double wire = WireSeconds(records, result.AddressText().toStdString(), pauses);
        pauseTotal += pauses;
        verified += result.Result == zok::CloneResult::Outcome::Verified ? 1 : 0;
        ratios.push_back(seconds[i] / wire);
        total += seconds[i];
        wireTotal += wire;
        std::printf("receiver %s: %6.1f ms for %6.1f ms of wire time, ratio %.3f, %d written\n",
                    result.AddressText().toUtf8().constData(), seconds[i] * 1e3, wire * 1e3,
                    seconds[i] / wire, result.Written);
    }
    std::sort(ratios.begin(), ratios.end());
    const auto count = static_cast<double>(std::max<std::size_t>(ratios.size(), 1));
    std::printf(
        "clone to %zu receivers at %d baud (%d verified): per receiver %.1f ms for %.1f ms of wire "
        "time (%.1f ms of it protocol pauses), median ratio %.3f (min %.3f, max %.3f, target <= 1.15); "
        "scan %.0f ms\n",
        ratios.size(), kBaud, verified, total / count * 1e3, wireTotal / count * 1e3,
        pauseTotal / count * 1e3, ratios.empty() ? 0.0 : ratios[ratios.size() / 2],
        ratios.empty() ? 0.0 : ratios.front(), ratios.empty() ? 0.0 : ratios.back(),
        static_cast<double>(scanNs) / 1e6);
    return verified == kReceivers ? 0 : 1;
}
