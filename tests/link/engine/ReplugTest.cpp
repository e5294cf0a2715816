// A line that goes away and comes back, through the real serial code: the receiver simulator's
// pseudo-terminal is reached through a symbolic link, as an adapter through its by-id name. An
// unplug stops the simulator (its pseudo-terminal hangs up) and removes the link; a replug starts a
// new simulator and points the link at its new pseudo-terminal.
#include "EngineHarness.h"
#include "LineText.h"
#include "TempDir.h"

#include <QSignalSpy>

#include <filesystem>

namespace {

constexpr int kTextClosed = 136;
constexpr int kTextLostTraffic = 441;
constexpr int kTextBack = 442;
constexpr int kTextAcknowledged = 443;

// Looks for the port every 50 ms, so that the cases do not wait whole seconds.
ExchangeTimings QuickChecks()
{
    ExchangeTimings timings;
    timings.portCheckPeriod = 50;
    return timings;
}

class ReplugTest : public EngineHarness
{
protected:
    void StartLinked(zok::sim::SimulatorConfig config = {}, int speedIndex = 0)
    {
        m_config = config;
        Plug();
        settings.portName = QString::fromStdString(m_link);
        model.SetSupportedMask(zok::AllParametersMask());
        model.SetValue(ParameterId::RX_VITESSE, speedIndex);
        engine = std::make_unique<CZOKExchange>(settings, model, view, QuickChecks());
        ASSERT_TRUE(engine->OpenSerialPort(true));
    }
    void Unplug()
    {
        sim->stop();
        std::filesystem::remove(m_link);
    }
    void Plug()
    {
        sim = std::make_unique<zok::sim::Simulator>(m_config);
        std::filesystem::create_symlink(sim->start(), m_link);
    }
    bool WaitForLoss()
    {
        return WaitFor([&] { return engine->WaitingForPort(); });
    }

    zok::test::TempDir m_dir;
    std::string m_link = m_dir.file("ttyUSB-by-id");
    zok::sim::SimulatorConfig m_config;
};

TEST_F(ReplugTest, TheLossIsReportedOnceAndThePortComesBackAtItsSpeed)
{
    zok::sim::SimulatorConfig config;
    config.receivers[0].baud = 19200;
    StartLinked(config, 1);
    Unplug();
    ASSERT_TRUE(WaitForLoss());
    EXPECT_FALSE(engine->IsPortOpen());
    EXPECT_TRUE(view.portChecked);
    EXPECT_FALSE(view.readEnabled || view.writeEnabled);
    // Nothing there yet: it keeps looking, and says nothing more.
    const auto checks = engine->PortChecks();
    ASSERT_TRUE(WaitFor([&] { return engine->PortChecks() >= checks + 2; }));
    EXPECT_TRUE(engine->WaitingForPort());

    Plug();
    ASSERT_TRUE(WaitFor([&] { return engine->IsPortOpen(); }));
    EXPECT_FALSE(engine->WaitingForPort());
    EXPECT_TRUE(view.portChecked && view.readEnabled && view.writeEnabled);
    EXPECT_EQ(view.lostPorts, QStringList{settings.portName});
    EXPECT_EQ(view.TrafficIn(LineColour::Red), QStringList{FillText(kTextLostTraffic, {settings.portName})});
    EXPECT_EQ(view.MessagesIn(LineColour::Green).last(),
              FillText(kTextBack, {settings.portName, QStringLiteral("19200")}));
    // The receiver answers only at its own speed: the read proves the line got it back.
    engine->ReadParameters();
    EXPECT_TRUE(WaitForMessage(kTextReadOk));
}

// The answers of an exchange the loss cut will not come: it ends failed at the loss, not at its
// time-out, and not as a success when the port comes back in time.
TEST_F(ReplugTest, AReadCutByTheLossEndsFailedAtOnce)
{
    zok::sim::SimulatorConfig config;
    config.receivers[0].answerDelayMs = 400;
    StartLinked(config);
    QSignalSpy finished(engine.get(), &CZOKExchange::ReadFinished);
    engine->ReadParameters();
    ASSERT_TRUE(sim->waitForCommands(1, std::chrono::seconds(5)));
    Unplug();
    ASSERT_TRUE(WaitForLoss());
    EXPECT_EQ(engine->State(), ExchangeState::Idle);
    ASSERT_EQ(finished.count(), 1);
    EXPECT_FALSE(finished.front().front().toBool());
    Plug();
    ASSERT_TRUE(WaitFor([&] { return engine->IsPortOpen(); }));
    EXPECT_TRUE(view.HasMessage(zok::Text(kTextReadError)));
    EXPECT_FALSE(view.HasMessage(zok::Text(kTextReadOk)));
    EXPECT_EQ(finished.count(), 1);
}

TEST_F(ReplugTest, AWriteCutPartWayNamesWhatWasAcknowledged)
{
    zok::sim::SimulatorConfig config;
    config.receivers[0].answerDelayMs = 300;
    StartLinked(config);
    QSignalSpy finished(engine.get(), &CZOKExchange::WriteFinished);
    engine->WriteParameters();
    // Cut while the third write waits for its acknowledgement.
    ASSERT_TRUE(WaitFor([&] { return engine->Session().WriteIndex == 2; }));
    Unplug();
    ASSERT_TRUE(WaitForLoss());
    ASSERT_EQ(finished.count(), 1);
    EXPECT_FALSE(finished.front().front().toBool());
    const QStringList red = view.MessagesIn(LineColour::Red);
    EXPECT_TRUE(red.contains(zok::Text(kTextWriteError)));
    EXPECT_TRUE(red.contains(FillText(kTextAcknowledged, {QStringLiteral("RX_SENSIBILITY, RX_MODE_FCT")})))
        << red.join(u'\n').toStdString();
    EXPECT_FALSE(view.HasMessage(zok::Text(kTextWriteOk)));
}

TEST_F(ReplugTest, UntickingTheBoxStopsTheWaiting)
{
    StartLinked();
    Unplug();
    ASSERT_TRUE(WaitForLoss());
    engine->PortCheckBoxClicked(false);
    EXPECT_FALSE(engine->WaitingForPort());
    EXPECT_FALSE(view.portChecked);
    EXPECT_EQ(view.MessageTexts().last(), zok::Text(kTextClosed));
    const auto checks = engine->PortChecks();
    Plug();
    // Several periods with the port back: no look, no reopening.
    QTest::qWait(300);
    EXPECT_FALSE(engine->IsPortOpen());
    EXPECT_EQ(engine->PortChecks(), checks);
}

} // namespace
