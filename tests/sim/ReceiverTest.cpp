#include "Receiver.h"
#include "Command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zok::sim {
namespace {

Reply ask(Receiver &receiver, const std::string &text)
{
    const auto command = Command::parse(text);
    EXPECT_TRUE(command.has_value()) << text;
    if (!command || !receiver.isAddressed(command->address))
        return {};
    return receiver.answer(*command);
}

ReceiverConfig at(std::uint8_t address)
{
    ReceiverConfig config;
    config.address = address;
    return config;
}

TEST(Receiver, ReadAllAnswersEverySupportedParameterWithItsAddressThenTheVersionLast)
{
    Receiver receiver(at(0x05), 1);
    const Reply reply = ask(receiver, "990005");
    ASSERT_EQ(reply.frames.size(), 18u);
    EXPECT_EQ(reply.frames.front(), "0BFE05");
    EXPECT_EQ(reply.frames[1], "010105");
    EXPECT_EQ(reply.frames[16], "260105");
    EXPECT_EQ(reply.frames.back(), "VE v20.1.0");
    for (std::size_t i = 0; i + 1 < reply.frames.size(); ++i)
        EXPECT_EQ(reply.frames[i].substr(4), "05") << reply.frames[i];
}

TEST(Receiver, ReadAllOfAReceiverWithOnlyTheRequiredParameters)
{
    ReceiverConfig config = at(0x01);
    config.supported = {0x0B, 0x01, 0x05, 0x03, 0x10, 0x07, 0xC0};
    config.firmware = " v13.6.0";
    Receiver receiver(config, 1);
    const std::vector<std::string> expected{"0BFE01", "010101", "050601", "030101",
                                            "100201", "070A01", "C00001", "VE v13.6.0"};
    EXPECT_EQ(ask(receiver, "990001").frames, expected);
}

TEST(Receiver, AnswersTheCommandsOfEachFamily)
{
    struct Case
    {
        const char *command;
        std::vector<std::string> frames;
    };
    const std::vector<Case> cases{
        {"010000", {"010107"}}, // broadcast scan: register 01 and its own address
        {"980007", {"VE v20.1.0"}},
        {"980000", {"VE v20.1.0"}}, // address 00 reaches every receiver
        {"100007", {"100207"}},     // format read: 24-bit identifiers by default
        {"0B0007", {"0BFE07"}},     // a single parameter read
        {"A00007", {"A00007"}},     // ID start, first pair
        {"A50007", {"A5FF07"}},     // ID end, third pair
        {"A60007", {"A60007"}},     // alarm filtering off
        {"980008", {}},             // another receiver's address
        {"A70007", {}},             // no such register
        {"500007", {}},             // unknown code
    };
    for (const Case &c : cases) {
        Receiver receiver(at(0x07), 1);
        EXPECT_EQ(ask(receiver, c.command).frames, c.frames) << c.command;
    }
}

TEST(Receiver, EveryParameterWriteIsStoredAndAcknowledgedWithCodeValueAndAddress)
{
    const std::vector<std::uint8_t> writeCodes{0x02, 0x04, 0x06, 0x08, 0x0C, 0x11, 0x15, 0x17,
                                               0x1B, 0x1D, 0x1F, 0x21, 0x23, 0x25, 0x27, 0xC1};
    for (std::uint8_t code : writeCodes) {
        Receiver receiver(at(0x01), 1);
        const Reply reply = receiver.answer({code, 0x03, 0x01});
        char expected[16];
        std::snprintf(expected, sizeof expected, "OK%02X0301", code);
        ASSERT_EQ(reply.frames, std::vector<std::string>{expected});
        EXPECT_EQ(reply.switchToBaud, 0);
        EXPECT_EQ(receiver.config().registers.at(static_cast<std::uint8_t>(code - 1)), 0x03) << expected;
    }
}

TEST(Receiver, ASpeedWriteIsAcknowledgedAtTheOldSpeedAndAsksForTheNewOne)
{
    Receiver receiver(at(0x01), 1);
    const Reply reply = ask(receiver, "130401");
    EXPECT_EQ(reply.frames, std::vector<std::string>{"OK130401"});
    EXPECT_EQ(reply.switchToBaud, 115200);
    EXPECT_EQ(receiver.config().baud, 9600); // the line changes it once the acknowledgement is out
    EXPECT_EQ(receiver.config().registers.at(0x12), 0x04);

    EXPECT_TRUE(ask(receiver, "130501").frames.empty()) << "no sixth speed";
    EXPECT_EQ(receiver.config().registers.at(0x12), 0x04);
}

TEST(Receiver, UnsupportedParametersAreNeitherAnsweredNorWritten)
{
    ReceiverConfig config = at(0x01);
    config.supported.erase(0x26);
    Receiver receiver(config, 1);
    EXPECT_TRUE(ask(receiver, "260001").frames.empty());
    EXPECT_TRUE(ask(receiver, "270501").frames.empty());
    EXPECT_EQ(receiver.config().registers.at(0x26), 0x01);
    const Reply all = ask(receiver, "990001");
    EXPECT_EQ(all.frames.size(), 17u);
}

TEST(Receiver, IdFilterWritesStoreTheirPairsAndReadBackIn16And24BitMode)
{
    for (std::uint8_t format : {1, 2}) {
        ReceiverConfig config = at(0x05);
        config.registers[0x10] = format;
        Receiver receiver(config, 1);
        EXPECT_EQ(ask(receiver, "100005").frames[0], format == 1 ? "100105" : "100205");
        const std::vector<std::string> writes{"A81205", "A93405", "AA5605", "AB9A05",
                                              "ACBC05", "ADDE05", "AE0105"};
        for (const std::string &w : writes)
            EXPECT_EQ(ask(receiver, w).frames, std::vector<std::string>{"OK" + w});
        const std::vector<std::string> reads{"A0", "A1", "A2", "A3", "A4", "A5", "A6"};
        const std::vector<std::string> values{"12", "34", "56", "9A", "BC", "DE", "01"};
        for (std::size_t i = 0; i < reads.size(); ++i)
            EXPECT_EQ(ask(receiver, reads[i] + "0005").frames[0], reads[i] + values[i] + "05");
    }
}

TEST(Receiver, AMissingRegisterReadsAsItsFactoryValue)
{
    ReceiverConfig config = at(0x01);
    config.registers.clear();
    Receiver receiver(config, 1);
    EXPECT_EQ(ask(receiver, "990001").frames.size(), 18u);
    EXPECT_EQ(ask(receiver, "A30001").frames, std::vector<std::string>{"A3FF01"});
}

TEST(Receiver, ABroadcastWriteIsTakenAndAcknowledgedWithTheReceiversOwnAddress)
{
    Receiver receiver(at(0x09), 1);
    EXPECT_EQ(ask(receiver, "0C4000").frames, std::vector<std::string>{"OK0C4009"});
}

TEST(Receiver, RadioLevelsStayWithinTheConfiguredSpread)
{
    ReceiverConfig config = at(0x02);
    config.radioLevel = 250;
    config.radioJitter = 20;
    Receiver receiver(config, 3);
    bool sawTop = false;
    for (int i = 0; i < 200; ++i) {
        const std::string frame = ask(receiver, "970002").frames.at(0);
        ASSERT_EQ(frame.size(), 6u);
        EXPECT_EQ(frame.substr(0, 2), "97");
        EXPECT_EQ(frame.substr(4), "02");
        const int level = std::stoi(frame.substr(2, 2), nullptr, 16);
        EXPECT_GE(level, 230);
        sawTop = sawTop || level == 255;
    }
    EXPECT_TRUE(sawTop) << "levels above 255 are clamped";
}

TEST(Receiver, TagReportsCycleThroughTheTagsWithLevelAndAddress)
{
    ReceiverConfig config = at(0x05);
    config.tags = {"12AB", "34CD56"};
    config.radioJitter = 0;
    config.radioLevel = 0xB4;
    Receiver receiver(config, 1);
    EXPECT_EQ(receiver.nextTagReport(), "B412AB05");
    EXPECT_EQ(receiver.nextTagReport(), "B434CD5605");
    EXPECT_EQ(receiver.nextTagReport(), "B412AB05");
}

TEST(Command, OnlySixUpperCaseHexDigitsAreACommand)
{
    EXPECT_TRUE(Command::parse("9900AB").has_value());
    for (const char *text : {"9900ab", "99000", "9900AB0", "", "99 0AB", "OK0C01"})
        EXPECT_FALSE(Command::parse(text).has_value()) << text;
}

} // namespace
} // namespace zok::sim
