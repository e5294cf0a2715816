// The widget-free bookkeeping of the monitoring tools: level series, statistics, the CSV record
// and the registry of tags heard.
#include "CLevelCsvRecord.h"
#include "CLevelSeries.h"
#include "CLevelStatistics.h"
#include "CTagRegistry.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> levelsOf(const CLevelSeries &series)
{
    std::vector<int> levels;
    for (const LevelSample &s : series.samples())
        levels.push_back(s.level);
    return levels;
}

const QDateTime kWhen(QDate(2026, 2, 1), QTime(9, 5, 3, 45));

} // namespace

TEST(LevelSeries, KeepsOrderAndDropsSamplesOlderThanTheWindow)
{
    CLevelSeries series(1000);
    series.add(0, 10);
    series.add(400, 20);
    series.add(900, 30);
    EXPECT_EQ(levelsOf(series), (std::vector<int>{10, 20, 30}));
    series.add(1300, 40); // 0 is now older than 1300 - 1000
    EXPECT_EQ(levelsOf(series), (std::vector<int>{20, 30, 40}));
    series.expire(2350); // silence: the window moves on without new samples
    EXPECT_TRUE(series.samples().empty());
    series.add(5000, 1);
    series.add(4000, 2); // a clock set back does not reorder the series
    EXPECT_EQ(series.samples().back().ms, 5000);
    EXPECT_EQ(levelsOf(series), (std::vector<int>{1, 2}));
}

TEST(LevelStatistics, MinimumMeanMaximumOfAKnownSequence)
{
    CLevelStatistics stats;
    EXPECT_TRUE(stats.empty());
    EXPECT_EQ(stats.mean(), 0.0);
    for (int level : {150, 7, 255, 180, 0, 98})
        stats.add(level);
    EXPECT_EQ(stats.minimum(), 0);
    EXPECT_EQ(stats.maximum(), 255);
    EXPECT_DOUBLE_EQ(stats.mean(), 690.0 / 6.0);
    stats.reset();
    stats.add(42);
    EXPECT_EQ(stats.minimum(), 42);
    EXPECT_EQ(stats.maximum(), 42);
}

TEST(LevelCsvRecord, HeaderOnceThenLinesAppendedAcrossOpenings)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("levels.csv"));
    {
        CLevelCsvRecord record;
        ASSERT_TRUE(record.open(path));
        EXPECT_TRUE(record.write(kWhen, u"05", 180));
        // A second recorder of the same file is refused, as for the radio log.
        CLevelCsvRecord other;
        EXPECT_FALSE(other.open(path));
        EXPECT_TRUE(other.lockedByOther());
    }
    CLevelCsvRecord again;
    ASSERT_TRUE(again.open(path));
    EXPECT_TRUE(again.write(kWhen.addMSecs(20), u"05", 7));
    again.close();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), 4); // header, two lines, and the empty rest after the last end
    EXPECT_EQ(lines[0], "\xEF\xBB\xBF"
                        "time,address,level\r"); // UTF-8 for spreadsheet programs, once
    const QString offset = CLevelCsvRecord::IsoTime(kWhen).right(6);
    EXPECT_EQ(QString::fromUtf8(lines[1]), QStringLiteral("2026-02-01T09:05:03.045%1,05,180\r").arg(offset));
    EXPECT_EQ(QString::fromUtf8(lines[2]), QStringLiteral("2026-02-01T09:05:03.065%1,05,7\r").arg(offset));
    EXPECT_EQ(QDateTime::fromString(QString::fromUtf8(lines[1].split(',')[0]), Qt::ISODateWithMs), kWhen);
}

TEST(LevelCsvRecord, AppendingAfterALastLineCutOffStartsANewLine)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("levels.csv"));
    const QByteArray cut = "time,address,level\r\n2026-02-01T09:05:03.045+01:00,05,1";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(cut) == cut.size());
    file.close();
    CLevelCsvRecord record;
    ASSERT_TRUE(record.open(path));
    ASSERT_TRUE(record.write(kWhen, u"05", 180));
    record.close();
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), cut + "\r\n" + CLevelCsvRecord::FormatLine(kWhen, u"05", 180));
}

TEST(LevelCsvRecord, UnwritableFolderGivesTheReason)
{
    CLevelCsvRecord record;
    EXPECT_FALSE(record.open(QStringLiteral("/nonexistent-folder/levels.csv")));
    EXPECT_FALSE(record.lockedByOther());
    EXPECT_FALSE(record.errorString().isEmpty());
}

TEST(TagRegistry, CountsOnlyTagReportsOfTheSelectedReceiver)
{
    CTagRegistry tags;
    // Lower-case digits, odd identifier length, too short, other receiver: not tags.
    for (const char *text : {"B412ab05", "B4012AB05", "B405", "B412AB06", "b412AB05"})
        EXPECT_FALSE(tags.record(QString::fromLatin1(text), 0x05, kWhen)) << text;
    EXPECT_TRUE(tags.record(u"B412AB05", 0x05, kWhen));
    EXPECT_TRUE(tags.record(u"A0345605", 0x05, kWhen.addSecs(1)));
    EXPECT_TRUE(tags.record(u"B312AB05", 0x05, kWhen.addSecs(2)));
    EXPECT_TRUE(tags.record(u"B312AB07", 0x00, kWhen.addSecs(3))); // address 0: every receiver
    ASSERT_EQ(tags.sightings().size(), 2u);
    const TagSighting &first = tags.sightings()[0];
    EXPECT_EQ(first.id, QStringLiteral("12AB"));
    EXPECT_EQ(first.count, 3);
    EXPECT_EQ(first.firstSeen, kWhen);
    EXPECT_EQ(first.lastSeen, kWhen.addSecs(3));
    EXPECT_TRUE(CTagRegistry::InRange(first, kWhen.addMSecs(7999)));
    EXPECT_FALSE(CTagRegistry::InRange(first, kWhen.addSecs(8)));

    const QList<QByteArray> csv = tags.ToCsv(kWhen.addSecs(7)).split('\n');
    EXPECT_EQ(csv[0], "\xEF\xBB\xBF"
                      "id,count,first_seen,last_seen,in_range\r");
    EXPECT_TRUE(csv[1].startsWith("12AB,3,2026-02-01T09:05:03.045"));
    EXPECT_TRUE(csv[1].endsWith(",yes\r"));
    EXPECT_TRUE(csv[2].startsWith("3456,1,"));
    EXPECT_TRUE(csv[2].endsWith(",no\r"));
    tags.clear();
    EXPECT_TRUE(tags.sightings().empty());
    EXPECT_TRUE(tags.record(u"B412AB05", 0x05, kWhen));
    EXPECT_EQ(tags.sightings()[0].count, 1);
}
