// Each fixture under fixtures/ is a parameter file with one kind of unusual or malformed content.
// All of them derive from all_keys.zok, whose values differ from the model's defaults, so the test
// can tell for every key whether it was applied.
#include "CZOKProperties.h"
#include "ParameterFile.h"
#include "ParameterTable.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using P = ParameterId;

namespace {

// The model values of all_keys.zok (choices counted from 1 in the file are one less here).
const std::map<P, int> kAllKeysValues = {
    {P::RX_SENSIBILITY, 0x80}, {P::RX_MODE_FCT, 2},       {P::RX_TIMEOUT, 0x0C},
    {P::RX_OUTPUT, 1},         {P::RX_TRAME_FORMAT, 0},   {P::RX_DELTAT_CADENCE, 0x14},
    {P::RX_DELTA_CHECKSUM, 5}, {P::RX_VITESSE, 4},        {P::RX_FORMAT, 1},
    {P::RX_TM_REPONSE, 0x32},  {P::RX_ENV_ALARME, 1},     {P::RX_REDONDANCE, 1},
    {P::RX_INTREC, 4},         {P::RX_TRIPLUSFORT, 1},    {P::RX_LONG_CRC, 1},
    {P::RX_VITESSE_RW, 1},     {P::RX_LONG_BIT_RW, 0xB4}, {P::RX_CMD_DIRECTE_RELAIS, 1},
    {P::RX_FILTRAGE_TEMP, 1},  {P::RX_EFFACER_PILE, 1},   {P::RX_REMPLACE_FAIBLE, 1},
    {P::RX_NB_TAGS_MIN, 0x0F},
};

struct LoadCase
{
    const char *Fixture;
    zok::LoadOutcome Outcome;
    int Applied;
    bool SpeedKeyReached;
    std::map<P, int> Differences; // applied values other than those of all_keys.zok
};

void PrintTo(const LoadCase &c, std::ostream *os)
{
    *os << c.Fixture;
}

const LoadCase kCases[] = {
    {"all_keys", zok::LoadOutcome::Loaded, 22, true, {}},
    {"lf_only", zok::LoadOutcome::Loaded, 22, true, {}},
    {"lower_case", zok::LoadOutcome::Loaded, 22, true, {}},
    {"other_sections", zok::LoadOutcome::Loaded, 22, true, {}},
    {"three_digits", zok::LoadOutcome::Loaded, 22, true, {{P::RX_TIMEOUT, 0xFF}}},
    {"hex_prefix", zok::LoadOutcome::Loaded, 22, true, {{P::RX_TIMEOUT, 0x1F}}},
    {"leading_blanks", zok::LoadOutcome::Loaded, 22, true, {{P::RX_TIMEOUT, 0x1F}}},
    {"duplicate_key", zok::LoadOutcome::Loaded, 22, true, {{P::RX_TIMEOUT, 0x01}}},
    {"too_large", zok::LoadOutcome::Loaded, 22, true, {{P::RX_LONG_BIT_RW, 0xFF}}},
    {"signed_values", zok::LoadOutcome::Loaded, 22, true, {{P::RX_SENSIBILITY, 0xFF}, {P::RX_MODE_FCT, -1}}},
    {"trailing_x", zok::LoadOutcome::ContentError, 2, false, {}},
    {"empty_value", zok::LoadOutcome::ContentError, 3, false, {}},
    {"missing_section", zok::LoadOutcome::ContentError, 0, false, {}},
    {"invalid_speed", zok::LoadOutcome::ContentError, 7, true, {}},
    {"blank_around_equals", zok::LoadOutcome::ContentError, 8, true, {}},
    {"missing_last_key", zok::LoadOutcome::ContentError, 21, true, {}},
};

std::string fixture(const std::string &name)
{
    return (fs::path(ZOK_SOURCE_DIR) / "tests" / "params" / "files" / "fixtures" / (name + ".zok")).string();
}

class ParameterFileLoad : public testing::TestWithParam<LoadCase>
{
};

} // namespace

TEST_P(ParameterFileLoad, AppliesTheKeysInOrderUpToTheFirstInvalidOne)
{
    const LoadCase &c = GetParam();
    CZOKProperties props;
    const CZOKProperties defaults;
    const auto result = zok::LoadParameterFile(fixture(c.Fixture), props);
    EXPECT_EQ(result.Outcome, c.Outcome);
    EXPECT_EQ(result.AppliedCount, c.Applied);
    EXPECT_EQ(result.SpeedKeyReached, c.SpeedKeyReached);

    const auto order = zok::FileKeyOrder();
    for (std::size_t i = 0; i < order.size(); ++i) {
        const P id = order[i];
        int expected = defaults.Value(id);
        if (static_cast<int>(i) < c.Applied)
            expected = c.Differences.contains(id) ? c.Differences.at(id) : kAllKeysValues.at(id);
        EXPECT_EQ(props.Value(id), expected) << zok::Parameter(id).Key;
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ParameterFileLoad, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<LoadCase> &info) { return info.param.Fixture; });

TEST(ParameterFileLoadAccess, AMissingFileOrAFolderLeavesTheModelUnchanged)
{
    zok::test::TempDir dir;
    for (const auto &path : {dir.file("absent.zok"), dir.path().string(), std::string()}) {
        CZOKProperties props;
        const auto result = zok::LoadParameterFile(path, props);
        EXPECT_EQ(result.Outcome, zok::LoadOutcome::AccessError) << path;
        EXPECT_EQ(result.AppliedCount, 0);
        EXPECT_FALSE(result.SpeedKeyReached);
        for (const auto &info : zok::Parameters())
            EXPECT_EQ(props.Value(info.Id), info.DefaultValue) << info.Key;
    }
    EXPECT_FALSE(fs::exists(dir.file("absent.zok")));
}

TEST(ParameterFileLoadAccess, LoadingNeitherChangesTheFileNorLooksAtSupport)
{
    zok::test::TempDir dir;
    const std::string file = dir.file("copy.zok");
    fs::copy_file(fixture("other_sections"), file);
    const std::string before = zok::test::ReadBytes(file);
    CZOKProperties props; // nothing supported: the sheet, not the file, resets such values
    EXPECT_EQ(zok::LoadParameterFile(file, props).Outcome, zok::LoadOutcome::Loaded);
    EXPECT_EQ(props.Value(P::RX_NB_TAGS_MIN), 0x0F);
    EXPECT_EQ(zok::test::ReadBytes(file), before);
}
