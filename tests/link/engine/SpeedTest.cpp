// Speed detection and the speed table, against the receiver simulator.
#include "EngineHarness.h"

#include "LineText.h"
#include "LinkSpeed.h"

namespace {

using SpeedTest = EngineHarness;

QString SpeedLine(const QString &port, const char *speed)
{
    return FillText(kTextSpeedChanged, {port, QString::fromLatin1(speed)});
}

TEST(LinkSpeedTable, GivesRateAndTextPerIndex)
{
    const struct
    {
        int index;
        int baud;
        const char *text;
    } rows[] = {{0, 9600, "9600"},     {1, 19200, "19200"}, {2, 38400, "38400"}, {3, 57600, "57600"},
                {4, 115200, "115200"}, {5, 0, ""},          {-1, 0, ""}};
    for (const auto &row : rows) {
        QString text = QStringLiteral("stale");
        EXPECT_EQ(SpeedFromIndex(row.index, text), row.baud) << row.index;
        EXPECT_EQ(text, QString::fromLatin1(row.text)) << row.index;
    }
}

TEST_F(SpeedTest, FindsA38400ReceiverOnTheThirdAttemptAndReadsIt)
{
    zok::sim::SimulatorConfig config;
    config.receivers[0].baud = 38400;
    config.receivers[0].firmware = " v20.2.7";
    Start(config);
    engine->StartSpeedDetection();
    ASSERT_TRUE(WaitForMessage(kTextReadOk, 2));
    ASSERT_TRUE(WaitForIdle());

    const QString port = settings.portName;
    const QStringList expected{SpeedLine(port, "9600"),  SpeedLine(port, "19200"),
                               SpeedLine(port, "38400"), " v20.2.7",
                               zok::Text(kTextReadOk),   zok::Text(kTextReadOk)};
    QStringList messages = view.MessageTexts();
    messages.removeFirst(); // the port opening line
    EXPECT_EQ(messages, expected);
    EXPECT_EQ(view.TrafficIn(LineColour::Orange),
              (QStringList{"[980001]", "[980001]", "[980001]", "[990001]"}));
    EXPECT_EQ(sim->lineBaud(), 38400);
    EXPECT_EQ(model.SupportedMask(), 0x3FFFFFu);
    EXPECT_EQ(model.FirmwareVersion(), (CZOKFirmwareVersion{20, 2, 7}));
    EXPECT_EQ(model.Value(ParameterId::RX_VITESSE), 2);
    EXPECT_EQ(view.LastProgress(), 0);
}

TEST_F(SpeedTest, NoAnswerAtAnySpeedFailsOnTheLastOne)
{
    zok::sim::SimulatorConfig config;
    config.receivers[0].faults.silent = true;
    Start(config);
    engine->StartSpeedDetection();
    ASSERT_TRUE(WaitForMessage(kTextReadError));

    const QString port = settings.portName;
    EXPECT_EQ(view.MessagesIn(LineColour::Green).mid(1),
              (QStringList{SpeedLine(port, "9600"), SpeedLine(port, "19200"), SpeedLine(port, "38400"),
                           SpeedLine(port, "57600"), SpeedLine(port, "115200")}));
    EXPECT_EQ(view.MessagesIn(LineColour::Red),
              (QStringList{zok::Text(kTextReadError), zok::Text(kTextCheckLink)}));
    EXPECT_EQ(view.TrafficIn(LineColour::Orange).size(), 5);
    EXPECT_EQ(engine->State(), ExchangeState::Idle);
    EXPECT_EQ(view.LastProgress(), 0);
    EXPECT_EQ(sim->lineBaud(), 115200);
    EXPECT_EQ(model.SupportedMask(), 0u);
}

TEST_F(SpeedTest, RefusedWhileAReadRuns)
{
    zok::sim::SimulatorConfig config;
    config.receivers[0].faults.silent = true;
    Start(config, 0x01, ShortTimeouts());
    engine->ReadParameters();
    const auto linesBefore = view.messages.size();
    engine->StartSpeedDetection();
    EXPECT_EQ(engine->State(), ExchangeState::Reading);
    EXPECT_EQ(view.messages.size(), linesBefore);
    EXPECT_EQ(view.TrafficIn(LineColour::Orange), QStringList{"[990001]"});
    ASSERT_TRUE(WaitForMessage(kTextReadError));
}

TEST_F(SpeedTest, ChangeLinkSpeedReopensAClosedPort)
{
    Start();
    engine->PortCheckBoxClicked(false);
    ASSERT_FALSE(engine->IsPortOpen());
    EXPECT_FALSE(view.readEnabled);
    ASSERT_TRUE(engine->ChangeLinkSpeed(3, false));
    EXPECT_TRUE(engine->IsPortOpen());
    EXPECT_TRUE(view.readEnabled && view.writeEnabled && view.portChecked);
    ASSERT_TRUE(WaitFor([&] { return sim->lineBaud() == 57600; }));
}

TEST_F(SpeedTest, PortThatCannotBeOpenedDisablesTheButtons)
{
    Start();
    engine->PortCheckBoxClicked(false);
    settings.portName = QStringLiteral("/nonexistent/ttyZOK");
    EXPECT_FALSE(engine->ChangeLinkSpeed(0, true));
    EXPECT_FALSE(view.readEnabled || view.writeEnabled || view.portChecked);
    EXPECT_EQ(view.MessagesIn(LineColour::Red).size(), 2);
    engine->StartSpeedDetection();
    EXPECT_EQ(engine->State(), ExchangeState::Idle);
}

} // namespace

// The port goes away during the first attempt and cannot be opened for the second: the opening
// lines, then the failure lines; the detection is over.
TEST_F(SpeedTest, AChangeOfSpeedFailingAtALaterAttemptEndsTheDetection)
{
    zok::sim::SimulatorConfig config;
    config.receivers[0].faults.silent = true;
    Start(config);
    engine->StartSpeedDetection();
    ASSERT_EQ(engine->State(), ExchangeState::SpeedDetection);
    const QString port = settings.portName;
    engine->CloseSerialPort();
    settings.portName = QStringLiteral("/dev/zok-test-no-such-port");
    ASSERT_TRUE(WaitForMessage(kTextReadError));
    EXPECT_EQ(view.MessagesIn(LineColour::Green).mid(1), QStringList{SpeedLine(port, "9600")});
    EXPECT_EQ(view.MessagesIn(LineColour::Red),
              (QStringList{FillText(137, {settings.portName}), zok::Text(138), zok::Text(kTextReadError),
                           zok::Text(kTextCheckLink)}));
    EXPECT_EQ(engine->State(), ExchangeState::Idle);
    EXPECT_FALSE(view.readEnabled);
    EXPECT_FALSE(view.portChecked);
    EXPECT_EQ(view.LastProgress(), 0);
    EXPECT_EQ(view.TrafficIn(LineColour::Orange).size(), 1);
}
