#pragma once

#include "CZOKExchange.h"
#include "CZOKProperties.h"
#include "IExchangeSettings.h"
#include "ParameterTable.h"
#include "RecordingView.h"
#include "Simulator.h"
#include "ZokText.h"

#include <QCoreApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>

class FixedSettings : public IExchangeSettings
{
public:
    QString PortName() const override { return portName; }
    std::uint8_t ReceiverAddress() const override { return address; }

    QString portName;
    std::uint8_t address = 0x01;
};

// One engine with a recording view, talking through a pseudo-terminal to the receiver simulator.
class EngineHarness : public ::testing::Test
{
protected:
    static constexpr int kWaitMs = 15000; // generous: only a broken engine ever waits this long

    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "engine-tests";
        static char *argv[] = {name, nullptr};
        static QCoreApplication app(argc, argv);
    }

    // Starts the simulator with `config`, then the engine on its port with the port opened, as the
    // main window does at start-up (every parameter supported until the first read).
    void Start(zok::sim::SimulatorConfig config = {}, std::uint8_t address = 0x01,
               ExchangeTimings timings = {})
    {
        sim = std::make_unique<zok::sim::Simulator>(std::move(config));
        settings.portName = QString::fromStdString(sim->start());
        settings.address = address;
        model.SetSupportedMask(zok::AllParametersMask());
        engine = std::make_unique<CZOKExchange>(settings, model, view, timings);
        ASSERT_TRUE(engine->OpenSerialPort(true));
    }

    void TearDown() override
    {
        engine.reset();
        if (sim)
            sim->stop();
    }

    template <typename Predicate> bool WaitFor(Predicate predicate)
    {
        return QTest::qWaitFor(predicate, kWaitMs);
    }
    bool WaitForMessage(int textId, int count = 1)
    {
        return WaitFor([&] { return view.MessageTexts().count(zok::Text(textId)) >= count; });
    }
    bool WaitForTraffic(const QString &line)
    {
        return WaitFor([&] { return view.TrafficTexts().contains(line); });
    }
    bool WaitForIdle()
    {
        return WaitFor([&] { return engine->State() == ExchangeState::Idle; });
    }
    // The texts the program sent, as the receivers heard them.
    std::vector<std::string> SentTexts() const
    {
        std::vector<std::string> texts;
        for (const auto &command : sim->commands())
            texts.push_back(command.text);
        return texts;
    }
    int MaxProgress() const { return *std::max_element(view.progress.begin(), view.progress.end()); }

    std::unique_ptr<zok::sim::Simulator> sim;
    FixedSettings settings;
    CZOKProperties model;
    RecordingView view;
    std::unique_ptr<CZOKExchange> engine;
};

// Shorter time-outs for the cases that must run into them.
inline ExchangeTimings ShortTimeouts()
{
    ExchangeTimings timings;
    timings.readTimeout = 400;
    timings.writeTimeout = 600;
    return timings;
}

constexpr int kTextReadOk = 140;
constexpr int kTextReadError = 141;
constexpr int kTextWriteError = 142;
constexpr int kTextWriteOk = 149;
constexpr int kTextCheckLink = 173;
constexpr int kTextSpeedChanged = 225;
