// The simulator through a real pseudo-terminal, driven the way the program drives it.
#include "Simulator.h"
#include "PtyClient.h"

#include <gtest/gtest.h>

#include <sys/ioctl.h>
#include <termios.h>

namespace zok::sim {
namespace {

using test::PtyClient;
using Strings = std::vector<std::string>;
constexpr std::chrono::seconds kWait{10};

ReceiverConfig receiverAt(std::uint8_t address, int baud = 9600)
{
    ReceiverConfig config;
    config.address = address;
    config.baud = baud;
    return config;
}

SimulatorConfig lineWith(std::vector<ReceiverConfig> receivers)
{
    SimulatorConfig config;
    config.receivers = std::move(receivers);
    return config;
}

CommandRecord lastCommand(const Simulator &sim)
{
    const auto all = sim.commands();
    return all.empty() ? CommandRecord{} : all.back();
}

TEST(Simulator, DefaultReceiverAnswersAReadAllThroughThePty)
{
    Simulator sim;
    PtyClient client(sim.start(), 9600);
    const Strings frames = client.ask("990001", 18);
    ASSERT_EQ(frames.size(), 18u);
    EXPECT_EQ(frames.front(), "0BFE01");
    EXPECT_EQ(frames.back(), "VE v20.1.0");
    EXPECT_EQ(client.ask("980001", 1), Strings{"VE v20.1.0"});
    EXPECT_EQ(client.ask("970001", 1).at(0).substr(0, 2), "97");
    EXPECT_EQ(client.ask("100001", 1), Strings{"100201"});
}

TEST(Simulator, ReceiversHearNothingAtAnotherSpeedAndAnswerOnceTheLineMatches)
{
    Simulator sim;
    PtyClient client(sim.start(), 19200);
    client.send("980001");
    ASSERT_TRUE(sim.waitForCommands(1, kWait));
    EXPECT_EQ(lastCommand(sim).lineBaud, 19200);
    EXPECT_TRUE(lastCommand(sim).heardBy.empty());
    EXPECT_TRUE(lastCommand(sim).answers.empty());

    client.setBaud(9600);
    // Only one answer arrives: the one to the second command.
    EXPECT_EQ(client.ask("980001", 1), Strings{"VE v20.1.0"});
    EXPECT_TRUE(client.pending().empty());
    EXPECT_EQ(sim.commandCount(), 2u);
}

TEST(Simulator, SpeedDetectionFindsAReceiverAt38400OnTheThirdSpeed)
{
    Simulator sim(lineWith({receiverAt(0x01, 38400)}));
    PtyClient client(sim.start(), 9600);
    std::size_t sent = 0;
    for (int baud : {9600, 19200}) {
        client.setBaud(baud);
        client.send("980001");
        ASSERT_TRUE(sim.waitForCommands(++sent, kWait));
        EXPECT_TRUE(lastCommand(sim).heardBy.empty()) << baud;
    }
    client.setBaud(38400);
    EXPECT_EQ(client.ask("980001", 1), Strings{"VE v20.1.0"});
    EXPECT_EQ(client.ask("120001", 1), Strings{"120201"}) << "register 12 holds the speed index";
}

TEST(Simulator, AnAcknowledgedSpeedWriteMovesTheReceiverToTheNewSpeed)
{
    Simulator sim;
    PtyClient client(sim.start(), 9600);
    EXPECT_EQ(client.ask("130301", 1), Strings{"OK130301"});
    EXPECT_EQ(sim.receiver(0x01)->baud, 57600);

    client.send("980001");
    ASSERT_TRUE(sim.waitForCommands(2, kWait));
    EXPECT_TRUE(lastCommand(sim).heardBy.empty()) << "the old speed is no longer heard";
    client.setBaud(57600);
    EXPECT_EQ(client.ask("980001", 1), Strings{"VE v20.1.0"});
    EXPECT_TRUE(client.pending().empty());
}

TEST(Simulator, WritesAreStoredAndReadBack)
{
    Simulator sim;
    PtyClient client(sim.start(), 9600);
    EXPECT_EQ(client.ask("0C8001", 1), Strings{"OK0C8001"});
    EXPECT_EQ(client.ask("231501", 1), Strings{"OK231501"});
    EXPECT_EQ(client.ask("AB1201", 1), Strings{"OKAB1201"});
    EXPECT_EQ(sim.registerValue(0x01, 0x0B), 0x80);
    EXPECT_EQ(sim.registerValue(0x01, 0x22), 0x15);
    EXPECT_EQ(sim.registerValue(0x01, 0xA3), 0x12);
    const Strings all = client.ask("990001", 18);
    ASSERT_EQ(all.size(), 18u);
    EXPECT_EQ(all[0], "0B8001");
    EXPECT_EQ(all[14], "221501");
}

TEST(Simulator, TheScanIsAnsweredByEveryReceiverAtTheLinesSpeed)
{
    Simulator sim(lineWith({receiverAt(0x0A), receiverAt(0x03), receiverAt(0x07, 19200), receiverAt(0x01)}));
    PtyClient client(sim.start(), 9600);
    const Strings frames = client.ask("010000", 3);
    EXPECT_EQ(frames, (Strings{"01010A", "010103", "010101"}));
    ASSERT_TRUE(sim.waitForCommands(1, kWait));
    EXPECT_EQ(lastCommand(sim).heardBy, (std::vector<std::uint8_t>{0x0A, 0x03, 0x01}));
    EXPECT_EQ(client.ask("980003", 1), Strings{"VE v20.1.0"}) << "only the receiver addressed answers";
    EXPECT_TRUE(client.pending().empty());
}

TEST(Simulator, TagReportsArriveAtTheLineSpeedAndAreDroppedAtAnother)
{
    ReceiverConfig tagger = receiverAt(0x05);
    tagger.tags = {"12AB"};
    tagger.tagRate = 200;
    tagger.radioJitter = 0;
    tagger.radioLevel = 0xB4;
    Simulator sim(lineWith({tagger}));
    PtyClient client(sim.start(), 19200);
    ASSERT_TRUE(sim.waitForDropped(3, kWait));
    EXPECT_EQ(sim.frameCount(), 0u);

    client.setBaud(9600);
    const Strings frames = client.takeFrames(5);
    ASSERT_GE(frames.size(), 5u);
    for (const std::string &frame : frames)
        EXPECT_EQ(frame, "B412AB05");
}

TEST(Simulator, ASilentReceiverSaysNothingWhileItsNeighbourAnswers)
{
    ReceiverConfig silent = receiverAt(0x02);
    silent.faults.silent = true;
    Simulator sim(lineWith({silent, receiverAt(0x01)}));
    PtyClient client(sim.start(), 9600);
    client.send("980002");
    EXPECT_EQ(client.ask("980001", 1), Strings{"VE v20.1.0"});
    EXPECT_TRUE(client.pending().empty());
    EXPECT_EQ(sim.commands().at(0).heardBy, std::vector<std::uint8_t>{0x01}) << "only the neighbour heard it";
}

TEST(Simulator, FaultsShowOnTheLine)
{
    ReceiverConfig config = receiverAt(0x01);
    config.faults.duplicateAcks = true;
    config.faults.lowerCaseHex = true;
    config.faults.noise = true;
    Simulator sim(lineWith({config}));
    PtyClient client(sim.start(), 9600);
    EXPECT_EQ(client.ask("0CAB01", 2), (Strings{"OK0cab01", "OK0cab01"}));
    EXPECT_EQ(client.ask("0B0001", 1), Strings{"0bab01"});
    EXPECT_EQ(sim.registerValue(0x01, 0x0B), 0xAB);
}

TEST(Simulator, LostAnswersChangeTheReceiverButNeverReachTheLine)
{
    ReceiverConfig losing = receiverAt(0x02);
    losing.faults.losePercent = 100;
    Simulator sim(lineWith({losing, receiverAt(0x01)}));
    PtyClient client(sim.start(), 9600);
    client.send("0C1002");
    EXPECT_EQ(client.ask("980001", 1), Strings{"VE v20.1.0"});
    EXPECT_TRUE(client.pending().empty());
    EXPECT_EQ(sim.registerValue(0x02, 0x0B), 0x10) << "the write was taken, only its acknowledgement lost";
    EXPECT_EQ(sim.commands().at(0).answers, Strings{});
}

TEST(Simulator, ALateAnswerComesAfterAnswersToLaterCommands)
{
    ReceiverConfig late = receiverAt(0x02);
    late.faults.lateMs = 300;
    Simulator sim(lineWith({late, receiverAt(0x01)}));
    PtyClient client(sim.start(), 9600);
    client.sendBytes(" [0B0002] [0B0001]"); // one write: both heard at the same moment
    EXPECT_EQ(client.takeFrames(2), (Strings{"0BFE01", "0BFE02"}));
}

TEST(Simulator, PacedOutputArrivesWhole)
{
    SimulatorConfig config;
    config.paceAtWireRate = true;
    config.receivers[0].baud = 115200;
    Simulator sim(config);
    PtyClient client(sim.start(), 115200);
    const Strings frames = client.ask("990001", 18);
    ASSERT_EQ(frames.size(), 18u);
    EXPECT_EQ(frames.back(), "VE v20.1.0");
}

TEST(Simulator, TheLineKeepsItsSettingsWhileTheProgramClosesAndReopensIt)
{
    Simulator sim(lineWith({receiverAt(0x01, 19200)}));
    const std::string path = sim.start();
    {
        PtyClient first(path, 19200);
        EXPECT_EQ(first.ask("980001", 1), Strings{"VE v20.1.0"});
    }
    EXPECT_EQ(sim.lineBaud(), 19200);
    PtyClient second(path, 19200);
    EXPECT_EQ(second.ask("980001", 1), Strings{"VE v20.1.0"});
}

TEST(Simulator, ExclusiveModeEndsOnceTheProgramHasSpokenSoItCanReopenTheLine)
{
    Simulator sim;
    PtyClient client(sim.start(), 9600);
    ASSERT_EQ(::ioctl(client.fd(), TIOCEXCL), 0);
    int exclusive = 0;
    ASSERT_EQ(::ioctl(client.fd(), TIOCGEXCL, &exclusive), 0);
    ASSERT_NE(exclusive, 0);
    EXPECT_EQ(client.ask("980001", 1), Strings{"VE v20.1.0"});
    ASSERT_EQ(::ioctl(client.fd(), TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 0);
}

TEST(Simulator, ALineWithEchoOnIsNotHeard)
{
    Simulator sim;
    PtyClient client(sim.start(), 9600);
    termios t{};
    ::tcgetattr(client.fd(), &t);
    t.c_lflag |= ECHO;
    ::tcsetattr(client.fd(), TCSANOW, &t);
    client.send("980001");
    ASSERT_TRUE(sim.waitForCommands(1, kWait));
    EXPECT_TRUE(lastCommand(sim).heardBy.empty());
}

TEST(Simulator, RawBytesAndRuntimeChangesReachTheLine)
{
    Simulator sim;
    PtyClient client(sim.start(), 9600);
    sim.sendRaw("xx[]yy[0B0501]");
    EXPECT_EQ(client.takeFrames(2), (Strings{"", "0B0501"}));
    ASSERT_TRUE(sim.updateReceiver(0x01, [](ReceiverConfig &r) { r.firmware = " v13.4.9"; }));
    EXPECT_EQ(client.ask("980001", 1), Strings{"VE v13.4.9"});
    EXPECT_FALSE(sim.updateReceiver(0x09, [](ReceiverConfig &) {}));
    EXPECT_THROW(sim.updateReceiver(0x01, [](ReceiverConfig &r) { r.baud = 1200; }), std::invalid_argument);
}

TEST(Simulator, StopsAndStartsAgainOnANewLine)
{
    Simulator sim;
    const std::string first = sim.start();
    EXPECT_THROW(sim.start(), std::logic_error);
    sim.stop();
    sim.stop();
    EXPECT_FALSE(sim.running());
    PtyClient client(sim.start(), 9600);
    EXPECT_EQ(client.ask("980001", 1), Strings{"VE v20.1.0"});
}

TEST(Simulator, RefusesAnInvalidLine)
{
    EXPECT_THROW(Simulator(lineWith({receiverAt(0x01), receiverAt(0x01)})), std::invalid_argument);
    EXPECT_THROW(Simulator(lineWith({receiverAt(0x00)})), std::invalid_argument);
    EXPECT_THROW(Simulator(lineWith({receiverAt(0x01, 4800)})), std::invalid_argument);
    EXPECT_THROW(Simulator(lineWith({})), std::invalid_argument);
}

} // namespace
} // namespace zok::sim
