// The file helpers behave alike on every system: one locker at a time, and a rename that
// replaces its target whole.
#include "FileLock.h"
#include "RenameOver.h"
#include "TempDir.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

struct FileCloser
{
    void operator()(std::FILE *f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File OpenForAppend(const std::string &path)
{
    return File(std::fopen(path.c_str(), "ab"));
}

TEST(FileLock, SecondOpenOfTheFileCannotLockUntilTheFirstCloses)
{
    zok::test::TempDir dir;
    const std::string path = dir.file("ZOK.log");
    File first = OpenForAppend(path);
    File second = OpenForAppend(path);
    ASSERT_TRUE(first && second);
    EXPECT_TRUE(zok::TryLockWholeFile(fileno(first.get())));
    EXPECT_FALSE(zok::TryLockWholeFile(fileno(second.get()))) << "two recorders on one log";
    first.reset();
    EXPECT_TRUE(zok::TryLockWholeFile(fileno(second.get()))) << "closing releases the lock";
    EXPECT_FALSE(zok::TryLockWholeFile(-1));
}

TEST(RenameOver, ReplacesTheTargetWholeAndReportsFailures)
{
    zok::test::TempDir dir;
    const std::string target = dir.file("ZOK.ini");
    const std::string temp = dir.file(".ZOK.ini.tmp");
    zok::test::WriteBytes(target, "old");
    zok::test::WriteBytes(temp, "new");
    fs::permissions(target, fs::perms::owner_write, fs::perm_options::remove);
    std::error_code ec;
    zok::RenameOver(temp, target, ec);
    EXPECT_FALSE(ec) << ec.message();
    EXPECT_EQ(zok::test::ReadBytes(target), "new") << "a read-only target is replaced as rename() does";
    EXPECT_FALSE(fs::exists(temp));

    zok::RenameOver(temp, target, ec);
    EXPECT_TRUE(ec) << "a missing source is an error";
    EXPECT_EQ(zok::test::ReadBytes(target), "new");
}

} // namespace
