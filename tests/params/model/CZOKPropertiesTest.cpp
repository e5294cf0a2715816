#include "CZOKProperties.h"
#include "ParameterTable.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

using P = ParameterId;

TEST(CZOKProperties, StartsWithTheDefaultsNothingSupportedAndUnknownFirmware)
{
    const int defaults[] = {254, 0, 6, 0, 1, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 167, 0, 0, 0, 0, 1};
    const CZOKProperties props;
    for (std::size_t i = 0; i < kParameterCount; ++i)
        EXPECT_EQ(props.Value(static_cast<P>(i)), defaults[i]) << zok::Parameters()[i].Key;
    EXPECT_EQ(props.SupportedMask(), 0U);
    EXPECT_TRUE(props.FirmwareVersion().IsUnknown());
}

TEST(CZOKProperties, ByteParametersKeepTheLowByteChoicesTheWholeInt)
{
    CZOKProperties props;
    props.SetValue(P::RX_TIMEOUT, 0x1FF);
    EXPECT_EQ(props.Value(P::RX_TIMEOUT), 0xFF);
    props.SetValue(P::RX_MODE_FCT, -1);
    EXPECT_EQ(props.Value(P::RX_MODE_FCT), -1);
    props.SetValue(P::RX_INTREC, INT_MAX);
    EXPECT_EQ(props.Value(P::RX_INTREC), INT_MAX);
}

TEST(CZOKProperties, MembersForInPlaceEditingMatchTheParameterKind)
{
    CZOKProperties props;
    for (const auto &info : zok::Parameters()) {
        const bool isByte = info.Kind == ParameterKind::Byte;
        EXPECT_EQ(props.ByteMember(info.Id) != nullptr, isByte) << info.Key;
        EXPECT_EQ(props.ChoiceMember(info.Id) != nullptr, !isByte) << info.Key;
    }
    *props.ByteMember(P::RX_NB_TAGS_MIN) = 20;
    *props.ChoiceMember(P::RX_LONG_CRC) = 1;
    EXPECT_EQ(props.Value(P::RX_NB_TAGS_MIN), 20);
    EXPECT_EQ(props.Value(P::RX_LONG_CRC), 1);
    EXPECT_EQ(props.Value(P::RX_VITESSE_RW), 0);
}

TEST(CZOKProperties, IsSupportedWhenAnyBitIsShared)
{
    CZOKProperties props;
    props.SetSupportedMask(0x4);
    EXPECT_TRUE(props.IsSupported(0x4));
    EXPECT_TRUE(props.IsSupported(0x5));
    EXPECT_FALSE(props.IsSupported(0x3));
    props.AddSupported(0x1);
    EXPECT_TRUE(props.IsSupported(0x1));
    props.ClearReadResults();
    EXPECT_EQ(props.SupportedMask(), 0U);
}

struct FirmwareCase
{
    CZOKFirmwareVersion firmware;
    bool rwSpeedAndCrc; // 13.2.2
    bool relay;         // 13.4.0
    bool stackSwitches; // 13.5.0
    bool minimumTags;   // 13.6.0
};

class FirmwareRules : public testing::TestWithParam<FirmwareCase>
{
};

TEST_P(FirmwareRules, DecideWhichReportedParametersAreSupported)
{
    const auto &c = GetParam();
    CZOKProperties props;
    props.SetSupportedMask(zok::AllParametersMask());
    props.SetFirmwareVersion(c.firmware.Major, c.firmware.Minor, c.firmware.Build);
    EXPECT_EQ(props.IsParameterSupported(P::RX_VITESSE_RW), c.rwSpeedAndCrc);
    EXPECT_EQ(props.IsParameterSupported(P::RX_LONG_CRC), c.rwSpeedAndCrc);
    EXPECT_EQ(props.IsParameterSupported(P::RX_CMD_DIRECTE_RELAIS), c.relay);
    EXPECT_EQ(props.IsParameterSupported(P::RX_FILTRAGE_TEMP), c.stackSwitches);
    EXPECT_EQ(props.IsParameterSupported(P::RX_EFFACER_PILE), c.stackSwitches);
    EXPECT_EQ(props.IsParameterSupported(P::RX_REMPLACE_FAIBLE), c.stackSwitches);
    EXPECT_EQ(props.IsParameterSupported(P::RX_NB_TAGS_MIN), c.minimumTags);
    EXPECT_TRUE(props.IsParameterSupported(P::RX_LONG_BIT_RW));
    EXPECT_TRUE(props.IsParameterSupported(P::RX_SENSIBILITY));
}

