// The exchange engine on network lines, through a real device server: ser2net in the foreground
// serving the receiver simulator's line. The simulator's record shows what the line really did.
#include "EngineHarness.h"
#include "LineText.h"
#include "PortProblemText.h"
#include "Ser2net.h"
#include "SerialConstants.h"

namespace {

constexpr int kTextBack = 442;
constexpr int kTextSpeedOnServer = 514;

class NetworkEngineTest : public EngineHarness
{
protected:
    void Serve(zok::sim::SimulatorConfig config = {})
    {
        if (zok::test::Ser2net::SkipWanted())
            GTEST_SKIP() << "ZOK_SKIP_SER2NET=1";
        sim = std::make_unique<zok::sim::Simulator>(std::move(config));
        server = std::make_unique<zok::test::Ser2net>(sim->start());
        ASSERT_TRUE(server->Start()) << server->Problem();
    }
    bool Open(const std::string &name, ExchangeTimings timings = {})
    {
        settings.portName = QString::fromStdString(name);
        model.SetSupportedMask(zok::AllParametersMask());
        engine = std::make_unique<CZOKExchange>(settings, model, view, timings);
        return engine->OpenSerialPort(true);
    }

    std::unique_ptr<zok::test::Ser2net> server;
};

// The receiver listens at 38400: detection walks the speeds through the server until it
// answers, and a speed write moves the receiver and the line to 115200.
TEST_F(NetworkEngineTest, Rfc2217LineDetectsTheSpeedAndFollowsASpeedWrite)
{
    zok::sim::SimulatorConfig config;
    config.receivers[0].baud = 38400;
    Serve(config);
    ASSERT_TRUE(Open(server->Rfc2217Name()));
    engine->StartSpeedDetection();
    ASSERT_TRUE(WaitForMessage(kTextReadOk, 2));
    ASSERT_TRUE(WaitForIdle());
    EXPECT_EQ(view.MessageTexts().filter(QStringLiteral("Speed changed")).size(), 3);
    EXPECT_EQ(sim->lineBaud(), 38400);
    EXPECT_EQ(engine->Port().QueryBaudRate(), 38400);

    engine->ToggleSpeedConfiguration();
    model.SetValue(ParameterId::RX_VITESSE, 4);
    engine->WriteParameters();
    ASSERT_TRUE(WaitForMessage(kTextWriteOk));
    EXPECT_EQ(sim->receiver(0x01)->baud, 115200);
    EXPECT_EQ(sim->lineBaud(), 115200);
    EXPECT_EQ(sim->commands().back().lineBaud, 115200);
}

// Everything but the speed works on a raw line; speed detection says once that the speed is the
// server's, and asks only at that speed.
TEST_F(NetworkEngineTest, RawLineReadsAndWritesAndSaysItsSpeedIsTheServers)
{
    Serve();
    ASSERT_TRUE(Open(server->RawName()));
    EXPECT_FALSE(view.HasMessage(zok::Text(kTextSpeedOnServer)));
    engine->ReadParameters();
    ASSERT_TRUE(WaitForMessage(kTextReadOk));
    model.SetValue(ParameterId::RX_SENSIBILITY, 0x80);
    engine->WriteParameters();
    ASSERT_TRUE(WaitForMessage(kTextWriteOk));
    EXPECT_EQ(sim->registerValue(0x01, 0x0B), 0x80);

    engine->StartSpeedDetection();
    ASSERT_TRUE(WaitForMessage(kTextReadOk, 3));
    ASSERT_TRUE(WaitForIdle());
    EXPECT_EQ(view.MessageTexts().count(zok::Text(kTextSpeedOnServer)), 1);
    EXPECT_TRUE(view.MessageTexts().filter(QStringLiteral("Speed changed")).isEmpty());
    EXPECT_EQ(view.TrafficIn(LineColour::Orange).count(QStringLiteral("[980001]")), 1);
}

// Killed while the receiver prepares its answers: the read ends failed at once, the loss is
// reported once, and the restarted server is found again.
TEST_F(NetworkEngineTest, KilledServerIsOneLossAndItsRestartReconnects)
{
    zok::sim::SimulatorConfig config;
    config.receivers[0].answerDelayMs = 500;
    Serve(config);
    ExchangeTimings timings;
    timings.portCheckPeriod = 50;
    ASSERT_TRUE(Open(server->Rfc2217Name(), timings));
    engine->ReadParameters();
    server->Kill();
    ASSERT_TRUE(WaitFor([&] { return engine->WaitingForPort(); }));
    EXPECT_TRUE(view.HasMessage(zok::Text(kTextReadError)));
    EXPECT_EQ(engine->State(), ExchangeState::Idle);
    EXPECT_EQ(view.lostPorts, QStringList{settings.portName});

    ASSERT_TRUE(server->Start()) << server->Problem();
    ASSERT_TRUE(WaitFor([&] { return engine->IsPortOpen(); }));
    EXPECT_TRUE(view.HasMessage(FillText(kTextBack, {settings.portName, QStringLiteral("9600")})));
    EXPECT_EQ(view.lostPorts.size(), 1);
    engine->ReadParameters();
    EXPECT_TRUE(WaitForMessage(kTextReadOk));
}

TEST_F(NetworkEngineTest, ServersThatCannotServeSayWhy)
{
    Serve();
    const std::string nobody = "rfc2217://127.0.0.1:" + std::to_string(zok::test::Ser2net::FreePort());
    EXPECT_FALSE(Open(nobody));
    EXPECT_TRUE(view.HasMessage(zok::PortProblemText(zok::kErrorConnectionRefused, settings.portName)));
    EXPECT_TRUE(view.MessageTexts().join(u'\n').contains(settings.portName.mid(11))) << "host and port named";

    // A telnet server without RFC 2217: one line says so, and the line is used raw.
    view = RecordingView();
    ASSERT_TRUE(Open(server->RefusingName()));
    EXPECT_TRUE(view.HasMessage(zok::PortProblemText(zok::kErrorComPortRefused, settings.portName)));
    engine->ReadParameters();
    EXPECT_TRUE(WaitForMessage(kTextReadOk));
}

} // namespace
