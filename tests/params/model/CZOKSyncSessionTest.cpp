#include "CZOKSyncSession.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char *const kRequired[] = {"01", "03", "05", "07", "0B", "10", "C0"};

TEST(CZOKSyncSession, StartsIdleWithoutTimerAnswersOrWrites)
{
    const CZOKSyncSession session;
    EXPECT_EQ(session.State, ExchangeState::Idle);
    EXPECT_EQ(session.AcceptedAnswers, 0);
    EXPECT_EQ(session.TimerId, 0);
    EXPECT_EQ(session.RemainingTicks, 0);
    EXPECT_EQ(session.WriteIndex, 0);
    EXPECT_TRUE(session.ExpectedAnswers().empty());
    EXPECT_EQ(session.GetWriteCount(), 0);
}

TEST(CZOKSyncSession, ExchangeStatesKeepTheirNumbers)
{
    EXPECT_EQ(static_cast<int>(ExchangeState::Idle), 0);
    EXPECT_EQ(static_cast<int>(ExchangeState::ReceiverScan), 1);
    EXPECT_EQ(static_cast<int>(ExchangeState::Reading), 2);
    EXPECT_EQ(static_cast<int>(ExchangeState::Writing), 3);
    EXPECT_EQ(static_cast<int>(ExchangeState::TagTracking), 4);
    EXPECT_EQ(static_cast<int>(ExchangeState::RadioScan), 5);
    EXPECT_EQ(static_cast<int>(ExchangeState::IdFilter), 6);
    EXPECT_EQ(static_cast<int>(ExchangeState::SpeedDetection), 7);
}

TEST(CZOKSyncSession, ReadListHoldsTheEighteenAnswersInOrderWithTheirFlags)
{
    struct Entry
    {
        const char *code;
        bool received, checkAddress, parseValue;
    };
    const Entry expected[] = {
        {"01", false, true, true}, {"03", false, true, true}, {"05", false, true, true},
        {"07", false, true, true}, {"0B", false, true, true}, {"10", false, true, true},
        {"C0", false, true, true}, {"12", true, true, true},  {"14", true, true, true},
        {"16", true, true, true},  {"1A", true, true, true},  {"1C", true, true, true},
        {"1E", true, true, true},  {"20", true, true, true},  {"22", true, true, true},
        {"24", true, true, true},  {"26", true, true, true},  {"VE", false, false, false},
    };
    CZOKSyncSession session;
    session.AddParameter(CZOKSyncParameter("XX", false, false, false));
    session.BuildReadList();
    const auto entries = session.ExpectedAnswers();
    ASSERT_EQ(entries.size(), std::size(expected));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(expected[i].code);
        EXPECT_EQ(entries[i].Code, expected[i].code);
        EXPECT_EQ(entries[i].Received, expected[i].received);
        EXPECT_EQ(entries[i].CheckAddress, expected[i].checkAddress);
        EXPECT_EQ(entries[i].ParseValue, expected[i].parseValue);
        EXPECT_TRUE(entries[i].Answer.empty());
    }
    EXPECT_FALSE(session.HasParameter("XX"));
}

struct StoreCase
{
    std::uint8_t receiver;
    const char *code;
    const char *answer;
    bool result;
    bool received;
};

TEST(CZOKSyncSession, StoreAnswerAcceptsOnlyTheSelectedReceiverAndWellFormedValues)
{
    const StoreCase cases[] = {
        {0x0A, "0B", "1F0A", true, true},   // the selected receiver
        {0x0B, "0B", "1F0A", false, false}, // another receiver
        {0x00, "0B", "1F0A", true, true},   // receiver 0 takes any address
        {0x00, "0B", "1FFF", true, true},
        {0x0A, "0B", "1F0a", false, false}, // lower-case address
        {0x0A, "0B", "1f0A", true, false},  // address passes, value refused
        {0x0A, "0B", "1F0A00", false, false},
        {0x0A, "0B", "1F", false, false},
        {0x0A, "0B", "", false, false},
        {0x0A, "12", "010B", false, true}, // optional codes start received
        {0x0A, "VE", "Reader v13.5.0", false, true},
        {0x0A, "VE", "", false, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.code) + " " + c.answer);
        CZOKSyncSession session;
        session.BuildReadList();
        EXPECT_EQ(session.StoreAnswer(c.code, c.answer, c.receiver), c.result);
        const auto *entry = session.LookupParameter(c.code);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->Received, c.received);
        EXPECT_EQ(entry->Answer, c.answer);
    }
}

