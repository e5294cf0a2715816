#include "ENumericText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace {

struct FormatCase
{
    double value;
    int digits;
    int precision;
    bool grouping;
    bool scientific;
    const char *expected;
};

class NumericFormat : public ::testing::TestWithParam<FormatCase>
{
};

TEST_P(NumericFormat, ShowsTheNumberAsTheRowWould)
{
    const FormatCase &c = GetParam();
    EXPECT_EQ(ENumericText::Format(c.value, c.digits, c.precision, c.grouping, c.scientific).toStdString(),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, NumericFormat,
                         ::testing::Values(FormatCase{100, 10, -1, false, false, "100"},
                                           FormatCase{-5, 10, -1, false, false, "-5"},
                                           FormatCase{0, 10, -1, false, false, "0"},
                                           FormatCase{double(0.1f), 6, -1, false, false, "0.1"},
                                           FormatCase{double(2.675f), 6, -1, false, false, "2.67499"},
                                           FormatCase{1.0 / 3.0, 12, -1, false, false, "0.33333333333"},
                                           FormatCase{99.99, 12, -1, false, false, "99.9899999999"},
                                           // the cut keeps the whole integer part of a large number
                                           FormatCase{12345678901.0, 10, -1, false, false, "12345678901"},
                                           FormatCase{-4294967296.0, 10, -1, false, false, "-4294967296"},
                                           FormatCase{12345.5, 12, -1, true, false, "12,345.5"},
                                           FormatCase{-1234, 10, -1, true, false, "-1,234"},
                                           FormatCase{123, 10, -1, true, false, "123"},
                                           FormatCase{1234567, 10, 2, true, false, "1,234,567"},
                                           FormatCase{3.14159, 12, 2, false, false, "3.14"},
                                           FormatCase{2.5, 12, 0, false, false, "2"},
                                           FormatCase{1500, 12, -1, false, true, "1.500000e+03"},
                                           FormatCase{1500, 12, 1, true, true, "1.5e+03"},
                                           FormatCase{1e20, 12, -1, false, false, "100000000000000000000"}));

struct EntryCase
{
    const char *text;
    double current;
    std::optional<double> expected;
};

class NumericEntry : public ::testing::TestWithParam<EntryCase>
{
};

TEST_P(NumericEntry, ReadsTheEntryLanguage)
{
    const EntryCase &c = GetParam();
    const std::optional<double> result = ENumericText::Parse(QString::fromUtf8(c.text), c.current);
    ASSERT_EQ(result.has_value(), c.expected.has_value()) << c.text;
    if (c.expected) {
        EXPECT_DOUBLE_EQ(*result, *c.expected) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, NumericEntry,
    ::testing::Values(EntryCase{"0x1F", 0, 31}, EntryCase{"0xFFFFFFFF", 0, -1},
                      EntryCase{"0x7fffffff", 0, 2147483647}, EntryCase{"0x1FFFFFFFF", 0, -1},
                      EntryCase{"0xZZ", 0, std::nullopt}, EntryCase{"10/4", 0, 2.5}, EntryCase{"3*4", 0, 12},
                      EntryCase{"2+3", 0, 5}, EntryCase{"7-2", 0, 5}, EntryCase{"-7-2", 0, -9},
                      EntryCase{"/2", 40, 20}, EntryCase{"*2", 40, 80}, EntryCase{"+5", 40, 5},
                      EntryCase{"-5", 40, -5}, EntryCase{"1 000", 0, 1000}, EntryCase{"1,000", 0, 1000},
                      EntryCase{"25 ms", 0, 25}, EntryCase{" 1.5 ", 0, 1.5},
                      EntryCase{"abc", 0, std::nullopt}, EntryCase{"", 0, std::nullopt},
                      // results that are no number leave the variable alone
                      EntryCase{"1/0", 0, std::nullopt}, EntryCase{"nan", 0, std::nullopt},
                      EntryCase{"inf", 0, std::nullopt}, EntryCase{"/0", 5, std::nullopt},
                      EntryCase{"1e999", 0, std::nullopt}));

TEST(NumericSeparator, IsThePointUnderTheCLocale)
{
    EXPECT_EQ(ENumericText::DecimalSeparator(), QLatin1Char('.'));
    EXPECT_EQ(ENumericText::GroupingChar(), QLatin1Char(','));
}

} // namespace
