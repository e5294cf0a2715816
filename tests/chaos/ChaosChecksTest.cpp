// The chaos run's own checks must be able to fail: a file cut short or mixed is caught, the old
// or the exact new content passes, a broken settings file is caught, and a silent event loop
// trips the watchdog; and its record reads back as written.
#include "CZOKProperties.h"
#include "ChaosDecisions.h"
#include "ChaosFiles.h"
#include "ParameterFile.h"
#include "ParameterId.h"
#include "Watchdog.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

namespace {

void Write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

TEST(ChaosChecks, SavedParameterFileMustBeTheOldOrTheWholeNewContent)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.zok"));
    CZOKProperties model;
    model.SetValue(ParameterId::RX_SENSIBILITY, 0x42);
    const QByteArray old = "[OTHER]\r\nKEY=1\r\n";
    Write(path, old);

    // Nothing written: the old bytes are fine.
    EXPECT_TRUE(chaos::CheckSavedParameterFile(path, old, model, dir.path()).isEmpty());

    ASSERT_EQ(zok::SaveParameterFile(QFile::encodeName(path).toStdString(), model), zok::SaveOutcome::Saved);
    EXPECT_TRUE(chaos::CheckSavedParameterFile(path, old, model, dir.path()).isEmpty());
    const QByteArray saved = *chaos::FileBytes(path);

    // Cut short, or saved from another model: neither old nor new.
    Write(path, saved.left(saved.size() / 2));
    EXPECT_FALSE(chaos::CheckSavedParameterFile(path, old, model, dir.path()).isEmpty());
    Write(path, saved);
    model.SetValue(ParameterId::RX_SENSIBILITY, 0x43);
    EXPECT_FALSE(chaos::CheckSavedParameterFile(path, old, model, dir.path()).isEmpty());

    QFile::remove(path);
    EXPECT_FALSE(chaos::CheckSavedParameterFile(path, old, model, dir.path()).isEmpty());
}

TEST(ChaosChecks, SettingsFileMustLoad)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ZOK.ini"));
    Write(path, "[ZOK]\r\nSERIAL_PORT=/dev/ttyS0\r\nLANGUAGE=FRENCH\r\nRECEIVER_ID=01\r\n");
    EXPECT_TRUE(chaos::CheckSettingsFile(path).isEmpty());
    Write(path, "[ZOK]\r\nSERIAL_PORT=/dev/ttyS0\r\nRECEIVER_ID=1\r\n");
    EXPECT_FALSE(chaos::CheckSettingsFile(path).isEmpty());
    Write(path, "[ZOK]\r\nSERIAL_PORT=/dev/tty");
    EXPECT_FALSE(chaos::CheckSettingsFile(path).isEmpty());
}

// A record's words hold any text (menu items, typed text, file names) and come back unchanged.
TEST(ChaosChecks, DecisionsReadBackAsWritten)
{
    const chaos::Decision decision{"dialog", "QFileDialog:x", "type", "a b%c;[d]\\", "", "\xc3\x80\n", "12"};
    const std::string line = decision.Text();
    EXPECT_EQ(line.find_first_of("\n;[]"), std::string::npos) << line;
    const chaos::Decision read = chaos::Decision::Parse(line);
    EXPECT_EQ(read.words, decision.words);
    EXPECT_EQ(read.Number(6), 12);
    EXPECT_TRUE(read.Is("dialog"));
}

TEST(ChaosChecks, WatchdogReportsALoopThatStopsBeating)
{
    std::mutex mutex;
    std::condition_variable tripped;
    bool hung = false;
    Watchdog watchdog(std::chrono::milliseconds(100), [&](std::chrono::milliseconds silent) {
        EXPECT_GT(silent.count(), 100);
        const std::lock_guard lock(mutex);
        hung = true;
        tripped.notify_all();
    });
    watchdog.Beat();
    std::unique_lock lock(mutex);
    EXPECT_TRUE(tripped.wait_for(lock, std::chrono::seconds(10), [&] { return hung; }));
}

} // namespace
