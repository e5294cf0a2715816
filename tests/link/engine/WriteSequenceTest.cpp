// Write sequences through a pseudo-terminal against the receiver simulator.
#include "EngineHarness.h"
#include "LineText.h"

#include <QRegularExpression>

namespace {

using WriteTest = EngineHarness;

zok::sim::SimulatorConfig SilentReceiver()
{
    zok::sim::SimulatorConfig config;
    config.receivers[0].faults.silent = true;
    return config;
}

bool StartsWith(const std::string &text, const std::string &prefix)
{
    return text.rfind(prefix, 0) == 0;
}

long CountWithPrefix(const std::vector<std::string> &texts, const std::string &prefix)
{
    return std::count_if(texts.begin(), texts.end(),
                         [&](const auto &text) { return StartsWith(text, prefix); });
}

TEST_F(WriteTest, EveryAcknowledgedWriteEndsWithWriteOk)
{
    Start();
    model.SetValue(ParameterId::RX_SENSIBILITY, 0x55);
    model.SetValue(ParameterId::RX_MODE_FCT, 3);
    model.SetValue(ParameterId::RX_VITESSE, 4);
    model.SetValue(ParameterId::RX_LONG_CRC, 1);
    engine->SetPropertiesModified(true);
    engine->WriteParameters();
    EXPECT_FALSE(view.readEnabled);
    ASSERT_TRUE(WaitForMessage(kTextWriteOk));

    EXPECT_EQ(view.warnings, 1);
    EXPECT_EQ(engine->State(), ExchangeState::Idle);
    EXPECT_TRUE(view.readEnabled);
    EXPECT_FALSE(engine->PropertiesModified());
    EXPECT_EQ(sim->registerValue(0x01, 0x0B), 0x55);
    EXPECT_EQ(sim->registerValue(0x01, 0x01), 0x04);
    EXPECT_EQ(sim->registerValue(0x01, 0x22), 0x02);
    // Speed configuration is off: sixteen writes, never the speed, in the register order.
    const auto sent = SentTexts();
    ASSERT_EQ(sent.size(), 16u);
    EXPECT_EQ(sent.front(), "0C5501");
    EXPECT_EQ(sent[1], "020401");
    EXPECT_EQ(CountWithPrefix(sent, "13"), 0);
    EXPECT_EQ(sim->lineBaud(), 9600);
    EXPECT_EQ(view.TrafficIn(LineColour::Orange).size(), 16);
    EXPECT_EQ(MaxProgress(), 100);
    EXPECT_EQ(view.LastProgress(), 0);
}

TEST_F(WriteTest, DuplicatedAcknowledgementsAdvanceOnlyOnce)
{
    zok::sim::SimulatorConfig config;
    config.receivers[0].faults.duplicateAcks = true;
    Start(config);
    engine->WriteParameters();
    ASSERT_TRUE(WaitForMessage(kTextWriteOk));
    const auto sent = SentTexts();
    EXPECT_EQ(sent.size(), 16u);
    EXPECT_EQ(std::set<std::string>(sent.begin(), sent.end()).size(), sent.size());
    EXPECT_FALSE(view.HasMessage(zok::Text(kTextWriteError)));
}

// A wrong acknowledgement, or none, holds the sequence at that write until the time-out.
TEST_F(WriteTest, WrongOrMissingAcknowledgementStopsAtThatWrite)
{
    for (const std::string reply : {"", "[OK0CFE02]", "[ok0cfe01]", "[OK0DFE01]"}) {
        SCOPED_TRACE(reply);
        view = RecordingView();
        Start(SilentReceiver(), 0x01, ShortTimeouts());
        engine->WriteParameters();
        ASSERT_TRUE(sim->waitForCommands(1, std::chrono::seconds(10)));
        if (!reply.empty())
            sim->sendRaw(reply);
        ASSERT_TRUE(WaitForMessage(kTextWriteError));
        EXPECT_EQ(view.MessagesIn(LineColour::Red),
                  (QStringList{zok::Text(kTextWriteError), zok::Text(kTextCheckLink)}));
        EXPECT_EQ(SentTexts(), std::vector<std::string>{"0CFE01"});
        EXPECT_EQ(engine->State(), ExchangeState::Idle);
        EXPECT_TRUE(view.readEnabled);
        EXPECT_EQ(view.LastProgress(), 0);
        TearDown();
    }
}

TEST_F(WriteTest, AcknowledgedSpeedWriteMovesThePortTo115200MidSequence)
{
    Start();
    engine->ToggleSpeedConfiguration();
    ASSERT_TRUE(engine->SpeedConfigurationEnabled());
    model.SetValue(ParameterId::RX_VITESSE, 4);
    engine->WriteParameters();
    ASSERT_TRUE(WaitForMessage(kTextWriteOk));

    EXPECT_EQ(view.warnings, 0);
    EXPECT_EQ(sim->lineBaud(), 115200);
    EXPECT_EQ(sim->receiver(0x01)->baud, 115200);
    const auto commands = sim->commands();
    ASSERT_EQ(commands.size(), 17u);
    EXPECT_EQ(commands[7].text, "130401");
    EXPECT_EQ(commands[7].lineBaud, 9600);
    EXPECT_EQ(commands[8].lineBaud, 115200);
    EXPECT_EQ(commands.back().lineBaud, 115200);
    EXPECT_TRUE(engine->IsPortOpen());
    EXPECT_TRUE(view.portChecked);
}

TEST_F(WriteTest, CancelledWarningAbandonsTheWriteAndItsBoxSilencesLaterOnes)
{
    Start();
    view.onWarning = [&] {
        engine->SetDontShowSpeedWarning(true); // the box takes effect as it is ticked
        return false;
    };
    engine->WriteParameters();
    EXPECT_EQ(view.warnings, 1);
    EXPECT_EQ(engine->State(), ExchangeState::Idle);
    EXPECT_TRUE(view.TrafficIn(LineColour::Orange).isEmpty());

    engine->WriteParameters();
    ASSERT_TRUE(WaitForMessage(kTextWriteOk));
    EXPECT_EQ(view.warnings, 1);
    EXPECT_EQ(CountWithPrefix(SentTexts(), "13"), 0);
    EXPECT_EQ(SentTexts().size(), 16u);
}

TEST_F(WriteTest, NothingSupportedSendsNothingAndReenablesRead)
{
    Start();
    model.SetSupportedMask(0);
    engine->WriteParameters();
    EXPECT_TRUE(view.readEnabled);
    EXPECT_EQ(engine->State(), ExchangeState::Idle);
    EXPECT_TRUE(view.TrafficIn(LineColour::Orange).isEmpty());
}

// Found by the chaos run: a write sequence ending (here by its time-out) re-enabled Read although
// the port had been closed, or lost, while it ran.
TEST_F(WriteTest, ReadStaysDisabledWhenThePortWentAwayDuringTheWrite)
{
    Start(SilentReceiver(), 0x01, ShortTimeouts());
    engine->WriteParameters();
    ASSERT_EQ(engine->State(), ExchangeState::Writing);
    engine->PortCheckBoxClicked(false);
    ASSERT_TRUE(WaitForMessage(kTextWriteError));
    EXPECT_FALSE(engine->IsPortOpen());
    EXPECT_FALSE(view.readEnabled);
    EXPECT_FALSE(view.writeEnabled);

    engine->PortCheckBoxClicked(true);
    ASSERT_TRUE(view.readEnabled);
    engine->WriteParameters();
    ASSERT_EQ(engine->State(), ExchangeState::Writing);
    sim->stop(); // the line hangs up
    ASSERT_TRUE(WaitFor([&] { return !view.lostPorts.isEmpty(); }));
    ASSERT_TRUE(WaitForMessage(kTextWriteError, 2));
    EXPECT_FALSE(view.readEnabled);
}

} // namespace

