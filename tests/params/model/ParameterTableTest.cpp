#include "ParameterTable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using P = ParameterId;

struct WireFacts
{
    P id;
    const char *key;
    const char *readCode;
    const char *writeCode;
    std::uint32_t maskBit;
    bool required;
    bool plusOne;
};

// The reader's registers as the receivers define them, in the write order.
const WireFacts kWireFacts[] = {
    {P::RX_SENSIBILITY, "RX_SENSIBILITY", "0B", "0C", 0x1, true, false},
    {P::RX_MODE_FCT, "RX_MODE_FCT", "01", "02", 0x2, true, true},
    {P::RX_TIMEOUT, "RX_TIMEOUT", "05", "06", 0x10, true, false},
    {P::RX_OUTPUT, "RX_OUTPUT", "03", "04", 0x4, true, true},
    {P::RX_TRAME_FORMAT, "RX_TRAME_FORMAT", "10", "11", 0x8, true, true},
    {P::RX_DELTAT_CADENCE, "RX_DELTAT_CADENCE", "07", "08", 0x20, true, false},
    {P::RX_DELTA_CHECKSUM, "RX_DELTA_CHECKSUM", "C0", "C1", 0x40, true, false},
    {P::RX_VITESSE, "RX_VITESSE", "12", "13", 0x80, false, false},
    {P::RX_FORMAT, "RX_FORMAT", "14", "15", 0x100, false, false},
    {P::RX_TM_REPONSE, "RX_TM_REPONSE", "16", "17", 0x200, false, false},
    {P::RX_ENV_ALARME, "RX_ENV_ALARME", "1A", "1B", 0x400, false, false},
    {P::RX_REDONDANCE, "RX_REDONDANCE", "1C", "1D", 0x800, false, false},
    {P::RX_INTREC, "RX_INTREC", "1E", "1F", 0x1000, false, false},
    {P::RX_TRIPLUSFORT, "RX_TRIPLUSFORT", "20", "21", 0x2000, false, false},
    {P::RX_VITESSE_RW, "RX_VITESSE_RW", "22", "23", 0x4000, false, false},
    {P::RX_LONG_CRC, "RX_LONG_CRC", "22", "23", 0x8000, false, false},
    {P::RX_CMD_DIRECTE_RELAIS, "RX_CMD_DIRECTE_RELAIS", "22", "23", 0x20000, false, false},
    {P::RX_FILTRAGE_TEMP, "RX_FILTRAGE_TEMP", "22", "23", 0x40000, false, false},
    {P::RX_EFFACER_PILE, "RX_EFFACER_PILE", "22", "23", 0x80000, false, false},
    {P::RX_REMPLACE_FAIBLE, "RX_REMPLACE_FAIBLE", "22", "23", 0x100000, false, false},
    {P::RX_LONG_BIT_RW, "RX_LONG_BIT_RW", "24", "25", 0x10000, false, false},
    {P::RX_NB_TAGS_MIN, "RX_NB_TAGS_MIN", "26", "27", 0x200000, false, false},
};

TEST(ParameterTable, CarriesTheReaderRegisterFactsOfEveryParameter)
{
    for (const auto &f : kWireFacts) {
        SCOPED_TRACE(f.key);
        const auto &info = zok::Parameter(f.id);
        EXPECT_STREQ(info.Key, f.key);
        EXPECT_STREQ(info.ReadCode, f.readCode);
        EXPECT_EQ(info.MaskBit, f.maskBit);
        EXPECT_EQ(info.ChoicePlusOne, f.plusOne);
        const auto &reg = zok::RegisterOf(f.id);
        EXPECT_STREQ(reg.WriteCode, f.writeCode);
        EXPECT_EQ(reg.Required, f.required);
    }
}

TEST(ParameterTable, ListsTheParametersInModelOrderWithDistinctKeysAndBits)
{
    const auto params = zok::Parameters();
    ASSERT_EQ(params.size(), kParameterCount);
    std::set<std::string> keys;
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < params.size(); ++i) {
        EXPECT_EQ(IndexOf(params[i].Id), i);
        keys.insert(params[i].Key);
        EXPECT_EQ(bits & params[i].MaskBit, 0U) << params[i].Key;
        bits |= params[i].MaskBit;
    }
    EXPECT_EQ(keys.size(), kParameterCount);
    EXPECT_EQ(bits, 0x3FFFFFU);
    EXPECT_EQ(zok::AllParametersMask(), 0x3FFFFFU);
}

