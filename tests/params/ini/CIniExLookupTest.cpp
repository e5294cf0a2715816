#include "CIniEx.h"
#include "IniDump.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class IniLookup : public testing::Test
{
protected:
    void load(const std::string &bytes, bool ignoreCase = true)
    {
        ini.Clear(); // a changed store would otherwise save itself over the new file
        zok::test::WriteBytes(file, bytes);
        ASSERT_TRUE(ini.LoadFile(file, false, false, ignoreCase, false, false));
    }

    zok::test::TempDir dir;
    std::string file = dir.file("ZOK.ini");
    CIniEx ini{4};
};

struct GetCase
{
    const char *section;
    const char *key;
    const char *expected;
};

} // namespace

TEST_F(IniLookup, GetKeyValueFollowsTheLookupRules)
{
    load("before=0\r\n[ZOK]\r\nPort=COM1\r\nport=COM2\r\nkey = spaced \r\n[Other]\r\nPort=COM9\r\n"
         "[zok]\r\nPort=COM7\r\n[Empty]\r\n");
    const GetCase cases[] = {
        {"ZOK", "PORT", "COM2"},        // last duplicate wins, keys without regard to case
        {"zok", "port", "COM2"},        // first section of a name wins
        {"Other", "Port", "COM9"},      //
        {"", "before", "0"},            // keys before any header: the nameless section
        {"ZOK", "key ", " spaced"},     // blanks around "=" belong to key and value
        {"ZOK", "key", "default"},      //
        {"Missing", "Port", "default"}, //
        {"Empty", "x", "default"},      // a header without keys is not a section of that name
    };
    for (const auto &c : cases)
        EXPECT_EQ(ini.GetKeyValue(c.section, c.key, "default"), c.expected) << c.section << "/" << c.key;
}

TEST_F(IniLookup, ExactCaseWhenIgnoreCaseIsOff)
{
    load("[ZOK]\r\nPort=COM1\r\n", false);
    EXPECT_EQ(ini.GetKeyValue("ZOK", "Port", "-"), "COM1");
    EXPECT_EQ(ini.GetKeyValue("ZOK", "PORT", "-"), "-");
    EXPECT_EQ(ini.GetKeyValue("zok", "Port", "-"), "-");
}

TEST_F(IniLookup, AccentedLettersCompareWithoutCase)
{
    load("[Paramètres]\r\nÉtat=1\r\n");
    EXPECT_EQ(ini.GetKeyValue("PARAMÈTRES", "état", "-"), "1");
    EXPECT_EQ(ini.GetKeyValue("Parametres", "Etat", "-"), "-");
}

TEST_F(IniLookup, SetKeyValueMarksChangesByTheCaseRule)
{
    struct Case
    {
        const char *section, *key, *value;
        bool ignoreCase, changed;
        const char *stored;
    };
    const Case cases[] = {
        {"ZOK", "PORT", "COM1", true, false, "COM1"}, // same value
        {"ZOK", "PORT", "com1", true, false, "com1"}, // case alone: stored, not a change
        {"ZOK", "PORT", "com1", false, true, "com1"}, // exact rule: a change
        {"ZOK", "PORT", "COM2", true, true, "COM2"},  //
        {"ZOK", "NEW", "", true, true, ""},           // new key
        {"New", "PORT", "COM1", true, true, "COM1"},  // new section
    };
    for (const auto &c : cases) {
        load("[ZOK]\r\nPORT=COM1\r\n", c.ignoreCase);
        ini.SetKeyValue(c.section, c.key, c.value);
        EXPECT_EQ(ini.Changed(), c.changed) << c.section << "/" << c.key << "=" << c.value;
        EXPECT_EQ(ini.GetKeyValue(c.section, c.key, "-"), c.stored);
    }
}

TEST_F(IniLookup, SetKeyValueReplacesTheLastDuplicateAndAppendsNewOnes)
{
    load("[A]\r\nk=1\r\nk=2\r\n[B]\r\nx=1\r\n");
    ini.SetKeyValue("A", "k", "3");
    ini.SetKeyValue("A", "n", "4");
    ini.SetKeyValue("C", "c", "5");
    EXPECT_EQ(zok::test::DumpIni(ini), "section \"A\"\n  \"k\" = \"1\"\n  \"k\" = \"3\"\n  \"n\" = \"4\"\n"
                                       "section \"B\"\n  \"x\" = \"1\"\n"
                                       "section \"C\"\n  \"c\" = \"5\"\n");
}

TEST_F(IniLookup, RemoveSectionShiftsTheFollowingSections)
{
    load("[A]\r\na=1\r\n[B]\r\nb=2\r\n[C]\r\nc=3\r\n");
    EXPECT_FALSE(ini.RemoveSection("D"));
    EXPECT_FALSE(ini.Changed());
    EXPECT_TRUE(ini.RemoveSection("b"));
    EXPECT_TRUE(ini.Changed());
    EXPECT_EQ(zok::test::DumpIni(ini), "section \"A\"\n  \"a\" = \"1\"\nsection \"C\"\n  \"c\" = \"3\"\n");
    EXPECT_EQ(ini.FindSection("C"), 1);
    EXPECT_EQ(ini.GetKeyValue("C", "c", "-"), "3");
}

TEST_F(IniLookup, FindKeyOutsideTheSectionsIsAbsent)
{
    load("[A]\r\na=1\r\n");
    EXPECT_EQ(ini.FindKey(-1, "a"), -1);
    EXPECT_EQ(ini.FindKey(1, "a"), -1);
    EXPECT_EQ(ini.FindKey(0, "a"), 0);
}

TEST_F(IniLookup, ClearForgetsEverything)
{
    load("[A]\r\na=1\r\n");
    ini.SetKeyValue("A", "a", "2");
    ini.Clear();
    EXPECT_EQ(ini.SectionCount(), 0);
    EXPECT_TRUE(ini.FileName().empty());
    EXPECT_FALSE(ini.Changed());
    EXPECT_EQ(ini.SaveFile(false), "");
    EXPECT_EQ(zok::test::ReadBytes(file), "[A]\r\na=1\r\n");
}

TEST(IniStore, ConstructionDefaults)
{
    const CIniEx ini(4);
    EXPECT_EQ(ini.GrowStep(), 4);
    EXPECT_TRUE(ini.IgnoreCase());
    EXPECT_FALSE(ini.WriteOnClose());
    EXPECT_FALSE(ini.MakeBackup());
    EXPECT_FALSE(ini.Changed());
    EXPECT_TRUE(ini.FileName().empty());
    EXPECT_EQ(ini.SectionCount(), 0);
}
