#include "ParameterWire.h"
#include "ParameterTable.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <string>

namespace {

using P = ParameterId;

const P kSwitchOrder[] = {P::RX_VITESSE_RW,    P::RX_LONG_CRC,     P::RX_CMD_DIRECTE_RELAIS,
                          P::RX_FILTRAGE_TEMP, P::RX_EFFACER_PILE, P::RX_REMPLACE_FAIBLE};

struct SwitchCase
{
    std::array<int, 6> values; // in bit order
    std::uint8_t field;
};

TEST(ParameterWire, SwitchFieldFromTheModel)
{
    const SwitchCase cases[] = {
        {{0, 0, 0, 0, 0, 0}, 0x00},
        {{1, 0, 0, 0, 0, 0}, 0x01},
        {{0, 1, 0, 0, 0, 0}, 0x02},
        {{0, 0, 1, 0, 0, 0}, 0x04},
        {{0, 0, 0, 1, 0, 0}, 0x08},
        {{0, 0, 0, 0, 1, 0}, 0x10},
        {{0, 0, 0, 0, 0, 1}, 0x20},
        {{1, 1, 1, 1, 1, 1}, 0x3F},
        {{1, 0, 1, 0, 1, 0}, 0x15},
        // Values other than 0 and 1 (a parameter file may hold any byte) switch nothing on,
        // in particular not a neighbouring switch.
        {{2, 0, 0, 0, 0, 0}, 0x00},
        {{3, 0, 0, 0, 0, 0}, 0x00},
        {{0, 255, 2, -1, 0, 0}, 0x00},
    };
    for (const auto &c : cases) {
        CZOKProperties props;
        for (std::size_t i = 0; i < 6; ++i)
            props.SetValue(kSwitchOrder[i], c.values[i]);
        EXPECT_EQ(zok::ComposeSwitchField(props), c.field) << int(c.field);
    }
}

TEST(ParameterWire, SwitchFieldIntoTheModel)
{
    const SwitchCase cases[] = {
        {{0, 0, 0, 0, 0, 0}, 0x00}, {{1, 1, 1, 1, 1, 1}, 0x3F}, {{1, 1, 1, 1, 1, 1}, 0xFF},
        {{0, 0, 0, 0, 0, 0}, 0xC0}, {{1, 0, 1, 0, 1, 0}, 0x15}, {{0, 1, 0, 1, 0, 1}, 0x6A},
    };
    for (const auto &c : cases) {
        CZOKProperties props;
        for (const auto id : kSwitchOrder)
            props.SetValue(id, 7);
        zok::ApplySwitchField(props, c.field);
        for (std::size_t i = 0; i < 6; ++i)
            EXPECT_EQ(props.Value(kSwitchOrder[i]), c.values[i]) << int(c.field) << " bit " << i;
    }
}

TEST(ParameterWire, SwitchFieldRoundTripsEverySixBitPattern)
{
    for (unsigned field = 0; field < 64; ++field) {
        CZOKProperties props;
        zok::ApplySwitchField(props, static_cast<std::uint8_t>(field));
        EXPECT_EQ(zok::ComposeSwitchField(props), field);
    }
}

struct ValueCase
{
    P id;
    int model;
    std::uint8_t wire;
};

TEST(ParameterWire, ParameterBytesCountZeroBasedChoicesFromOneAndKeepTheLowByte)
{
    const ValueCase cases[] = {
        {P::RX_MODE_FCT, 0, 0x01},           {P::RX_MODE_FCT, 3, 0x04},    {P::RX_MODE_FCT, -1, 0x00},
        {P::RX_MODE_FCT, 255, 0x00},         {P::RX_OUTPUT, 2, 0x03},      {P::RX_TRAME_FORMAT, 1, 0x02},
        {P::RX_SENSIBILITY, 254, 0xFE},      {P::RX_TIMEOUT, 0x1FF, 0xFF}, {P::RX_VITESSE, 4, 0x04},
        {P::RX_INTREC, 0x104, 0x04},         {P::RX_FORMAT, -1, 0xFF},     {P::RX_INTREC, INT_MAX, 0xFF},
        {P::RX_TRAME_FORMAT, INT_MAX, 0x00},
    };
    for (const auto &c : cases)
        EXPECT_EQ(zok::WireValueOf(c.id, c.model), c.wire) << zok::Parameter(c.id).Key << " " << c.model;
}

TEST(ParameterWire, BytesBackIntoModelValues)
{
    const ValueCase cases[] = {
        {P::RX_MODE_FCT, 2, 0x03},     {P::RX_MODE_FCT, -1, 0x00},     {P::RX_OUTPUT, 254, 0xFF},
        {P::RX_TRAME_FORMAT, 0, 0x01}, {P::RX_SENSIBILITY, 255, 0xFF}, {P::RX_VITESSE, 4, 0x04},
        {P::RX_INTREC, 200, 0xC8},
    };
    for (const auto &c : cases)
        EXPECT_EQ(zok::ModelValueOf(c.id, c.wire), c.model) << zok::Parameter(c.id).Key << " " << int(c.wire);
}

TEST(ParameterWire, MarkSupportedSetsTheBitsOfTheAnsweredRegister)
{
    CZOKProperties props;
    zok::MarkSupported(props, "22");
    EXPECT_EQ(props.SupportedMask(), 0x1EC000U);
    zok::MarkSupported(props, "0B");
    for (const char *noRegister : {"VE", "0b", "23", ""})
        zok::MarkSupported(props, noRegister);
    EXPECT_EQ(props.SupportedMask(), 0x1EC001U);
}

CZOKSyncSession ReadOf(std::uint8_t receiver,
                       std::initializer_list<std::pair<const char *, const char *>> answers)
{
    CZOKSyncSession session;
    session.BuildReadList();
    for (const auto &[code, answer] : answers)
        session.StoreAnswer(code, answer, receiver);
    return session;
}

TEST(ParameterWire, ReadAnswersReachTheModel)
{
    const auto session = ReadOf(0x05, {{"0B", "1F05"},
                                       {"01", "0305"},
                                       {"03", "0105"},
                                       {"10", "0005"},
                                       {"12", "0405"},
                                       {"22", "1505"},
                                       {"26", "1405"},
                                       {"VE", "x v1.2.3"}});
    CZOKProperties props;
    zok::ApplyReadAnswers(props, session, 0x05);
    EXPECT_EQ(props.Value(P::RX_SENSIBILITY), 0x1F);
    EXPECT_EQ(props.Value(P::RX_MODE_FCT), 2);
    EXPECT_EQ(props.Value(P::RX_OUTPUT), 0);
    EXPECT_EQ(props.Value(P::RX_TRAME_FORMAT), -1);
    EXPECT_EQ(props.Value(P::RX_VITESSE), 4);
    EXPECT_EQ(props.Value(P::RX_VITESSE_RW), 1);
    EXPECT_EQ(props.Value(P::RX_LONG_CRC), 0);
    EXPECT_EQ(props.Value(P::RX_CMD_DIRECTE_RELAIS), 1);
    EXPECT_EQ(props.Value(P::RX_EFFACER_PILE), 1);
    EXPECT_EQ(props.Value(P::RX_NB_TAGS_MIN), 20);
    EXPECT_EQ(props.Value(P::RX_TIMEOUT), 6) << "unanswered: unchanged";
    EXPECT_TRUE(props.FirmwareVersion().IsUnknown());
}

TEST(ParameterWire, RefusedOrMalformedAnswersLeaveTheModelUnchanged)
{
    // 0103AB: another receiver's answer, refused for receiver 05 and so not applied either.
    const auto session = ReadOf(0x05, {{"01", "03AB"}, {"0B", "1f05"}, {"05", "0905X"}, {"07", "3"}});
    CZOKProperties props;
    zok::ApplyReadAnswers(props, session, 0x05);
    const CZOKProperties defaults;
    for (const auto &info : zok::Parameters())
        EXPECT_EQ(props.Value(info.Id), defaults.Value(info.Id)) << info.Key;
}

TEST(ParameterWire, ReceiverZeroAppliesAnswersFromAnyAddress)
{
    const auto session = ReadOf(0x00, {{"01", "03AB"}});
    CZOKProperties props;
    zok::ApplyReadAnswers(props, session, 0x00);
    EXPECT_EQ(props.Value(P::RX_MODE_FCT), 2);
}

std::vector<CZOKWriteAction> Writes(std::initializer_list<const char *> triples)
{
    std::vector<CZOKWriteAction> writes;
    for (const std::string t : triples)
        writes.push_back({"[" + t + "]", "OK" + t});
    return writes;
}

TEST(ParameterWire, WriteSequenceOfTheDefaultsWithEverythingSupported)
{
    CZOKProperties props;
    props.SetSupportedMask(zok::AllParametersMask());
    const auto expected =
        Writes({"0CFE0A", "02010A", "06060A", "04010A", "11020A", "080A0A", "C1000A", "15000A", "17000A",
                "1B000A", "1D000A", "1F000A", "21000A", "23000A", "25A70A", "27010A"});
    EXPECT_EQ(zok::BuildWriteActions(props, 0x0A, false), expected);
    auto withSpeed = expected;
    withSpeed.insert(withSpeed.begin() + 7, {"[13000A]", "OK13000A"});
    EXPECT_EQ(zok::BuildWriteActions(props, 0x0A, true), withSpeed);
}

TEST(ParameterWire, WriteSequenceSendsOnlyReportedRegisters)
{
    CZOKProperties props;
    props.SetSupportedMask(0x7F);
    EXPECT_EQ(zok::BuildWriteActions(props, 0x05, true).size(), 7U);
    props.SetSupportedMask(0);
    EXPECT_TRUE(zok::BuildWriteActions(props, 0x05, true).empty());
}

TEST(ParameterWire, SwitchRegisterIsWrittenOnlyWithItsThreeGuardBits)
{
    CZOKProperties props;
    props.SetValue(P::RX_LONG_CRC, 1);
    props.SetValue(P::RX_REMPLACE_FAIBLE, 1);
    props.SetSupportedMask(0x4000 | 0x8000 | 0x20000);
    EXPECT_EQ(zok::BuildWriteActions(props, 0xFF, false), Writes({"2322FF"}));
    props.SetSupportedMask(0x1EC000 & ~0x20000U);
    EXPECT_TRUE(zok::BuildWriteActions(props, 0xFF, false).empty());
}

TEST(ParameterWire, QueueWritesReplacesTheQueueAndRestartsTheIndex)
{
    CZOKProperties props;
    props.SetSupportedMask(0x1);
    CZOKSyncSession session;
    session.AddWriteAction({"[old]", "OKold"});
    session.WriteIndex = 1;
    zok::QueueWrites(session, props, 0x0A, false);
    EXPECT_EQ(session.WriteIndex, 0);
    ASSERT_EQ(session.GetWriteCount(), 1);
    EXPECT_EQ(session.GetWriteAction(0)->Command, "[0CFE0A]");
}

TEST(ParameterWire, SpeedAcknowledgementCarriesTheModelSpeedAndAddress)
{
    CZOKProperties props;
    props.SetValue(P::RX_VITESSE, 4);
    EXPECT_EQ(zok::SpeedAcknowledgement(props, 0x05), "OK130405");
}

} // namespace
