// The command line of zok-cli: options before or after the command, values checked, each option
// accepted only by the commands it belongs to.
#include "CliOptions.h"
#include "ZokText.h"

#include <gtest/gtest.h>

namespace {

using zok::cli::ParseCommandLine;

zok::cli::ParsedCommandLine Parse(const QString &line)
{
    zok::SelectLanguage(zok::Language::English);
    return ParseCommandLine(line.split(u' ', Qt::SkipEmptyParts));
}

TEST(CliOptions, ValuesAndPlaces)
{
    const auto read =
        Parse(QStringLiteral("--json read --port ttyUSB0 --address 0a --speed=38400 --save out.zok -v"));
    ASSERT_TRUE(read.error.isEmpty()) << read.error.toStdString();
    EXPECT_EQ(read.options.command, QStringLiteral("read"));
    EXPECT_EQ(read.options.port, QStringLiteral("ttyUSB0"));
    EXPECT_EQ(read.options.address, 0x0A);
    EXPECT_EQ(read.options.speedIndex, 2);
    EXPECT_EQ(read.options.saveFile, QStringLiteral("out.zok"));
    EXPECT_TRUE(read.options.json && read.options.verbose);
    EXPECT_FALSE(read.options.french.has_value());

    const auto filter = Parse(QStringLiteral("filter set 0011 00FF --alarm off --lang fr"));
    ASSERT_TRUE(filter.error.isEmpty());
    EXPECT_EQ(filter.options.arguments, QStringList({"set", "0011", "00FF"}));
    EXPECT_EQ(filter.options.alarm, false);
    EXPECT_EQ(filter.options.french, true);

    const auto radio =
        Parse(QStringLiteral("radio --period 20 --duration 1.5 --csv levels.csv --wait-port 9"));
    ASSERT_TRUE(radio.error.isEmpty());
    EXPECT_EQ(radio.options.periodMs, 20);
    EXPECT_DOUBLE_EQ(radio.options.durationSeconds, 1.5);
    EXPECT_DOUBLE_EQ(radio.options.waitPortSeconds, 9);
}

TEST(CliOptions, UsageErrorsNameTheOffendingWord)
{
    const std::pair<const char *, const char *> cases[] = {
        {"read --address 100", "--address"}, {"read --address x1", "--address"},
        {"read --address +1", "--address"},  {"read --speed 4800", "--speed"},
        {"radio --period 19", "--period"},   {"tags --duration -1", "--duration"},
        {"read --lang de", "--lang"},        {"filter set 1 2 --alarm yes", "--alarm"},
        {"scan --save x.zok", "--save"},     {"read --frobnicate", "--frobnicate"},
        {"read --port", "--port"},           {"launch", "launch"},
    };
    for (const auto &[line, word] : cases) {
        const auto parsed = Parse(QString::fromLatin1(line));
        EXPECT_TRUE(parsed.error.contains(QString::fromLatin1(word)))
            << line << ": " << parsed.error.toStdString();
    }
    EXPECT_TRUE(Parse(QStringLiteral("tags --wait-port -1")).error.contains(QStringLiteral("--wait-port")));
}

} // namespace
