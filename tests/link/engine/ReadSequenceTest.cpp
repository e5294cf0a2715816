// Parameter reads through a pseudo-terminal against the receiver simulator.
#include "EngineHarness.h"

#include "RegisterTable.h"

namespace {

using zok::sim::RegisterTable;

zok::sim::SimulatorConfig OneReceiver(const std::function<void(zok::sim::ReceiverConfig &)> &change = {})
{
    zok::sim::SimulatorConfig config;
    if (change)
        change(config.receivers[0]);
    return config;
}

using ReadTest = EngineHarness;

TEST_F(ReadTest, FullReadFillsTheModelMaskAndFirmware)
{
    Start(OneReceiver([](auto &receiver) {
        receiver.firmware = " OXA v13.5.2";
        receiver.registers[0x0B] = 0x80; // sensitivity
        receiver.registers[0x01] = 0x03; // mode: contextual repeat content
        receiver.registers[0x10] = 0x01; // 16-bit frames
        receiver.registers[0x22] = 0x15; // switches 0, 2 and 4
        receiver.registers[0x26] = 0x07;
    }));
    engine->ReadParameters();
    EXPECT_EQ(engine->State(), ExchangeState::Reading);
    ASSERT_TRUE(WaitForMessage(kTextReadOk));

    EXPECT_EQ(view.TrafficIn(LineColour::Orange), QStringList{"[990001]"});
    EXPECT_EQ(engine->State(), ExchangeState::Idle);
    EXPECT_EQ(model.SupportedMask(), 0x3FFFFFu);
    EXPECT_EQ(model.Value(ParameterId::RX_SENSIBILITY), 0x80);
    EXPECT_EQ(model.Value(ParameterId::RX_MODE_FCT), 2);
    EXPECT_EQ(model.Value(ParameterId::RX_TRAME_FORMAT), 0);
    EXPECT_EQ(model.Value(ParameterId::RX_VITESSE_RW), 1);
    EXPECT_EQ(model.Value(ParameterId::RX_LONG_CRC), 0);
    EXPECT_EQ(model.Value(ParameterId::RX_CMD_DIRECTE_RELAIS), 1);
    EXPECT_EQ(model.Value(ParameterId::RX_EFFACER_PILE), 1);
    EXPECT_EQ(model.Value(ParameterId::RX_NB_TAGS_MIN), 7);
    EXPECT_EQ(model.FirmwareVersion(), (CZOKFirmwareVersion{13, 5, 2}));
    EXPECT_EQ(engine->FirmwareText(), " OXA v13.5.2");
    EXPECT_EQ(view.firmware, " OXA v13.5.2");
    EXPECT_EQ(view.gridBuilds, 1);
    EXPECT_FALSE(engine->PropertiesModified());
    EXPECT_EQ(view.LastProgress(), 0);
    EXPECT_LE(MaxProgress(), 100);
}

TEST_F(ReadTest, RequiredCodesAndVersionAloneCompleteTheRead)
{
    Start(OneReceiver([](auto &receiver) {
        receiver.supported = {RegisterTable::requiredCodes().begin(), RegisterTable::requiredCodes().end()};
    }));
    engine->ReadParameters();
    ASSERT_TRUE(WaitForMessage(kTextReadOk));
    EXPECT_EQ(model.SupportedMask(), 0x7Fu);
    EXPECT_FALSE(model.IsParameterSupported(ParameterId::RX_VITESSE));
}

TEST_F(ReadTest, MissingRequiredAnswerEndsInReadErrorAfterTheTimeout)
{
    Start(OneReceiver([](auto &receiver) { receiver.supported.erase(0x10); }), 0x01, ShortTimeouts());
    engine->SetPropertiesModified(true);
    engine->ReadParameters();
    ASSERT_TRUE(WaitForMessage(kTextReadError));

    const QStringList red = view.MessagesIn(LineColour::Red);
    EXPECT_EQ(red, (QStringList{zok::Text(kTextReadError), zok::Text(kTextCheckLink)}));
    EXPECT_FALSE(view.HasMessage(zok::Text(kTextReadOk)));
    EXPECT_EQ(engine->State(), ExchangeState::Idle);
    EXPECT_EQ(view.LastProgress(), 0);
    EXPECT_EQ(view.gridBuilds, 0);
    // What arrived stays: the other required parameters were reported.
    EXPECT_TRUE(model.IsSupported(0x1));
    EXPECT_FALSE(model.IsSupported(0x8));
    EXPECT_TRUE(engine->PropertiesModified());
}

TEST_F(ReadTest, ReceiverAddressZeroAcceptsAnyAddress)
{
    Start(OneReceiver([](auto &receiver) {
              receiver.address = 0x05;
              receiver.registers[0x0B] = 0x42;
          }),
          0x00);
    engine->ReadParameters();
    ASSERT_TRUE(WaitForMessage(kTextReadOk));
    EXPECT_EQ(view.TrafficIn(LineColour::Orange), QStringList{"[990000]"});
    EXPECT_EQ(model.SupportedMask(), 0x3FFFFFu);
    EXPECT_EQ(model.Value(ParameterId::RX_SENSIBILITY), 0x42);
}

TEST_F(ReadTest, AnswersOfAnotherReceiverAreRefused)
{
    Start(OneReceiver([](auto &receiver) {
              receiver.address = 0x05;
              receiver.answerDelayMs = 300; // the foreign answers below arrive first
              receiver.supported.erase(0x14);
              receiver.registers[0x0B] = 0x42;
          }),
          0x05);
    engine->ReadParameters();
    sim->sendRaw("[0B33AB][1401AB]");
    ASSERT_TRUE(WaitForMessage(kTextReadOk));
    EXPECT_TRUE(view.TrafficTexts().contains("[1401AB]"));
    EXPECT_EQ(model.Value(ParameterId::RX_SENSIBILITY), 0x42);
    EXPECT_FALSE(model.IsSupported(0x100)); // RX_FORMAT only came from AB
    EXPECT_EQ(model.Value(ParameterId::RX_FORMAT), 0);
}

TEST_F(ReadTest, LowerCaseAnswersAreRefused)
{
    Start(OneReceiver([](auto &receiver) {
              receiver.faults.lowerCaseHex = true;
              receiver.registers[0x0B] = 0xAB;
          }),
          0x01, ShortTimeouts());
    engine->ReadParameters();
    ASSERT_TRUE(WaitForMessage(kTextReadError));
    EXPECT_FALSE(model.IsSupported(0x1));
    EXPECT_EQ(model.Value(ParameterId::RX_SENSIBILITY), 254);
}

TEST_F(ReadTest, RepeatedAnswersNeverPushTheProgressPastFull)
{
    Start(OneReceiver([](auto &receiver) { receiver.answerDelayMs = 200; }));
    engine->ReadParameters();
    std::string burst;
    for (int i = 0; i < 30; ++i)
        burst += "[140001]";
    sim->sendRaw(burst);
    ASSERT_TRUE(WaitForMessage(kTextReadOk));
    EXPECT_EQ(MaxProgress(), 100);
    EXPECT_EQ(view.LastProgress(), 0);
}

} // namespace
