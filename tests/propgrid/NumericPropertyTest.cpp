#include "ENumericConverter.h"
#include "EPropertyDouble.h"
#include "EPropertyFloat.h"
#include "EPropertyInt.h"
#include "EditHarness.h"
#include "TestHost.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace {

struct IntCase
{
    int bytes;
    bool isSigned;
    const char *text;
    std::uint64_t expectedBits; // the variable's content afterwards (it starts at 7)
    const char *shown;
};

class IntEntry : public ::testing::TestWithParam<IntCase>
{
};

TEST_P(IntEntry, CutsToTheRowsWidth)
{
    const IntCase &c = GetParam();
    TestHost host;
    std::uint64_t variable = 7;
    EPropertyInt row(&host, QStringLiteral("n"), &variable, {}, true, 0, 0);
    row.SetSize(c.bytes, c.isSigned);
    EditHarness edit;
    edit.Enter(row, QString::fromUtf8(c.text));
    EXPECT_EQ(variable, c.expectedBits) << c.text;
    EXPECT_EQ(row.TextValue().toStdString(), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Table, IntEntry,
    ::testing::Values(IntCase{1, false, "300", 44, "44"}, IntCase{1, false, "-1", 255, "255"},
                      IntCase{1, true, "200", 200, "-56"}, IntCase{2, false, "0x1F", 31, "31"},
                      IntCase{4, true, "0xFFFFFFFF", 0xFFFFFFFF, "-1"}, IntCase{4, true, "10/4", 2, "2"},
                      IntCase{4, true, "-2.9", 0xFFFFFFFE, "-2"},
                      IntCase{4, false, "4294967295", 0xFFFFFFFF, "4294967295"},
                      IntCase{8, true, "-1", ~std::uint64_t{0}, "-1"},
                      IntCase{8, false, "12345678901", 12345678901u, "12345678901"},
                      // beyond 64 bits there is no integer to store: unchanged
                      IntCase{8, true, "1e30", 7, "7"}, IntCase{1, false, "junk", 7, "7"}));

TEST(IntEntry, KeepsTheBytesBeyondTheRowsWidth)
{
    TestHost host;
    unsigned char bytes[4] = {1, 2, 3, 4};
    EPropertyInt row(&host, QStringLiteral("b"), bytes, {}, true, 0, 0);
    row.SetSize(1, false);
    EditHarness edit;
    EXPECT_TRUE(edit.Enter(row, QStringLiteral("9")));
    EXPECT_EQ(bytes[0], 9);
    EXPECT_EQ(bytes[1], 2);
    EXPECT_EQ(bytes[3], 4);
}

TEST(NumericCommit, UnchangedTextIsNotParsed)
{
    TestHost host;
    std::int32_t value = 20;
    EPropertyInt row(&host, QStringLiteral("delay"), &value, QStringLiteral("ms"), true, 0, 0);
    EXPECT_EQ(row.TextValue(), QStringLiteral("20 ms"));
    EditHarness edit;
    EXPECT_FALSE(edit.EnterUnchanged(row));
    EXPECT_TRUE(host.changing.empty());
    EXPECT_TRUE(edit.Enter(row, QStringLiteral("25 ms")));
    EXPECT_EQ(value, 25);
}

TEST(NumericCommit, AnEqualValueIsStillOfferedToTheHost)
{
    TestHost host;
    std::int32_t value = 5;
    EPropertyInt row(&host, QStringLiteral("n"), &value, {}, true, 0, 0);
    EditHarness edit;
    EXPECT_TRUE(edit.Enter(row, QStringLiteral("5.0")));
    EXPECT_EQ(host.changing.size(), 1u);
}

TEST(NumericCommit, ScalesTheCurrentValue)
{
    TestHost host;
    std::int32_t value = 40;
    EPropertyInt row(&host, QStringLiteral("n"), &value, {}, true, 0, 0);
    EditHarness edit;
    edit.Enter(row, QStringLiteral("/2"));
    EXPECT_EQ(value, 20);
    edit.Enter(row, QStringLiteral("*4"));
    EXPECT_EQ(value, 80);
}

struct RangeCase
{
    double minimum;
    double maximum;
    const char *text;
    std::int32_t expected;
};

class NumericRange : public ::testing::TestWithParam<RangeCase>
{
};

TEST_P(NumericRange, IgnoresValuesOutside)
{
    const RangeCase &c = GetParam();
    TestHost host;
    std::int32_t value = 50;
    EPropertyInt row(&host, QStringLiteral("n"), &value, {}, true, c.minimum, c.maximum);
    EditHarness edit;
    edit.Enter(row, QString::fromUtf8(c.text));
    EXPECT_EQ(value, c.expected) << c.text;
}

INSTANTIATE_TEST_SUITE_P(Table, NumericRange,
                         ::testing::Values(RangeCase{0, 100, "101", 50}, RangeCase{0, 100, "100", 100},
                                           RangeCase{0, 100, "-1", 50}, RangeCase{0, 0, "-1000", -1000},
                                           RangeCase{1, 20, "0", 50}, RangeCase{1, 20, "20", 20}));

TEST(NumericCommit, ARefusedValueLeavesTheVariable)
{
    TestHost host;
    host.approve = false;
    double value = 1.5;
    EPropertyDouble row(&host, QStringLiteral("x"), &value, {}, true, 0, 0);
    EditHarness edit;
    EXPECT_FALSE(edit.Enter(row, QStringLiteral("2.5")));
    EXPECT_EQ(value, 1.5);
    ASSERT_EQ(host.changing.size(), 1u);
    EXPECT_EQ(host.changing[0], &value);
}

TEST(NumericCommit, FloatAndDoubleRows)
{
    TestHost host;
    float f = 0;
    double d = 0;
    EPropertyFloat frow(&host, QStringLiteral("f"), &f, {}, true, 0, 0);
    EPropertyDouble drow(&host, QStringLiteral("d"), &d, QStringLiteral("V"), true, 0, 0);
    EditHarness edit;
    EXPECT_TRUE(edit.Enter(frow, QStringLiteral("2.675")));
    EXPECT_EQ(frow.TextValue(), QStringLiteral("2.67499"));
    EXPECT_FALSE(edit.Enter(frow, QStringLiteral("1e300"))); // no float holds it
    EXPECT_EQ(f, 2.675f);
    EXPECT_TRUE(edit.Enter(drow, QStringLiteral("99.99")));
    EXPECT_EQ(drow.TextValue(), QStringLiteral("99.9899999999 V"));
}

class Kilo : public ENumericConverter
{
public:
    double GetFactor(QString &unit) override
    {
        unit = QStringLiteral("kHz");
        return 0.001;
    }
};

TEST(NumericDisplay, FactorsUnitsAndNamedValues)
{
    TestHost host;
    std::int32_t value = 2500;
    double multiplier = 2;
    EPropertyInt row(&host, QStringLiteral("n"), &value, QStringLiteral("u"), true, 0, 0);
    row.SetFactor(10)->SetMultiplier(&multiplier);
    EXPECT_EQ(row.TextValue(), QStringLiteral("50000 u"));
    EditHarness edit;
    edit.Enter(row, QStringLiteral("100")); // typed numbers are divided by the factor
    EXPECT_EQ(value, 5);
    row.AddNamedValue(5, QStringLiteral("five"));
    EXPECT_EQ(row.TextValue(), QStringLiteral("five"));
    Kilo kilo;
    std::int32_t hertz = 1500;
    EPropertyInt freq(&host, QStringLiteral("f"), &hertz, QStringLiteral("Hz"), true, 0, 0);
    freq.SetConverter(&kilo);
    EXPECT_EQ(freq.TextValue(), QStringLiteral("1.5 kHz"));
}

TEST(NumericDisplay, ARowWithoutVariableShowsOne)
{
    TestHost host;
    EPropertyInt row(&host, QStringLiteral("n"), nullptr, {}, true, 0, 0);
    EXPECT_EQ(row.TextValue(), QStringLiteral("1"));
    EXPECT_FALSE(row.HasEdit());
}

} // namespace