INSTANTIATE_TEST_SUITE_P(Boundaries, FirmwareRules,
                         testing::Values(FirmwareCase{{0, 0, 0}, true, true, true, true},
                                         FirmwareCase{{12, 9, 9}, false, false, false, false},
                                         FirmwareCase{{13, 2, 1}, false, false, false, false},
                                         FirmwareCase{{13, 2, 2}, true, false, false, false},
                                         FirmwareCase{{13, 3, 9}, true, false, false, false},
                                         FirmwareCase{{13, 4, 0}, true, true, false, false},
                                         FirmwareCase{{13, 4, 9}, true, true, false, false},
                                         FirmwareCase{{13, 5, 0}, true, true, true, false},
                                         FirmwareCase{{13, 6, 0}, true, true, true, true},
                                         FirmwareCase{{14, 0, 0}, true, true, true, true},
                                         FirmwareCase{{19, 9, 9}, true, true, true, true},
                                         FirmwareCase{{20, 0, 0}, true, true, true, true},
                                         FirmwareCase{{0, 0, 1}, false, false, false, false}),
                         [](const testing::TestParamInfo<FirmwareCase> &info) {
                             const auto &v = info.param.firmware;
                             return "v" + std::to_string(v.Major) + "_" + std::to_string(v.Minor) + "_" +
                                    std::to_string(v.Build);
                         });

TEST(CZOKProperties, UnreportedParametersAreUnsupportedWhateverTheFirmware)
{
    CZOKProperties props;
    props.SetSupportedMask(0x7F);
    EXPECT_TRUE(props.IsParameterSupported(P::RX_DELTA_CHECKSUM));
    EXPECT_FALSE(props.IsParameterSupported(P::RX_VITESSE));
    EXPECT_FALSE(props.IsParameterSupported(P::RX_NB_TAGS_MIN));
}

TEST(CZOKProperties, NothingSupportedResetsEveryValueToItsFixedValue)
{
    CZOKProperties props;
    props.SetValue(P::RX_MODE_FCT, 3);
    props.ResetUnsupportedValues();
    const int fixed[] = {255, 0, 6, 0, 0, 60, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 167, 0, 0, 0, 0, 1};
    for (std::size_t i = 0; i < kParameterCount; ++i)
        EXPECT_EQ(props.Value(static_cast<P>(i)), fixed[i]) << zok::Parameters()[i].Key;
}

TEST(CZOKProperties, OldFirmwareResetsOnlyTheParametersItLacks)
{
    CZOKProperties props;
    props.SetSupportedMask(zok::AllParametersMask());
    props.SetFirmwareVersion(13, 4, 9);
    props.SetValue(P::RX_CMD_DIRECTE_RELAIS, 1);
    props.SetValue(P::RX_FILTRAGE_TEMP, 1);
    props.SetValue(P::RX_NB_TAGS_MIN, 7);
    props.SetValue(P::RX_SENSIBILITY, 100);
    props.ResetUnsupportedValues();
    EXPECT_EQ(props.Value(P::RX_CMD_DIRECTE_RELAIS), 1);
    EXPECT_EQ(props.Value(P::RX_FILTRAGE_TEMP), 0);
    EXPECT_EQ(props.Value(P::RX_NB_TAGS_MIN), 1);
    EXPECT_EQ(props.Value(P::RX_SENSIBILITY), 100);
}

TEST(CZOKFirmwareVersion, ReadsTheNumbersAfterTheVersionMark)
{
    struct Case
    {
        const char *text;
        CZOKFirmwareVersion expected;
    };
    const Case cases[] = {
        {"OXA v2.10.3", {2, 10, 3}},
        {"Reader v13.5.0 2019", {13, 5, 0}},
        {" v13.4.9", {13, 4, 9}},
        {"Reader v2.10", {0, 0, 0}},
        {"Reader2.10.3", {0, 0, 0}},
        {"Reader V2.10.3", {0, 0, 0}},
        {"", {0, 0, 0}},
        {"x v..", {0, 0, 0}},
        {"x v 13.+4.x", {13, 4, 0}},
        {"x v-1.2.3", {-1, 2, 3}},
        {"x v99999999999.1.2", {0, 1, 2}},
        {"1.2 v3.4.5", {3, 4, 5}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CZOKFirmwareVersion::FromVersionText(c.text), c.expected) << c.text;
}

} // namespace
