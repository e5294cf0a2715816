// Each fixture is one kind of malformed or unusual input. `<name>.dump` shows what loading it
// gives; `<name>.saved` holds the exact bytes that saving it back writes.
// ZOK_UPDATE_FIXTURES=1 rewrites the expected files from the current behaviour, for review.
#include "CIniEx.h"
#include "IniDump.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

fs::path fixtureFolder()
{
    return fs::path(ZOK_SOURCE_DIR) / "tests" / "params" / "ini" / "fixtures";
}

std::vector<std::string> fixtureNames()
{
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(fixtureFolder()))
        if (entry.path().extension() == ".ini")
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

void compareOrUpdate(const fs::path &expectedFile, const std::string &actual)
{
    if (std::getenv("ZOK_UPDATE_FIXTURES")) {
        zok::test::WriteBytes(expectedFile.string(), actual);
        return;
    }
    ASSERT_TRUE(fs::exists(expectedFile)) << expectedFile;
    EXPECT_EQ(zok::test::ReadBytes(expectedFile.string()), actual) << expectedFile;
}

class IniFixture : public testing::TestWithParam<std::string>
{
};

} // namespace

TEST_P(IniFixture, LoadsAndSavesAsExpected)
{
    zok::test::TempDir dir;
    const std::string file = dir.file("input.ini");
    fs::copy_file(fixtureFolder() / (GetParam() + ".ini"), file);

    CIniEx ini(4);
    ASSERT_TRUE(ini.LoadFile(file, false, false, true, false, false));
    EXPECT_FALSE(ini.Changed());
    compareOrUpdate(fixtureFolder() / (GetParam() + ".dump"), zok::test::DumpIni(ini));

    zok::test::TouchIni(ini);
    ini.SetBackupFileName("written");
    ASSERT_EQ(ini.SaveFile(false), "written");
    const std::string saved = zok::test::ReadBytes(file);
    compareOrUpdate(fixtureFolder() / (GetParam() + ".saved"), saved);

    // Whatever came in, what goes out is CR LF lines only.
    for (std::size_t i = 0; i < saved.size(); ++i) {
        if (saved[i] == '\r') {
            EXPECT_TRUE(i + 1 < saved.size() && saved[i + 1] == '\n') << "lone CR at " << i;
        }
        if (saved[i] == '\n') {
            EXPECT_TRUE(i > 0 && saved[i - 1] == '\r') << "lone LF at " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, IniFixture, testing::ValuesIn(fixtureNames()),
                         [](const testing::TestParamInfo<std::string> &info) { return info.param; });