TEST(CZOKSyncSession, AnswerOfTheExampleGivesItsValueByte)
{
    CZOKSyncSession session;
    session.BuildReadList();
    ASSERT_TRUE(session.StoreAnswer("0B", "1F0A", 0x0A));
    EXPECT_EQ(session.LookupParameter("0B")->GetValueByte(), 0x1F);
}

TEST(CZOKSyncSession, UnknownCodesAreRefusedAndChangeNothing)
{
    CZOKSyncSession session;
    session.BuildReadList();
    for (const char *code : {"99", "0b", "ve", "", "0B0", "OK"})
        EXPECT_FALSE(session.StoreAnswer(code, "1F0A", 0)) << code;
    EXPECT_EQ(session.ExpectedAnswers().size(), 18U);
    for (const auto &entry : session.ExpectedAnswers())
        EXPECT_TRUE(entry.Answer.empty()) << entry.Code;
}

TEST(CZOKSyncSession, ReadCompletesWithTheSevenRequiredAnswersAndTheVersion)
{
    CZOKSyncSession session;
    session.BuildReadList();
    EXPECT_FALSE(session.AllReceived());
    for (const char *code : kRequired) {
        EXPECT_FALSE(session.AllReceived()) << code;
        ASSERT_TRUE(session.StoreAnswer(code, "0105", 5));
    }
    EXPECT_FALSE(session.AllReceived());
    session.StoreAnswer("VE", "v1.2.3", 5);
    EXPECT_TRUE(session.AllReceived());
}

TEST(CZOKSyncSession, VersionAloneOrARefusedRequiredAnswerLeavesTheReadOpen)
{
    CZOKSyncSession session;
    session.BuildReadList();
    session.StoreAnswer("VE", "v1.2.3", 5);
    for (const char *code : kRequired)
        session.StoreAnswer(code, std::string(code) == "C0" ? "0106" : "0105", 5);
    EXPECT_FALSE(session.AllReceived());
    session.StoreAnswer("C0", "0105", 5);
    EXPECT_TRUE(session.AllReceived());
}

TEST(CZOKSyncSession, EmptyMapCountsAsAllReceived)
{
    CZOKSyncSession session;
    EXPECT_TRUE(session.AllReceived());
    session.BuildReadList();
    session.ClearParameters();
    EXPECT_TRUE(session.AllReceived());
    EXPECT_FALSE(session.HasParameter("0B"));
    EXPECT_EQ(session.LookupParameter("0B"), nullptr);
}

TEST(CZOKSyncSession, ASecondEntryWithTheSameCodeLeavesTheFirst)
{
    CZOKSyncSession session;
    EXPECT_TRUE(session.AddParameter(CZOKSyncParameter("0B", false, true, true)));
    EXPECT_FALSE(session.AddParameter(CZOKSyncParameter("0B", true, false, false)));
    ASSERT_EQ(session.ExpectedAnswers().size(), 1U);
    const auto *entry = session.LookupParameter("0B");
    EXPECT_FALSE(entry->Received);
    EXPECT_TRUE(entry->CheckAddress);
    EXPECT_TRUE(entry->ParseValue);
}

TEST(CZOKSyncSession, WriteQueueHandsOutCopiesInsideItsLengthOnly)
{
    CZOKSyncSession session;
    EXPECT_FALSE(session.GetWriteAction(0));
    session.AddWriteAction({"[0CFE0A]", "OK0CFE0A"});
    CZOKWriteAction second{"[02010A]", "OK02010A"};
    session.AddWriteAction(second);
    second.Command = "changed";
    ASSERT_EQ(session.GetWriteCount(), 2);
    EXPECT_EQ(session.GetWriteAction(1), (CZOKWriteAction{"[02010A]", "OK02010A"}));
    EXPECT_EQ(session.GetWriteAction(0)->ExpectedAnswer, "OK0CFE0A");
    EXPECT_FALSE(session.GetWriteAction(2));
    EXPECT_FALSE(session.GetWriteAction(-1));
    session.WriteIndex = 2;
    session.ClearWriteQueue();
    EXPECT_EQ(session.GetWriteCount(), 0);
    EXPECT_EQ(session.WriteIndex, 0);
    EXPECT_FALSE(session.GetWriteAction(0));
}

} // namespace
