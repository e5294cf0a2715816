#include "CIniEx.h"
#include "FileSystemTraits.h"
#include "IniDump.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using zok::test::ReadBytes;
using zok::test::WriteBytes;

namespace {

// Loading for reading and writing, as the settings and the parameter-file save do.
bool loadWritable(CIniEx &ini, const std::string &path, bool createIfMissing = true)
{
    return ini.LoadFile(path, false, createIfMissing, true, false, false);
}

bool permissionsAreEnforced(const std::string &path)
{
    return ::access(path.c_str(), W_OK) != 0;
}

std::vector<std::string> folderContent(const fs::path &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

TEST(IniFile, MissingFileIsCreatedEmptyOnlyWhenAsked)
{
    zok::test::TempDir dir;
    CIniEx ini(4);
    EXPECT_FALSE(loadWritable(ini, dir.file("a.ini"), false));
    EXPECT_FALSE(fs::exists(dir.file("a.ini")));
    EXPECT_TRUE(ini.FileName().empty());

    EXPECT_TRUE(loadWritable(ini, dir.file("b.ini")));
    EXPECT_TRUE(fs::exists(dir.file("b.ini")));
    EXPECT_EQ(fs::file_size(dir.file("b.ini")), 0u);
    EXPECT_EQ(ini.FileName(), dir.file("b.ini"));
}

TEST(IniFile, CreateIfMissingNeverTruncates)
{
    zok::test::TempDir dir;
    WriteBytes(dir.file("a.ini"), "[A]\r\nk=v\r\n");
    CIniEx ini(4);
    ASSERT_TRUE(loadWritable(ini, dir.file("a.ini")));
    EXPECT_EQ(ini.GetKeyValue("A", "k", ""), "v");
    EXPECT_EQ(ReadBytes(dir.file("a.ini")), "[A]\r\nk=v\r\n");
}

TEST(IniFile, ReadOnlyLoadingNeitherCreatesNorWritesOnClose)
{
    zok::test::TempDir dir;
    {
        CIniEx ini(4);
        EXPECT_FALSE(ini.LoadFile(dir.file("a.ini"), true, true, true, false, true));
        EXPECT_FALSE(fs::exists(dir.file("a.ini")));
    }
    WriteBytes(dir.file("b.ini"), "[A]\r\nk=v\r\n");
    {
        CIniEx ini(4);
        ASSERT_TRUE(ini.LoadFile(dir.file("b.ini"), true, true, true, false, true));
        EXPECT_FALSE(ini.WriteOnClose());
        ini.SetKeyValue("A", "k", "changed");
    }
    EXPECT_EQ(ReadBytes(dir.file("b.ini")), "[A]\r\nk=v\r\n");
}

TEST(IniFile, WriteOnCloseSavesWhenTheStoreEnds)
{
    zok::test::TempDir dir;
    {
        CIniEx ini(4);
        ASSERT_TRUE(ini.LoadFile(dir.file("a.ini"), true, true, true, false, false));
        ini.SetKeyValue("A", "k", "v");
    }
    EXPECT_EQ(ReadBytes(dir.file("a.ini")), "[A]\r\nk=v\r\n");
}

TEST(IniFile, SecondLoadSavesTheChangedFirstFile)
{
    zok::test::TempDir dir;
    CIniEx ini(4);
    ASSERT_TRUE(loadWritable(ini, dir.file("a.ini")));
    ini.SetKeyValue("A", "k", "v");
    WriteBytes(dir.file("b.ini"), "[B]\r\nx=y\r\n");
    ASSERT_TRUE(loadWritable(ini, dir.file("b.ini")));
    EXPECT_EQ(ReadBytes(dir.file("a.ini")), "[A]\r\nk=v\r\n");
    EXPECT_EQ(ini.GetKeyValue("A", "k", "-"), "-");
    EXPECT_EQ(ini.GetKeyValue("B", "x", "-"), "y");
}

TEST(IniFile, NotARegularFileIsRefused)
{
    zok::test::TempDir dir;
    fs::create_directory(dir.file("folder.ini"));
    std::vector<std::string> names = {"folder.ini"};
    if (zok::test::FifosExist()) {
        ASSERT_TRUE(zok::test::MakeFifo(dir.file("fifo.ini")));
        names.push_back("fifo.ini");
    }
    for (const std::string &name : names) {
        for (bool readOnly : {false, true}) {
            CIniEx ini(4);
            EXPECT_FALSE(ini.LoadFile(dir.file(name), false, true, true, false, readOnly)) << name;
            EXPECT_TRUE(ini.FileName().empty());
            EXPECT_EQ(ini.SectionCount(), 0);
        }
    }
    CIniEx none(4);
    EXPECT_FALSE(none.LoadFile("", false, true, true, false, false));
}

TEST(IniFile, UnreadableOrWriteProtectedFile)
{
    if (!zok::test::PosixModesAndLinks())
        GTEST_SKIP() << "no POSIX file modes or links here";
    zok::test::TempDir dir;
    WriteBytes(dir.file("locked.ini"), "[A]\r\nk=v\r\n");
    WriteBytes(dir.file("protected.ini"), "[A]\r\nk=v\r\n");
    fs::permissions(dir.file("locked.ini"), fs::perms::none);
    fs::permissions(dir.file("protected.ini"), fs::perms::owner_read);
    if (!permissionsAreEnforced(dir.file("protected.ini")))
        GTEST_SKIP() << "running with rights that ignore file permissions";
    CIniEx ini(4);
    EXPECT_FALSE(ini.LoadFile(dir.file("locked.ini"), false, false, true, false, true));
    EXPECT_FALSE(loadWritable(ini, dir.file("protected.ini")));
    EXPECT_TRUE(ini.LoadFile(dir.file("protected.ini"), false, false, true, false, true));
    EXPECT_EQ(ini.GetKeyValue("A", "k", ""), "v");
}

TEST(IniFile, UnchangedStoreIsNotWritten)
{
    zok::test::TempDir dir;
    WriteBytes(dir.file("a.ini"), "[A]\r\n\r\nk = v \r\n");
    CIniEx ini(4);
    ASSERT_TRUE(loadWritable(ini, dir.file("a.ini")));
    ini.SetKeyValue("A", "k ", " V"); // case alone
    ini.SetBackupFileName("backup");
    const auto before = fs::last_write_time(dir.file("a.ini"));
    EXPECT_EQ(ini.SaveFile(false), "");
    EXPECT_EQ(ReadBytes(dir.file("a.ini")), "[A]\r\n\r\nk = v \r\n");
    EXPECT_EQ(fs::last_write_time(dir.file("a.ini")), before);
}

TEST(IniFile, SaveReturnsTheBackupNameAndKeepsChanged)
{
    zok::test::TempDir dir;
    CIniEx ini(4);
    ASSERT_TRUE(loadWritable(ini, dir.file("a.ini")));
    ini.SetKeyValue("A", "k", "v");
    EXPECT_EQ(ini.SaveFile(false), ""); // written, but no backup name was set
    EXPECT_EQ(ReadBytes(dir.file("a.ini")), "[A]\r\nk=v\r\n");
    EXPECT_TRUE(ini.Changed());
    ini.SetBackupFileName(dir.file("a.ini"));
    EXPECT_EQ(ini.SaveFile(false), dir.file("a.ini"));
}

TEST(IniFile, SaveKeepsPermissionsAndLeavesNoTemporaryFile)
{
    if (!zok::test::PosixModesAndLinks())
        GTEST_SKIP() << "no POSIX file modes or links here";
    zok::test::TempDir dir;
    WriteBytes(dir.file("a.ini"), "[A]\r\nk=v\r\n");
    fs::permissions(dir.file("a.ini"),
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    CIniEx ini(4);
    ASSERT_TRUE(loadWritable(ini, dir.file("a.ini")));
    ini.SetKeyValue("A", "k", "w");
    ini.SetBackupFileName("x");
    ASSERT_EQ(ini.SaveFile(false), "x");
    EXPECT_EQ(ReadBytes(dir.file("a.ini")), "[A]\r\nk=w\r\n");
    EXPECT_EQ(fs::status(dir.file("a.ini")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(folderContent(dir.path()), std::vector<std::string>{"a.ini"});
}

TEST(IniFile, SaveThroughASymbolicLinkKeepsTheLink)
{
    if (!zok::test::PosixModesAndLinks())
        GTEST_SKIP() << "no POSIX file modes or links here";
    zok::test::TempDir dir;
    fs::create_directory(dir.file("real"));
    WriteBytes(dir.file("real/a.ini"), "[A]\r\nk=v\r\n");
    fs::create_symlink("real/a.ini", dir.file("link.ini"));
    CIniEx ini(4);
    ASSERT_TRUE(loadWritable(ini, dir.file("link.ini")));
    ini.SetKeyValue("A", "k", "w");
    ini.SaveFile(false);
    EXPECT_TRUE(fs::is_symlink(dir.file("link.ini")));
    EXPECT_EQ(ReadBytes(dir.file("real/a.ini")), "[A]\r\nk=w\r\n");
}

TEST(IniFile, FailedSaveLeavesWhatIsThereIntact)
{
    zok::test::TempDir dir;
    CIniEx ini(4);
    ASSERT_TRUE(loadWritable(ini, dir.file("a.ini")));
    ini.SetKeyValue("A", "k", "v");
    ini.SetBackupFileName("x");
    // The file was replaced by a folder with content meanwhile: it cannot be replaced.
    fs::remove(dir.file("a.ini"));
    fs::create_directory(dir.file("a.ini"));
    WriteBytes(dir.file("a.ini/keep"), "kept");
    EXPECT_EQ(ini.SaveFile(false), "");
    EXPECT_EQ(ReadBytes(dir.file("a.ini/keep")), "kept");
    EXPECT_EQ(folderContent(dir.path()), std::vector<std::string>{"a.ini"});
    EXPECT_EQ(ini.GetKeyValue("A", "k", ""), "v");
}

TEST(IniFile, SaveIntoAVanishedFolderFails)
{
    zok::test::TempDir dir;
    fs::create_directory(dir.file("sub"));
    CIniEx ini(4);
    ASSERT_TRUE(loadWritable(ini, dir.file("sub/a.ini")));
    ini.SetKeyValue("A", "k", "v");
    ini.SetBackupFileName("x");
    fs::remove_all(dir.file("sub"));
    EXPECT_EQ(ini.SaveFile(false), "");
}

TEST(IniFile, BackupNamesCountUpFromTheHighestNumber)
{
    struct Case
    {
        std::vector<std::string> present;
        std::string expected;
    };
    const Case cases[] = {
        {{}, "ZOK.ini.001"},
        {{"ZOK.ini.001"}, "ZOK.ini.002"},
        {{"ZOK.ini.001", "ZOK.ini.009", "ZOK.ini.003"}, "ZOK.ini.010"},
        {{"ZOK.bak", "ZOK.ini.x7z"}, "ZOK.ini.001"}, // last three characters not a number
        {{"ZOK.ini.999"}, "ZOK.ini.1000"},
        {{"OTHER.042"}, "ZOK.ini.001"}, // another name does not count
    };
    for (const auto &c : cases) {
        zok::test::TempDir dir;
        for (const auto &name : c.present)
            WriteBytes(dir.file(name), "");
        CIniEx ini(4);
        ASSERT_TRUE(loadWritable(ini, dir.file("ZOK.ini")));
        EXPECT_EQ(ini.MakeBackupFileName(), dir.file(c.expected)) << c.expected;
    }
}

TEST(IniFile, BackupCopiesTheOldFileBeforeSaving)
{
    zok::test::TempDir dir;
    WriteBytes(dir.file("ZOK.ini"), "[A]\r\nk=old\r\n");
    WriteBytes(dir.file("ZOK.ini.004"), "older");
    CIniEx ini(4);
    ASSERT_TRUE(loadWritable(ini, dir.file("ZOK.ini")));
    ini.SetKeyValue("A", "k", "new");
    EXPECT_EQ(ini.SaveFile(true), dir.file("ZOK.ini.005"));
    EXPECT_EQ(ReadBytes(dir.file("ZOK.ini.005")), "[A]\r\nk=old\r\n");
    EXPECT_EQ(ReadBytes(dir.file("ZOK.ini")), "[A]\r\nk=new\r\n");

    // The name is kept: a second backup overwrites the same copy.
    ini.SetKeyValue("A", "k", "newer");
    EXPECT_EQ(ini.SaveFile(true), dir.file("ZOK.ini.005"));
    EXPECT_EQ(ReadBytes(dir.file("ZOK.ini.005")), "[A]\r\nk=new\r\n");
}

TEST(IniFile, FailedBackupPreventsTheSave)
{
    zok::test::TempDir dir;
    WriteBytes(dir.file("ZOK.ini"), "[A]\r\nk=old\r\n");
    CIniEx ini(4);
    ASSERT_TRUE(loadWritable(ini, dir.file("ZOK.ini")));
    ini.SetKeyValue("A", "k", "new");
    ini.SetBackupFileName(dir.file("no/such/folder/ZOK.bak"));
    EXPECT_EQ(ini.SaveFile(true), "");
    EXPECT_EQ(ReadBytes(dir.file("ZOK.ini")), "[A]\r\nk=old\r\n");
}

TEST(IniFile, LinesOfMegabytesRoundTrip)
{
    zok::test::TempDir dir;
    const std::string value(8 << 20, 'x');
    WriteBytes(dir.file("big.ini"), "[A]\r\nk=" + value + "\r\n" + std::string(3 << 20, 'y') + "\r\n");
    CIniEx ini(4);
    ASSERT_TRUE(loadWritable(ini, dir.file("big.ini")));
    EXPECT_EQ(ini.GetKeyValue("A", "k", ""), value);
    EXPECT_EQ(ini.KeyCount(0), 2);
    zok::test::TouchIni(ini);
    ini.SaveFile(false);
    EXPECT_EQ(fs::file_size(dir.file("big.ini")), 5u + 2 + value.size() + 2 + (3u << 20) + 1 + 2);
}
