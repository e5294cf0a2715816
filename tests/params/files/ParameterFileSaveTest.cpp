#include "CZOKProperties.h"
#include "ParameterFile.h"
#include "ParameterTable.h"
#include "Permissions.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;
using zok::test::ReadBytes;
using P = ParameterId;

namespace {

std::string savesFile(const std::string &name)
{
    return (fs::path(ZOK_SOURCE_DIR) / "tests" / "params" / "files" / "saves" / name).string();
}

} // namespace

TEST(ParameterFileSave, RightAfterStartUpWritesTheTwentyThreeLines)
{
    zok::test::TempDir dir;
    CZOKProperties props;
    props.SetSupportedMask(zok::AllParametersMask());
    const std::string file = dir.file("startup.zok");
    EXPECT_EQ(zok::SaveParameterFile(file, props), zok::SaveOutcome::Saved);
    EXPECT_EQ(ReadBytes(file), ReadBytes(savesFile("startup.expected")));
}

TEST(ParameterFileSave, KeepsOtherSectionsAndNamelessKeysAndPutsTheSectionLast)
{
    zok::test::TempDir dir;
    const std::string file = dir.file("shared.zok");
    fs::copy_file(savesFile("other_sections.before"), file);
    EXPECT_EQ(zok::SaveParameterFile(file, CZOKProperties()), zok::SaveOutcome::Saved);
    EXPECT_EQ(ReadBytes(file), ReadBytes(savesFile("other_sections.expected")));
}

TEST(ParameterFileSave, WritesTheValuesAsTheyStandAndLoadsThemBack)
{
    zok::test::TempDir dir;
    CZOKProperties saved;
    saved.SetValue(P::RX_MODE_FCT, -1); // a file value 00 loads as this index
    saved.SetValue(P::RX_OUTPUT, 3);
    saved.SetValue(P::RX_INTREC, 4);
    saved.SetValue(P::RX_SENSIBILITY, 0);
    saved.SetValue(P::RX_NB_TAGS_MIN, 255);
    const std::string file = dir.file("round.zok");
    ASSERT_EQ(zok::SaveParameterFile(file, saved), zok::SaveOutcome::Saved);
    EXPECT_NE(ReadBytes(file).find("RX_MODE_FCT=00\r\nRX_TIMEOUT=06\r\nRX_OUTPUT=04\r\n"), std::string::npos);

    CZOKProperties loaded;
    const auto result = zok::LoadParameterFile(file, loaded);
    EXPECT_EQ(result.Outcome, zok::LoadOutcome::Loaded);
    for (const auto &info : zok::Parameters())
        EXPECT_EQ(loaded.Value(info.Id), saved.Value(info.Id)) << info.Key;
}

TEST(ParameterFileSave, ReportsAnAccessErrorWhenTheFileCannotBeOpened)
{
    zok::test::TempDir dir;
    const CZOKProperties props;
    EXPECT_EQ(zok::SaveParameterFile(dir.file("missing/folder.zok"), props), zok::SaveOutcome::AccessError);
    EXPECT_EQ(zok::SaveParameterFile(dir.path().string(), props), zok::SaveOutcome::AccessError);
    EXPECT_EQ(zok::SaveParameterFile("", props), zok::SaveOutcome::AccessError);
}

TEST(ParameterFileSave, ReportsAWriteErrorAndKeepsTheOldFileWhenTheFolderRefusesTheNewOne)
{
    if (!zok::test::PermissionsAreEnforced())
        GTEST_SKIP() << "file permissions are not enforced for this user";
    zok::test::TempDir dir;
    const std::string file = dir.file("locked.zok");
    zok::test::WriteBytes(file, "[A]\r\nk=v\r\n");
    fs::permissions(dir.path(), fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_EQ(zok::SaveParameterFile(file, CZOKProperties()), zok::SaveOutcome::WriteError);
    EXPECT_EQ(ReadBytes(file), "[A]\r\nk=v\r\n");
}

TEST(ParameterFileSave, ReportsAnAccessErrorForAReadOnlyFile)
{
    if (!zok::test::PermissionsAreEnforced())
        GTEST_SKIP() << "file permissions are not enforced for this user";
    zok::test::TempDir dir;
    const std::string file = dir.file("readonly.zok");
    zok::test::WriteBytes(file, "[A]\r\nk=v\r\n");
    fs::permissions(file, fs::perms::owner_read, fs::perm_options::replace);
    EXPECT_EQ(zok::SaveParameterFile(file, CZOKProperties()), zok::SaveOutcome::AccessError);
    EXPECT_EQ(ReadBytes(file), "[A]\r\nk=v\r\n");
}
