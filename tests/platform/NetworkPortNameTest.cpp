#include "NetworkPortName.h"

#include <gtest/gtest.h>

namespace {

using zok::NetworkScheme;
using zok::PortNameProblem;

TEST(NetworkPortName, ParsesHostAndPort)
{
    const struct
    {
        const char *name;
        NetworkScheme scheme;
        const char *host;
        int port;
    } cases[] = {
        {"tcp://cabinet-3.site:4001", NetworkScheme::Tcp, "cabinet-3.site", 4001},
        {"RFC2217://10.0.0.7:2001", NetworkScheme::Rfc2217, "10.0.0.7", 2001},
        {"rfc2217://[fe80::1]:65535", NetworkScheme::Rfc2217, "fe80::1", 65535},
        {"tcp://[::ffff:10.0.0.7]:1", NetworkScheme::Tcp, "::ffff:10.0.0.7", 1},
    };
    for (const auto &c : cases) {
        zok::NetworkPortName name;
        EXPECT_TRUE(zok::IsNetworkPortName(c.name)) << c.name;
        ASSERT_EQ(zok::ParseNetworkPortName(c.name, name), PortNameProblem::None) << c.name;
        EXPECT_EQ(name.scheme, c.scheme) << c.name;
        EXPECT_EQ(name.host, c.host) << c.name;
        EXPECT_EQ(name.port, c.port) << c.name;
    }
    for (const char *local : {"COM3", "/dev/ttyUSB0", "ttyS0", "/dev/serial/by-id/usb-FTDI:x"})
        EXPECT_FALSE(zok::IsNetworkPortName(local)) << local;
}

TEST(NetworkPortName, SaysWhatIsWrong)
{
    const struct
    {
        const char *name;
        PortNameProblem problem;
    } cases[] = {
        {"udp://box:4001", PortNameProblem::UnknownScheme},
        {"://box:4001", PortNameProblem::UnknownScheme},
        {"tcp://", PortNameProblem::MissingHost},
        {"tcp://:4001", PortNameProblem::MissingHost},
        {"tcp://box", PortNameProblem::MissingPort},
        {"tcp://box:", PortNameProblem::MissingPort},
        {"tcp://[::1]4001", PortNameProblem::MissingPort},
        {"tcp://box:0", PortNameProblem::BadPort},
        {"tcp://box:65536", PortNameProblem::BadPort},
        {"tcp://box:40a1", PortNameProblem::BadPort},
        {"tcp://box:-1", PortNameProblem::BadPort},
        {"tcp://::1:4001", PortNameProblem::BareIpv6},
        {"tcp://[::1:4001", PortNameProblem::BadIpv6},
        {"tcp://[box]:4001", PortNameProblem::BadIpv6},
        {"tcp://my box:4001", PortNameProblem::BadHostCharacter},
        {"tcp://box:4001/", PortNameProblem::TrailingText},
    };
    for (const auto &c : cases) {
        zok::NetworkPortName name;
        EXPECT_EQ(zok::ParseNetworkPortName(c.name, name), c.problem) << c.name;
    }
}

TEST(NetworkPortName, HostAndPortPutsBracketsBackAroundIpv6)
{
    EXPECT_EQ((zok::NetworkPortName{NetworkScheme::Tcp, "fe80::1", 4001}.HostAndPort()), "[fe80::1]:4001");
    EXPECT_EQ((zok::NetworkPortName{NetworkScheme::Tcp, "box", 23}.HostAndPort()), "box:23");
}

} // namespace
