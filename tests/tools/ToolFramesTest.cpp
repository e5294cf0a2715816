#include "ToolFrames.h"
#include "CZOKRadioLog.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zok::tools;

namespace {

struct TagCase
{
    const char *frame;
    const char *followed;
    int receiver;
    int level; // -1: dropped
};

TEST(ToolFrames, TagReports)
{
    const TagCase cases[] = {
        {"B412AB05", "12AB", 0x05, 180},
        {"B412ab05", "12AB", 0x05, -1},
        {"B412AB06", "12AB", 0x05, -1},
        {"B4012AB05", "12AB", 0x05, -1},
        {"B412AB07", "12AB", 0x00, 180},
        {"b412AB05", "12AB", 0x05, -1},
        {"B412AB0a", "12AB", 0x00, -1},
        {"0012AB05", "12AB", 0x05, 0},
        {"FF12AB05", "12AB", 0x05, 255},
        {"B4AB05", "AB", 0x05, 180},
        {"B4AB0", "AB", 0x00, -1},
        {"B405", "", 0x05, -1},
        {"", "12AB", 0, -1},
    };
    for (const auto &c : cases) {
        const auto level =
            ParseTagReport(QString::fromLatin1(c.frame), QString::fromLatin1(c.followed), c.receiver);
        EXPECT_EQ(level.value_or(-1), c.level) << c.frame << " receiver " << c.receiver;
    }
}

// Every report, whatever the tag: what the command line's tag listing shows.
TEST(ToolFrames, AnyTagReport)
{
    const std::tuple<const char *, int, const char *, int> cases[] = {
        {"B412AB05", 0x05, "12AB", 180}, {"B412AB3405", 0x00, "12AB34", 180}, {"B412AB06", 0x05, "", -1},
        {"B412ab05", 0x05, "", -1},      {"B412A05", 0x05, "", -1},           {"B405", 0x05, "", -1},
        {"b412AB05", 0x05, "", -1},      {"OK2201AB05", 0x05, "", -1},        {"0012AB0A", 0x0A, "12AB", 0},
    };
    for (const auto &[frame, receiver, identifier, level] : cases) {
        const auto report = ParseAnyTagReport(QString::fromLatin1(frame), receiver);
        EXPECT_EQ(report ? report->level : -1, level) << frame;
        EXPECT_EQ(report ? report->identifier : QString(), QString::fromLatin1(identifier)) << frame;
    }
}

TEST(ToolFrames, CommandTexts)
{
    EXPECT_EQ(RadioPollCommand(0x0A), " [97000A]");
    EXPECT_EQ(FilterCommand(0xA8, u"1F", 0xC3), QStringLiteral("[A81FC3]"));
    EXPECT_EQ(FilterCommand(0x10, u"00", 0x01), QStringLiteral("[100001]"));
}

TEST(ToolFrames, RadioFrames)
{
    const std::tuple<const char *, int, int> cases[] = {
        {"97B405", 0x05, 180}, {"97B505", 0x05, 181}, {"979605", 0x05, 150}, {"97b405", 0x05, -1},
        {"97B4051", 0x05, -1}, {"97B407", 0x00, 180}, {"97B407", 0x05, -1},  {"98B405", 0x05, -1},
        {"97B40", 0x05, -1},   {"97B4e5", 0x00, -1},  {"970005", 0x05, 0},   {"97FF05", 0x05, 255},
    };
    for (const auto &[frame, receiver, expected] : cases)
        EXPECT_EQ(ParseRadioFrame(QString::fromLatin1(frame), receiver).value_or(-1), expected) << frame;
}

TEST(ToolFrames, FilterAnswersOfSixAndEightCharacters)
{
    for (const char *text : {"A01205", "OKA01205"}) {
        const auto answer = ParseFilterAnswer(QString::fromLatin1(text));
        ASSERT_TRUE(answer) << text;
        EXPECT_EQ(answer->code, QStringLiteral("A0"));
        EXPECT_EQ(answer->value, QStringLiteral("12"));
        EXPECT_EQ(answer->address, 5);
    }
    for (const char *text : {"NOA01205", "OKA0120", "A0120", "OKA012051", "a01205", "OKA01g05", "A012", ""})
        EXPECT_FALSE(ParseFilterAnswer(QString::fromLatin1(text))) << text;
}

TEST(ToolFrames, FilterReadSequencePerFormat)
{
    auto walk = [](int format) {
        std::vector<int> codes{0xA0};
        while (const auto next = NextFilterRead(codes.back(), format))
            codes.push_back(*next);
        return codes;
    };
    EXPECT_EQ(walk(1), (std::vector<int>{0xA0, 0xA1, 0xA3, 0xA4}));
    EXPECT_EQ(walk(2), (std::vector<int>{0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6}));
    EXPECT_EQ(walk(0), (std::vector<int>{0xA0, 0xA1, 0xA2, 0xA3, 0xA4}));
}

TEST(ToolFrames, FilterWriteSequencePerFormat)
{
    auto walk = [](int format) {
        std::vector<int> codes{0xA8};
        while (const auto next = NextFilterWrite(codes.back(), format))
            codes.push_back(*next);
        return codes;
    };
    EXPECT_EQ(walk(1), (std::vector<int>{0xA8, 0xA9, 0xAB, 0xAC}));
    EXPECT_EQ(walk(2), (std::vector<int>{0xA8, 0xA9, 0xAA, 0xAB, 0xAC, 0xAD, 0xAE}));
}

TEST(RadioLog, LineFormat)
{
    const QDateTime feb(QDate(2026, 2, 1), QTime(9, 5, 3, 45));
    EXPECT_EQ(CZOKRadioLog::FormatLine(feb, 7), QByteArray("01/02/2026; 09:05:03;  45; 7\r\n"));
    const QDateTime dec(QDate(2026, 12, 6), QTime(17, 41, 49, 7));
    EXPECT_EQ(CZOKRadioLog::FormatLine(dec, 187), QByteArray("06/12/2026; 17:41:49;   7; 187\r\n"));
    const QDateTime late(QDate(2026, 12, 31), QTime(23, 59, 59, 999));
    EXPECT_EQ(CZOKRadioLog::FormatLine(late, 255), QByteArray("31/12/2026; 23:59:59; 999; 255\r\n"));
    EXPECT_EQ(CZOKRadioLog::FormatLine(QDateTime(), 3), QByteArray(";   0; 3\r\n"));
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

TEST(RadioLog, AppendsFlushesAndRemoves)
{
    QTemporaryDir dir;
    const QDateTime when(QDate(2026, 2, 1), QTime(9, 5, 3, 45));
    CZOKRadioLog log(dir.path());
    ASSERT_TRUE(log.open());
    ASSERT_TRUE(log.write(when, 7));
    EXPECT_EQ(contents(log.path()), QByteArray("01/02/2026; 09:05:03;  45; 7\r\n")); // flushed while open
    log.close();
    ASSERT_TRUE(log.open());
    log.write(when, 8);
    log.close();
    EXPECT_EQ(contents(log.path()),
              QByteArray("01/02/2026; 09:05:03;  45; 7\r\n01/02/2026; 09:05:03;  45; 8\r\n"));
    QString error;
    EXPECT_TRUE(log.remove(error));
    EXPECT_FALSE(QFile::exists(log.path()));
    EXPECT_FALSE(log.remove(error));
    EXPECT_TRUE(error.contains(log.path()));
}

TEST(RadioLog, RefusesASecondOpenerAndAMissingDirectory)
{
    QTemporaryDir dir;
    CZOKRadioLog first(dir.path());
    CZOKRadioLog second(dir.path());
    ASSERT_TRUE(first.open());
    EXPECT_FALSE(second.open());
    first.close();
    EXPECT_TRUE(second.open());
    CZOKRadioLog nowhere(dir.filePath(QStringLiteral("missing/dir")));
    EXPECT_FALSE(nowhere.open());
    EXPECT_FALSE(nowhere.write(QDateTime::currentDateTime(), 1));
}

} // namespace