namespace {
const QString kMissingPort = QStringLiteral("/dev/zok-test-no-such-port");
}

// One time-out for the whole sequence: every acknowledgement arrives in time for its own write,
// but not all of them within the time-out.
TEST_F(WriteTest, TheTimeOutCoversTheWholeSequence)
{
    zok::sim::SimulatorConfig config;
    config.receivers[0].faults.lateMs = 120;
    Start(config, 0x01, ShortTimeouts());
    engine->WriteParameters();
    ASSERT_TRUE(WaitForMessage(kTextWriteError));
    EXPECT_FALSE(view.HasMessage(zok::Text(kTextWriteOk)));
    EXPECT_EQ(view.MessagesIn(LineColour::Red),
              (QStringList{zok::Text(kTextWriteError), zok::Text(kTextCheckLink)}));
    EXPECT_LT(SentTexts().size(), 16u);
    EXPECT_EQ(engine->State(), ExchangeState::Idle);
}

// The port cannot be opened again at the new speed: the opening lines, the port controls of a
// closed port, and the sequence ends by its time-out.
TEST_F(WriteTest, ReopeningFailsAfterTheSpeedAcknowledgement)
{
    Start();
    engine->ToggleSpeedConfiguration();
    model.SetValue(ParameterId::RX_VITESSE, 4);
    engine->WriteParameters();
    settings.portName = kMissingPort; // the reopening after the speed write looks it up
    ASSERT_TRUE(WaitFor([&] { return view.HasMessage(zok::Text(138)); }));
    EXPECT_FALSE(engine->IsPortOpen());
    EXPECT_FALSE(view.readEnabled);
    EXPECT_FALSE(view.writeEnabled);
    EXPECT_FALSE(view.portChecked);
    ASSERT_TRUE(WaitForMessage(kTextWriteError));
    // Between them, the next write's failed sending to the closed port.
    const QStringList red = view.MessagesIn(LineColour::Red);
    ASSERT_GE(red.size(), 4);
    EXPECT_EQ(red.mid(0, 2), (QStringList{FillText(137, {kMissingPort}), zok::Text(138)}));
    EXPECT_EQ(red.mid(red.size() - 2), (QStringList{zok::Text(kTextWriteError), zok::Text(kTextCheckLink)}));
    EXPECT_FALSE(view.HasMessage(zok::Text(kTextWriteOk)));
    EXPECT_EQ(sim->commands().size(), 8u); // nothing after the speed write reached the line
}
