#include "CommandLine.h"

#include <gtest/gtest.h>

namespace zok::sim {
namespace {

using Action = CommandLine::Action;

CommandLine::Result parse(std::vector<std::string> args)
{
    return CommandLine::parse(args);
}

TEST(CommandLine, WithoutArgumentsOneReceiverAt01With9600BaudAndEveryParameter)
{
    const auto result = parse({});
    ASSERT_EQ(result.action, Action::Run);
    ASSERT_EQ(result.config.receivers.size(), 1u);
    const ReceiverConfig &r = result.config.receivers[0];
    EXPECT_EQ(r.address, 0x01);
    EXPECT_EQ(r.baud, 9600);
    EXPECT_EQ(r.supported.size(), 17u);
    EXPECT_EQ(r.firmware, " v20.1.0");
    EXPECT_EQ(r.tagRate, 0);
    EXPECT_FALSE(result.config.paceAtWireRate);
}

TEST(CommandLine, ReceiverOptionsApplyToTheLastReceiverAndFirstToTheDefaultOne)
{
    const auto result =
        parse({"--speed",      "19200",    "--tag",      "12ab",     "--receiver",     "0A",
               "--format=16",  "--params", "required",   "--set",    "0B=80",          "--set",
               "a0=12",        "--lose",   "20",         "--late",   "500:30",         "--duplicate-acks",
               "--lower-case", "--noise",  "--silent",   "--pace",   "--seed",         "7",
               "--delay",      "4",        "--firmware", " v13.6.0", "--tag-rate",     "0.5",
               "--tag",        "34CD56",   "--level",    "200",      "--level-jitter", "0",
               "--link",       "port",     "-v"});
    ASSERT_EQ(result.action, Action::Run) << result.error;
    ASSERT_EQ(result.config.receivers.size(), 2u);
    const ReceiverConfig &first = result.config.receivers[0];
    EXPECT_EQ(first.address, 0x01);
    EXPECT_EQ(first.baud, 19200);
    EXPECT_EQ(first.tags, std::vector<std::string>{"12AB"});
    EXPECT_EQ(first.tagRate, 1) << "a tag without a rate reports once a second";
    const ReceiverConfig &second = result.config.receivers[1];
    EXPECT_EQ(second.address, 0x0A);
    EXPECT_EQ(second.registers.at(0x10), 1);
    EXPECT_EQ(second.supported, (std::set<std::uint8_t>{0x0B, 0x01, 0x05, 0x03, 0x10, 0x07, 0xC0}));
    EXPECT_EQ(second.registers.at(0x0B), 0x80);
    EXPECT_EQ(second.registers.at(0xA0), 0x12);
    EXPECT_EQ(second.faults.losePercent, 20);
    EXPECT_EQ(second.faults.lateMs, 500);
    EXPECT_EQ(second.faults.latePercent, 30);
    EXPECT_TRUE(second.faults.duplicateAcks && second.faults.lowerCaseHex && second.faults.noise &&
                second.faults.silent);
    EXPECT_EQ(second.answerDelayMs, 4);
    EXPECT_EQ(second.firmware, " v13.6.0");
    EXPECT_EQ(second.tagRate, 0.5);
    EXPECT_EQ(second.radioLevel, 200);
    EXPECT_EQ(second.radioJitter, 0);
    EXPECT_TRUE(result.config.paceAtWireRate);
    EXPECT_EQ(result.config.seed, 7u);
    EXPECT_EQ(result.linkPath, "port");
    EXPECT_TRUE(result.verbose);
}

TEST(CommandLine, ExplicitParameterListAndHelp)
{
    EXPECT_EQ(parse({"--params", "0b,01,12"}).config.receivers[0].supported,
              (std::set<std::uint8_t>{0x0B, 0x01, 0x12}));
    EXPECT_EQ(parse({"--speed", "7", "--help"}).action, Action::Help) << "help wins over what precedes it";
    EXPECT_NE(CommandLine::helpText().find("--receiver HH"), std::string::npos);
}

TEST(CommandLine, RefusesWhatCannotRun)
{
    const std::vector<std::vector<std::string>> bad{
        {"--speed", "4800"},
        {"--speed"},
        {"--receiver", "00"},
        {"--receiver", "1FF"},
        {"--receiver", "02", "--receiver", "02"},
        {"--params", "0B,13"},
        {"--set", "12=01"},
        {"--set", "0B"},
        {"--set", "99=01"},
        {"--format", "20"},
        {"--tag", "123"},
        {"--tag", "12G4"},
        {"--lose", "101"},
        {"--late", "10:x"},
        {"--tag-rate", "-1"},
        {"--pace=1"},
        {"--frobnicate"},
        {"--level", "256"},
    };
    for (const auto &args : bad) {
        const auto result = parse(args);
        EXPECT_EQ(result.action, Action::Error) << args[0];
        EXPECT_FALSE(result.error.empty());
    }
}

} // namespace
} // namespace zok::sim
