#include "CZOKSettings.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <ostream>
#include <string>
#include <thread>

using zok::test::ReadBytes;
using zok::test::WriteBytes;

namespace {

struct LoadCase
{
    const char *name;
    const char *content; // nullptr: no file at all
    bool loaded;
    const char *port;
    int language;
    int address;
    std::size_t captureFrames = CZOKSettings::kDefaultCaptureFrames;
};

const LoadCase kLoadCases[] = {
    {"missing file", nullptr, true, "COM1", 0x09, 0x01},
    {"empty file", "", true, "COM1", 0x09, 0x01},
    {"header only", "[ZOK]\r\n", true, "COM1", 0x09, 0x01},
    {"complete", "[ZOK]\r\nSERIAL_PORT=COM15\r\nLANGUAGE=FRENCH\r\nRECEIVER_ID=0A\r\n", true, "COM15", 0x0C,
     0x0A},
    {"device path", "[ZOK]\r\nSERIAL_PORT=/dev/pts/7\r\n", true, "/dev/pts/7", 0x09, 0x01},
    {"FF", "[ZOK]\r\nRECEIVER_ID=FF\r\n", true, "COM1", 0x09, 0xFF},
    {"zz is not hexadecimal", "[ZOK]\r\nRECEIVER_ID=zz\r\n", true, "COM1", 0x09, 0x00},
    {"lower-case hex", "[ZOK]\r\nRECEIVER_ID=0b\r\n", true, "COM1", 0x09, 0x0B},
    {"lower-case french", "[ZOK]\r\nLANGUAGE=french\r\n", true, "COM1", 0x09, 0x01},
    {"french with trailing blanks", "[ZOK]\r\nLANGUAGE=FRENCH \t\r\n", true, "COM1", 0x0C, 0x01},
    {"keys in lower case", "[zok]\r\nserial_port=COM3\r\nlanguage=FRENCH\r\n", true, "COM3", 0x0C, 0x01},
    {"LF line ends", "[ZOK]\nSERIAL_PORT=COM4\nRECEIVER_ID=04\n", true, "COM4", 0x09, 0x04},
    {"keys in another section", "[OTHER]\r\nSERIAL_PORT=COM4\r\n", true, "COM1", 0x09, 0x01},
    {"capture size", "[ZOK]\r\nTRAFFIC_CAPTURE_FRAMES=500\r\n", true, "COM1", 0x09, 0x01, 500},
    {"capture off", "[ZOK]\r\nTRAFFIC_CAPTURE_FRAMES=0\r\n", true, "COM1", 0x09, 0x01, 0},
    {"capture size not a count", "[ZOK]\r\nTRAFFIC_CAPTURE_FRAMES=-5\r\n", true, "COM1", 0x09, 0x01},
    {"capture size beyond the maximum", "[ZOK]\r\nTRAFFIC_CAPTURE_FRAMES=123456789012\r\n", true, "COM1",
     0x09, 0x01, CZOKSettings::kMaxCaptureFrames},
};

void PrintTo(const LoadCase &c, std::ostream *out)
{
    *out << c.name;
}

class SettingsLoad : public testing::TestWithParam<LoadCase>
{
};

} // namespace

TEST_P(SettingsLoad, GivesTheExpectedValues)
{
    const LoadCase &c = GetParam();
    zok::test::TempDir dir;
    const std::string path = dir.file("ZOK.ini");
    if (c.content)
        WriteBytes(path, c.content);
    CZOKSettings settings;
    EXPECT_EQ(settings.Load(path), c.loaded);
    EXPECT_EQ(settings.Loaded(), c.loaded);
    EXPECT_EQ(settings.PortName(), c.port);
    EXPECT_EQ(settings.LanguageId(), c.language);
    EXPECT_EQ(settings.ReceiverAddress(), c.address);
    EXPECT_EQ(settings.TrafficCaptureFrames(), c.captureFrames);
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(ReadBytes(path), c.content ? c.content : "") << "loading never rewrites the file";
}