TEST(ParameterTable, WritesTheRegistersInTheReaderOrderEachWithTheNextCode)
{
    const char *order[] = {"0B", "01", "05", "03", "10", "07", "C0", "12", "14",
                           "16", "1A", "1C", "1E", "20", "22", "24", "26"};
    const auto regs = zok::Registers();
    ASSERT_EQ(regs.size(), std::size(order));
    for (std::size_t i = 0; i < regs.size(); ++i) {
        EXPECT_STREQ(regs[i].ReadCode, order[i]);
        EXPECT_EQ(std::stoi(regs[i].WriteCode, nullptr, 16), std::stoi(regs[i].ReadCode, nullptr, 16) + 1);
    }
}

TEST(ParameterTable, SwitchRegisterHoldsSixBitsAndNeedsThreeOfThemToBeWritten)
{
    const auto &reg = *zok::FindRegisterByReadCode("22");
    ASSERT_TRUE(reg.SwitchField);
    const P expected[] = {P::RX_VITESSE_RW,    P::RX_LONG_CRC,     P::RX_CMD_DIRECTE_RELAIS,
                          P::RX_FILTRAGE_TEMP, P::RX_EFFACER_PILE, P::RX_REMPLACE_FAIBLE};
    const auto switches = zok::ParametersOf(reg);
    ASSERT_EQ(switches.size(), std::size(expected));
    for (std::size_t i = 0; i < switches.size(); ++i) {
        EXPECT_EQ(switches[i], expected[i]);
        EXPECT_EQ(zok::Parameter(switches[i]).SwitchBit, static_cast<int>(i));
    }
    EXPECT_EQ(zok::SupportedBitsOfReadCode("22"), 0x1EC000U);
    EXPECT_EQ(zok::WriteGuardMask(reg), 0x4000U | 0x8000U | 0x20000U);
}

TEST(ParameterTable, FileKeyOrderSwapsOnlyTheRwSpeedAndCrcLength)
{
    const auto order = zok::FileKeyOrder();
    ASSERT_EQ(order.size(), kParameterCount);
    for (std::size_t i = 0; i < order.size(); ++i) {
        auto expected = static_cast<P>(i);
        if (expected == P::RX_VITESSE_RW)
            expected = P::RX_LONG_CRC;
        else if (expected == P::RX_LONG_CRC)
            expected = P::RX_VITESSE_RW;
        EXPECT_EQ(order[i], expected) << i;
    }
}

std::vector<int> ValuesOf(std::span<const ParameterChoice> choices)
{
    std::vector<int> values;
    for (const auto &c : choices)
        values.push_back(c.Value);
    return values;
}

TEST(ParameterTable, SpeedAndReceptionChoicesFollowTheFirmware)
{
    struct Case
    {
        CZOKFirmwareVersion firmware;
        std::vector<int> speeds;
        std::vector<int> receptions;
    };
    const Case cases[] = {
        {{}, {0, 1, 2, 3, 4}, {0, 4}},
        {{20, 0, 0}, {0, 1, 2, 3, 4}, {0, 4}},
        {{19, 9, 9}, {0, 1}, {0, 1, 2, 3}},
        {{0, 0, 1}, {0, 1}, {0, 1, 2, 3}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.firmware.Major);
        EXPECT_EQ(ValuesOf(zok::ChoicesFor(P::RX_VITESSE, c.firmware)), c.speeds);
        EXPECT_EQ(ValuesOf(zok::ChoicesFor(P::RX_INTREC, c.firmware)), c.receptions);
        EXPECT_EQ(ValuesOf(zok::ChoicesFor(P::RX_MODE_FCT, c.firmware)), (std::vector<int>{0, 1, 2, 3}));
    }
    EXPECT_EQ(zok::ChoicesFor(P::RX_INTREC, {}).back().TextId, 220);
    EXPECT_TRUE(zok::ChoicesFor(P::RX_SENSIBILITY, {}).empty());
}

} // namespace
