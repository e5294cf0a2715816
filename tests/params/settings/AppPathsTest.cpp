#include "AppPaths.h"
#include "CZOKSettings.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(AppPaths, SettingsPathHasNoDoubledSeparator)
{
    struct Case
    {
        const char *current, *directory, *settings;
    };
    const Case cases[] = {
        {"/", "", "/ZOK.ini"},
        {"/home/user", "/home/user", "/home/user/ZOK.ini"},
        {"/home/user/", "/home/user", "/home/user/ZOK.ini"},
        {"/mnt/usb stick", "/mnt/usb stick", "/mnt/usb stick/ZOK.ini"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(zok::ApplicationDirectory(c.current), c.directory) << c.current;
        EXPECT_EQ(zok::SettingsFilePath(zok::ApplicationDirectory(c.current)), c.settings) << c.current;
    }
}

TEST(AppPaths, SettingsComeFromTheCurrentDirectory)
{
    zok::test::TempDir dir;
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    const std::string directory = zok::CurrentApplicationDirectory();
    CZOKSettings settings;
    const bool loaded = settings.Load(zok::SettingsFilePath(directory));
    std::filesystem::current_path(before);

    EXPECT_EQ(std::filesystem::path(directory), std::filesystem::canonical(dir.path()));
    EXPECT_TRUE(loaded);
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "ZOK.ini"));
}
