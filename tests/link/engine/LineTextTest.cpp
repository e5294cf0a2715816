#include "LineText.h"

#include <gtest/gtest.h>

namespace {

TEST(FillText, FillsFieldsInOrderAndCopiesArgumentsVerbatim)
{
    const struct
    {
        const char *format;
        QStringList args;
        const char *expected;
    } rows[] = {
        {"Serial Port %s Speed changed to %s", {"COM3", "9600"}, "Serial Port COM3 Speed changed to 9600"},
        {"Port %s OK", {"%s%n%s"}, "Port %s%n%s OK"},
        {"%s and %s", {"one"}, "one and %s"},
        {"no field", {"unused"}, "no field"},
        {"trailing %", {}, "trailing %"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(FillText(QString::fromLatin1(row.format), row.args), QString::fromLatin1(row.expected));
}

} // namespace
