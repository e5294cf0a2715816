// The pieces between the receivers and the pseudo-terminal, without a terminal: the command
// cutter, the faults applied to answers, and the paced writer.
#include "AnswerShaper.h"
#include "CommandCutter.h"
#include "LineWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zok::sim {
namespace {

std::vector<std::string> texts(const std::vector<HeardFrame> &frames)
{
    std::vector<std::string> out;
    for (const HeardFrame &f : frames)
        out.push_back(f.text);
    return out;
}

TEST(CommandCutter, KeepsWhatIsBetweenBracketsAcrossReads)
{
    CommandCutter cutter;
    EXPECT_TRUE(cutter.feed(" [99", 9600).empty());
    EXPECT_EQ(texts(cutter.feed("0001] xx[01[0B0501]", 9600)),
              (std::vector<std::string>{"990001", "0B0501"}));
    EXPECT_EQ(texts(cutter.feed("[]", 9600)), std::vector<std::string>{""});
}

TEST(CommandCutter, AFrameWhoseSpeedChangedOnTheWayIsHeardByNobody)
{
    CommandCutter cutter;
    cutter.feed(" [98", 9600);
    const auto frames = cutter.feed("0001]", 19200);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].baud, 0);
    EXPECT_EQ(cutter.feed("[980001]", 19200).at(0).baud, 19200);
}

TEST(CommandCutter, DropsAnOverLongFrameWholeAndResynchronises)
{
    CommandCutter cutter;
    EXPECT_TRUE(cutter.feed("[" + std::string(CommandCutter::kMaxText + 10, '7') + "]", 9600).empty());
    EXPECT_EQ(texts(cutter.feed("[980001]", 9600)), std::vector<std::string>{"980001"});
}

ReceiverConfig faulty(const Faults &faults)
{
    ReceiverConfig config;
    config.faults = faults;
    return config;
}

TEST(AnswerShaper, AppliesEachFault)
{
    const auto now = Clock::now();
    const Reply ack{{"OK0CAB01"}, 0};
    {
        Receiver receiver(faulty({.losePercent = 100}), 1);
        EXPECT_TRUE(AnswerShaper::answer(receiver, ack, now).empty());
    }
    {
        Receiver receiver(faulty({.duplicateAcks = true}), 1);
        const auto out = AnswerShaper::answer(receiver, {{"OK0CAB01", "0BAB01"}, 0}, now);
        ASSERT_EQ(out.size(), 3u);
        EXPECT_EQ(out[0].bytes, "[OK0CAB01]");
        EXPECT_EQ(out[1].bytes, "[OK0CAB01]");
        EXPECT_EQ(out[2].bytes, "[0BAB01]");
    }
    {
        Receiver receiver(faulty({.lowerCaseHex = true}), 1);
        const auto out = AnswerShaper::answer(receiver, {{"OK0CAB01", "0BAB01", "VE vA.B"}, 0}, now);
        EXPECT_EQ(out.at(0).frame, "OK0cab01");
        EXPECT_EQ(out.at(1).frame, "0bab01");
        EXPECT_EQ(out.at(2).frame, "VE vA.B") << "the version is text, not digits";
    }
    {
        Receiver receiver(faulty({.lateMs = 700}), 1);
        EXPECT_EQ(AnswerShaper::answer(receiver, ack, now).at(0).due, now + std::chrono::milliseconds(700));
    }
}

TEST(AnswerShaper, NoiseNeverContainsBracketsAndPrecedesTheFrame)
{
    Receiver receiver(faulty({.noise = true}), 5);
    for (int i = 0; i < 200; ++i) {
        const std::string bytes = AnswerShaper::answer(receiver, {{"0BAB01"}, 0}, Clock::now()).at(0).bytes;
        ASSERT_GT(bytes.size(), 8u);
        EXPECT_EQ(bytes.find_first_of("[]"), bytes.size() - 8);
        EXPECT_EQ(bytes.substr(bytes.size() - 8), "[0BAB01]");
    }
}

TEST(AnswerShaper, TheAnswerDelayIsTheProcessingTimePlusRegister16)
{
    ReceiverConfig config;
    config.answerDelayMs = 5;
    config.registers[0x16] = 20;
    Receiver receiver(config, 1);
    const auto now = Clock::now();
    const auto out = AnswerShaper::answer(receiver, {{"OK130101"}, 19200}, now);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].due, now + std::chrono::milliseconds(25));
    EXPECT_EQ(out[1].switchToBaud, 19200) << "the speed change follows the acknowledgement";
    EXPECT_TRUE(out[1].bytes.empty());
}

struct WriterProbe
{
    std::string written;
    std::vector<std::string> begun;
    std::chrono::nanoseconds characterTime{0};
    LineWriter writer{{[this](const Transmission &t) {
                           begun.push_back(t.frame);
                           return t.sender != 99;
                       },
                       [this](const Transmission &) { return characterTime; },
                       [this](std::string_view bytes) { written += bytes; }}};
};

TEST(LineWriter, SendsInDueOrderAndKeepsTheOrderOfEqualTimes)
{
    WriterProbe probe;
    const auto t0 = Clock::now();
    probe.writer.push({"[B]", "B", t0 + std::chrono::milliseconds(10), 1, 0});
    probe.writer.push({"[A1]", "A1", t0, 1, 0});
    probe.writer.push({"[A2]", "A2", t0, 1, 0});
    probe.writer.push({"[X]", "X", t0, 99, 0});
    EXPECT_EQ(probe.writer.pump(t0), t0 + std::chrono::milliseconds(10));
    EXPECT_EQ(probe.written, "[A1][A2]");
    EXPECT_EQ(probe.writer.pump(t0 + std::chrono::milliseconds(10)), std::nullopt);
    EXPECT_EQ(probe.written, "[A1][A2][B]");
    EXPECT_EQ(probe.begun, (std::vector<std::string>{"A1", "A2", "X", "B"}));
}

TEST(LineWriter, PacesCharactersAndHoldsTheNextFrameUntilTheLineIsFree)
{
    WriterProbe probe;
    probe.characterTime = std::chrono::milliseconds(1);
    const auto t0 = Clock::now();
    const auto ms = [t0](int n) { return t0 + std::chrono::milliseconds(n); };
    probe.writer.push({"[AB]", "AB", t0, 1, 0});
    probe.writer.push({"[C]", "C", t0, 1, 0});
    EXPECT_EQ(probe.writer.pump(t0), ms(1));
    EXPECT_EQ(probe.written, "[");
    EXPECT_EQ(probe.writer.pump(ms(2)), ms(3));
    EXPECT_EQ(probe.written, "[AB");
    EXPECT_EQ(probe.writer.pump(ms(3)), ms(4)) << "the second frame waits for the last character's time";
    EXPECT_EQ(probe.written, "[AB]");
    EXPECT_EQ(probe.writer.pump(ms(10)), std::nullopt);
    EXPECT_EQ(probe.written, "[AB][C]");
}

} // namespace
} // namespace zok::sim
