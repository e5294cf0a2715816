// The network backends through a real device server (ser2net), as the listener uses them: raw
// TCP, RFC 2217, servers without RFC 2217 behind an rfc2217:// name, and the failures. The same
// cases run on Linux and, through Winsock, under Wine (scripts/windows-test.sh).
#include "LineServer.h"
#include "LineSink.h"

#include <gtest/gtest.h>

#include <string>

using namespace zok;
using zok::test::ListeningPort;

namespace {

class NetworkLine : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (server.skip)
            GTEST_SKIP() << "no device server (ZOK_SKIP_SER2NET=1, or not run by scripts/windows-test.sh)";
        ASSERT_TRUE(server.problem.empty()) << server.problem;
    }
    // Sends `bytes` and waits for the next frame.
    static std::string Exchange(ListeningPort &port, const std::string &bytes)
    {
        const std::size_t before = port.sink.Frames().size();
        EXPECT_EQ(port.Write(bytes.data(), bytes.size()), kSerialOk);
        const auto frames = port.sink.WaitForFrames(before + 1);
        return frames.size() > before ? frames[before] : std::string("(no answer)");
    }

    const test::LineServer &server = test::TheLineServer();
    ListeningPort m_port;
};

TEST_F(NetworkLine, RawLineCarriesTheBytesAndLeavesItsSettingsToTheServer)
{
    ASSERT_EQ(m_port.Open(server.raw), kSerialOk);
    EXPECT_EQ(m_port.Open(server.raw), kErrorAlreadyInitialized);
    EXPECT_EQ(m_port.Configure(4800), kErrorInvalidArg);
    EXPECT_EQ(m_port.Configure(9600), kErrorLineSetOnServer);
    EXPECT_EQ(m_port.SetHandshake(kHandshakeOff), kErrorLineSetOnServer);
    EXPECT_EQ(m_port.QueryBaudRate(), -1);
    EXPECT_EQ(m_port.LastError(), kErrorLineSetOnServer);
    ASSERT_EQ(m_port.StartListenerThread(), kSerialOk);
    EXPECT_EQ(Exchange(m_port, " [980001]"), "VE" + test::kFirmwareWithFF);
    EXPECT_EQ(m_port.Close(), kSerialOk);
    EXPECT_TRUE(m_port.sink.Losses().empty());
}

// Receiver 02 listens at 38400 only: its answer shows that the line really changed speed. A
// 0xFF that went out unescaped would make ser2net swallow the "[" after it.
TEST_F(NetworkLine, Rfc2217SetsTheLineAndEscapesFF)
{
    ASSERT_EQ(m_port.Open(server.rfc2217), kSerialOk);
    ASSERT_EQ(m_port.Configure(9600), kSerialOk);
    EXPECT_EQ(m_port.SetHandshake(kHandshakeOff), kSerialOk);
    EXPECT_EQ(m_port.QueryBaudRate(), 9600);
    EXPECT_EQ(m_port.QueryDataBits(), 8);
    EXPECT_EQ(m_port.QueryParity(), kNoParity);
    EXPECT_EQ(m_port.QueryStopBits(), kTwoStopBits);
    EXPECT_EQ(m_port.QueryHandshake(), kHandshakeOff);
    ASSERT_EQ(m_port.StartListenerThread(), kSerialOk);
    EXPECT_EQ(Exchange(m_port, "\xFF[980001]"), "VE" + test::kFirmwareWithFF);
    // Set while the listener runs: the acknowledgements come through it.
    ASSERT_EQ(m_port.Configure(38400), kSerialOk);
    EXPECT_EQ(m_port.QueryBaudRate(), 38400);
    EXPECT_EQ(Exchange(m_port, " [980002]"), "VE v20.1.0");
    EXPECT_EQ(m_port.Configure(9600), kSerialOk);
}

TEST_F(NetworkLine, ServersWithoutRfc2217AreUsedRaw)
{
    const struct
    {
        const std::string &name;
        long notice;
    } cases[] = {{server.refusing, kErrorComPortRefused}, {server.silent, kErrorComPortNoAnswer}};
    for (const auto &c : cases) {
        ListeningPort port;
        ASSERT_EQ(port.Open(c.name), kSerialOk) << c.name;
        EXPECT_EQ(port.Configure(9600), c.notice) << c.name;
        EXPECT_EQ(port.Configure(9600), kErrorLineSetOnServer) << c.name;
        EXPECT_EQ(port.QueryBaudRate(), -1) << c.name;
        ASSERT_EQ(port.StartListenerThread(), kSerialOk);
        EXPECT_EQ(Exchange(port, " [980001]"), "VE" + test::kFirmwareWithFF) << c.name;
    }
}

TEST_F(NetworkLine, FailedOpeningsSayWhy)
{
    const struct
    {
        std::string name;
        long code;
    } cases[] = {
        {server.nobody, kErrorConnectionRefused},
        {"tcp://127.0.0.1", kErrorBadPortName},
        {"rfc2217://[::1:4001", kErrorBadPortName},
        {"telnet://127.0.0.1:23", kErrorBadPortName},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(m_port.Open(c.name), c.code) << c.name;
        EXPECT_EQ(m_port.LastError(), c.code);
        EXPECT_FALSE(m_port.IsOpen());
    }
}

// The raw accepter drops its client when another one connects.
TEST_F(NetworkLine, ServerEndingTheConnectionIsOneLoss)
{
    ASSERT_EQ(m_port.Open(server.raw), kSerialOk);
    ASSERT_EQ(m_port.StartListenerThread(), kSerialOk);
    EXPECT_EQ(Exchange(m_port, " [980001]"), "VE" + test::kFirmwareWithFF);
    ListeningPort other;
    ASSERT_EQ(other.Open(server.raw), kSerialOk);
    const auto lost = m_port.sink.WaitForLoss();
    ASSERT_EQ(lost.size(), 1u);
    EXPECT_EQ(lost[0], kErrorConnectionClosed);
    m_port.StopListenerThread();
    EXPECT_EQ(m_port.sink.Losses().size(), 1u);
    std::size_t written = 0;
    EXPECT_NE(m_port.Write("x", 1, &written), kSerialOk);
}

} // namespace
