#include "CZOKSyncParameter.h"

#include <gtest/gtest.h>

namespace {

struct ByteCase
{
    const char *answer;
    std::optional<std::uint8_t> value;
    std::optional<std::uint8_t> address;
};

TEST(CZOKSyncParameter, ReadsUpperCaseHexBytesOfFourCharacterAnswersOnly)
{
    const ByteCase cases[] = {
        {"1F0A", 0x1F, 0x0A},
        {"00FF", 0x00, 0xFF},
        {"1f0A", std::nullopt, 0x0A},
        {"1F0a", 0x1F, std::nullopt},
        {"G10A", std::nullopt, 0x0A},
        {"1F0A0", std::nullopt, std::nullopt},
        {"1F0", std::nullopt, std::nullopt},
        {"", std::nullopt, std::nullopt},
        {" F0A", std::nullopt, 0x0A},
        {"+10A", std::nullopt, 0x0A},
        {"1F\n0", 0x1F, std::nullopt},
    };
    for (const auto &c : cases) {
        CZOKSyncParameter entry("0B", false, true, true);
        entry.Answer = c.answer;
        EXPECT_EQ(entry.GetValueByte(), c.value) << c.answer;
        EXPECT_EQ(entry.GetAddressByte(), c.address) << c.answer;
    }
}

TEST(CZOKSyncParameter, FlagsOffRefuseTheBytes)
{
    CZOKSyncParameter entry("VE", false, false, false);
    entry.Answer = "1F0A";
    EXPECT_FALSE(entry.GetValueByte());
    EXPECT_FALSE(entry.GetAddressByte());
    entry.ParseValue = true;
    EXPECT_EQ(entry.GetValueByte(), 0x1F);
    EXPECT_FALSE(entry.GetAddressByte());
}

} // namespace
