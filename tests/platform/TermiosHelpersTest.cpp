#include "TermiosHelpers.h"

#include <gtest/gtest.h>

namespace th = zok::termios_helpers;

namespace {

TEST(TermiosHelpers, AcceptsOnlyTheLineSpeeds)
{
    for (int baud : {9600, 19200, 38400, 57600, 115200}) {
        const speed_t constant = th::BaudConstant(baud);
        EXPECT_NE(constant, B0) << baud;
        EXPECT_EQ(th::BaudOf(constant), baud);
    }
    for (int baud : {0, -9600, 4800, 9601, 230400, 12345})
        EXPECT_EQ(th::BaudConstant(baud), B0) << baud;
}

TEST(TermiosHelpers, FramingRoundTrips)
{
    struct Case
    {
        int dataBits, parity, stopBits;
    };
    for (const Case c : {Case{8, 0, 2}, Case{7, 2, 0}, Case{5, 1, 2}, Case{8, 3, 0}, Case{6, 4, 2}}) {
        termios tio{};
        ASSERT_TRUE(th::SetFraming(tio, c.dataBits, c.parity, c.stopBits));
        EXPECT_EQ(th::DataBitsOf(tio), c.dataBits);
        EXPECT_EQ(th::ParityOf(tio), c.parity);
        EXPECT_EQ(th::StopBitsOf(tio), c.stopBits);
        EXPECT_EQ((tio.c_iflag & INPCK) != 0, c.parity != 0);
    }
}

TEST(TermiosHelpers, RefusedFramingLeavesSettingsAlone)
{
    for (const auto &[d, p, s] :
         {std::tuple{4, 0, 0}, {9, 0, 0}, {8, 5, 0}, {8, -1, 0}, {8, 0, 1}, {8, 0, 3}}) {
        termios tio{};
        th::SetFraming(tio, 8, 2, 2);
        const termios before = tio;
        EXPECT_FALSE(th::SetFraming(tio, d, p, s));
        EXPECT_EQ(tio.c_cflag, before.c_cflag);
        EXPECT_EQ(tio.c_iflag, before.c_iflag);
    }
}

TEST(TermiosHelpers, WireTimeCountsElevenBitsPerCharacter)
{
    EXPECT_EQ(th::WireTime(0, 9600).count(), 0);
    EXPECT_EQ(th::WireTime(960, 9600).count(), 1100);
    EXPECT_EQ(th::WireTime(1, 115200).count(), 1); // rounded up, never 0 for real bytes
}

} // namespace