INSTANTIATE_TEST_SUITE_P(Cases, SettingsLoad, testing::ValuesIn(kLoadCases),
                         [](const testing::TestParamInfo<LoadCase> &info) {
                             std::string name = info.param.name;
                             for (char &ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });

TEST(Settings, ConstructionValues)
{
    const CZOKSettings settings;
    EXPECT_EQ(settings.PortName(), "COM1");
    EXPECT_EQ(settings.ReceiverAddress(), 0);
    EXPECT_EQ(settings.Language(), "ENGLISH");
    EXPECT_EQ(settings.LanguageId(), CZOKSettings::kLanguageEnglish);
    EXPECT_FALSE(settings.Loaded());
}

TEST(Settings, ReceiverIdOfOneDigitFailsTheLoadAndResetGivesDefaults)
{
    for (const char *id : {"1", "001", ""}) {
        zok::test::TempDir dir;
        WriteBytes(dir.file("ZOK.ini"),
                   std::string("[ZOK]\r\nSERIAL_PORT=COM7\r\nLANGUAGE=FRENCH\r\nRECEIVER_ID=") + id + "\r\n");
        CZOKSettings settings;
        settings.SetReceiverAddress(0x33);
        EXPECT_FALSE(settings.Load(dir.file("ZOK.ini"))) << id;
        EXPECT_FALSE(settings.Loaded());
        settings.Reset();
        EXPECT_EQ(settings.PortName(), "COM1");
        EXPECT_EQ(settings.LanguageId(), CZOKSettings::kLanguageEnglish);
        EXPECT_EQ(settings.ReceiverAddress(), 0);
        EXPECT_FALSE(settings.Loaded());
    }
}

TEST(Settings, FileThatCannotBeOpenedKeepsTheMembers)
{
    zok::test::TempDir dir;
    std::filesystem::create_directory(dir.file("ZOK.ini"));
    CZOKSettings settings;
    settings.SetPortName("COM9");
    settings.SetReceiverAddress(0x12);
    EXPECT_FALSE(settings.Load(dir.file("ZOK.ini")));
    EXPECT_FALSE(settings.Loaded());
    EXPECT_EQ(settings.PortName(), "COM9");
    EXPECT_EQ(settings.ReceiverAddress(), 0x12);
    EXPECT_FALSE(settings.Save());
}

TEST(Settings, SaveWritesTheThreeKeysAndKeepsTheRest)
{
    zok::test::TempDir dir;
    const std::string path = dir.file("ZOK.ini");
    WriteBytes(path, "; my receivers\r\n[ZOK]\r\nLANGUAGE=FRENCH\r\nNOTE=x\r\n[Other]\r\nk=v\r\n");
    CZOKSettings settings;
    ASSERT_TRUE(settings.Load(path));
    settings.SetReceiverAddress(0x0A);
    settings.SetPortName("COM3");
    EXPECT_TRUE(settings.Save());
    EXPECT_EQ(ReadBytes(path), "; my receivers=\r\n[ZOK]\r\nLANGUAGE=FRENCH\r\nNOTE=x\r\nSERIAL_PORT=COM3\r\n"
                               "RECEIVER_ID=0A\r\n[Other]\r\nk=v\r\n");
}

TEST(Settings, MissingFileIsCreatedAndSavedWithCrLf)
{
    zok::test::TempDir dir;
    const std::string path = dir.file("ZOK.ini");
    CZOKSettings settings;
    ASSERT_TRUE(settings.Load(path));
    settings.SetReceiverAddress(0x05);
    EXPECT_TRUE(settings.Save());
    EXPECT_EQ(ReadBytes(path), "[ZOK]\r\nSERIAL_PORT=COM1\r\nLANGUAGE=ENGLISH\r\nRECEIVER_ID=05\r\n");

    CZOKSettings again;
    ASSERT_TRUE(again.Load(path));
    EXPECT_EQ(again.ReceiverAddress(), 0x05);
}

TEST(Settings, UnchangedSaveLeavesTheFileAlone)
{
    zok::test::TempDir dir;
    const std::string path = dir.file("ZOK.ini");
    const std::string content = "[ZOK]\nSERIAL_PORT=COM2\nLANGUAGE=ENGLISH\nRECEIVER_ID=01\n";
    WriteBytes(path, content);
    CZOKSettings settings;
    ASSERT_TRUE(settings.Load(path));
    EXPECT_TRUE(settings.Save());
    EXPECT_EQ(ReadBytes(path), content);
}

// Run under ThreadSanitizer: the accessors may be used from any thread.
TEST(Settings, AccessorsCanBeUsedFromSeveralThreads)
{
    zok::test::TempDir dir;
    CZOKSettings settings;
    ASSERT_TRUE(settings.Load(dir.file("ZOK.ini")));
    std::thread writer([&settings] {
        for (int i = 0; i < 200; ++i) {
            settings.SetReceiverAddress(static_cast<unsigned char>(i));
            settings.SetPortName(i % 2 ? "COM2" : "COM3");
        }
    });
    int seen = 0;
    for (int i = 0; i < 200; ++i) {
        const std::string port = settings.PortName();
        EXPECT_TRUE(port == "COM1" || port == "COM2" || port == "COM3");
        seen += settings.ReceiverAddress() + settings.LanguageId();
        if (i % 50 == 0)
            settings.Save();
    }
    writer.join();
    EXPECT_GT(seen, 0);
    EXPECT_EQ(settings.ReceiverAddress(), 199);
}

TEST(Settings, RadioCsvKeysAreWrittenOnlyOnceUsedAndReadBack)
{
    zok::test::TempDir dir;
    const std::string path = dir.file("ZOK.ini");
    const std::string old = "[ZOK]\r\nSERIAL_PORT=COM3\r\nLANGUAGE=ENGLISH\r\nRECEIVER_ID=05\r\n";
    WriteBytes(path, old);
    {
        CZOKSettings settings;
        ASSERT_TRUE(settings.Load(path));
        EXPECT_FALSE(settings.RadioCsvEnabled());
        EXPECT_EQ(settings.RadioCsvFile(), "");
        EXPECT_TRUE(settings.Save());
        EXPECT_EQ(ReadBytes(path), old); // a file that never used the record stays as it was
        settings.SetRadioCsvEnabled(true);
        settings.SetRadioCsvFile("levels é.csv");
        EXPECT_TRUE(settings.Save());
    }
    CZOKSettings again;
    ASSERT_TRUE(again.Load(path));
    EXPECT_TRUE(again.RadioCsvEnabled());
    EXPECT_EQ(again.RadioCsvFile(), "levels é.csv");
    again.SetRadioCsvEnabled(false);
    EXPECT_TRUE(again.Save());
    EXPECT_NE(ReadBytes(path).find("RADIO_CSV=0\r\n"), std::string::npos);
}
