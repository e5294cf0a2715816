#include "CSerial.h"
#include "PtyPair.h"
#include "TermiosHelpers.h"

#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace zok;

namespace {

class CSerialTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(m_port.Open(m_pty.SlavePath()), kSerialOk); }

    PtyPair m_pty;
    CSerial m_port;
};

bool SameSettings(const termios &a, const termios &b)
{
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
           a.c_lflag == b.c_lflag && cfgetospeed(&a) == cfgetospeed(&b);
}

TEST_F(CSerialTest, OpenCloseReopen)
{
    EXPECT_TRUE(m_port.IsOpen());
    EXPECT_EQ(m_port.Open(m_pty.SlavePath()), kErrorAlreadyInitialized);
    EXPECT_EQ(m_port.LastError(), kErrorAlreadyInitialized);
    EXPECT_TRUE(m_port.IsOpen()) << "a second Open must leave the port open";
    EXPECT_EQ(m_port.Close(), kSerialOk);
    EXPECT_FALSE(m_port.IsOpen());
    EXPECT_EQ(m_port.Close(), kSerialOk) << "closing a closed port is fine";
    ASSERT_EQ(m_port.Open(m_pty.SlavePath()), kSerialOk);
    EXPECT_EQ(m_port.WriteString("[x]"), kSerialOk);
    EXPECT_EQ(m_pty.Receive(3), "[x]");
}

TEST_F(CSerialTest, OpenSetsRawEightDataBitsNoParityTwoStopBits)
{
    const termios tio = m_pty.SlaveSettings();
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_FALSE(tio.c_cflag & PARENB);
    EXPECT_TRUE(tio.c_cflag & CSTOPB);
    EXPECT_FALSE(tio.c_cflag & CRTSCTS);
    EXPECT_FALSE(tio.c_iflag & (IXON | IXOFF));
    EXPECT_FALSE(tio.c_lflag & (ICANON | ECHO));
    EXPECT_EQ(m_port.QueryEventMask(), kDefaultEventMask);
}

TEST_F(CSerialTest, SecondUserIsTurnedAway)
{
    CSerial other;
    EXPECT_EQ(other.Open(m_pty.SlavePath()), EBUSY);
    EXPECT_FALSE(other.IsOpen());
    EXPECT_EQ(m_port.WriteString("[still]"), kSerialOk);
    EXPECT_EQ(m_pty.Receive(7), "[still]");
    m_port.Close();
    EXPECT_EQ(other.Open(m_pty.SlavePath()), kSerialOk) << "the port is free again after Close";
}

TEST(CSerialClosed, MissingDeviceGivesErrno)
{
    CSerial port;
    EXPECT_EQ(port.Open("/dev/zok-no-such-port"), ENOENT);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.Open("/dev/null"), ENOTTY) << "only terminals are ports";
}

TEST(CSerialClosed, EveryOperationReportsInvalidHandle)
{
    CSerial port;
    char byte = 0;
    size_t count = 99;
    const std::vector<std::pair<const char *, std::function<long()>>> ops = {
        {"Configure", [&] { return port.Configure(9600); }},
        {"SetEventCharacter", [&] { return port.SetEventCharacter('\n'); }},
        {"SetEventMask", [&] { return port.SetEventMask(kEvRxChar); }},
        {"WaitForEvent", [&] { return port.WaitForEvent(0); }},
        {"SetHandshake", [&] { return port.SetHandshake(kHandshakeOff); }},
        {"SetReadMode", [&] { return port.SetReadMode(kReadNonblocking); }},
        {"Write", [&] { return port.Write("x", 1, &count); }},
        {"WriteString", [&] { return port.WriteString("x"); }},
        {"Read", [&] { return port.Read(&byte, 1, &count); }},
    };
    for (const auto &[name, op] : ops) {
        EXPECT_EQ(op(), kErrorInvalidHandle) << name;
        EXPECT_EQ(port.LastError(), kErrorInvalidHandle) << name;
    }
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(port.QueryBaudRate(), -1);
    EXPECT_EQ(port.QueryDataBits(), -1);
    EXPECT_EQ(port.QueryParity(), -1);
    EXPECT_EQ(port.QueryStopBits(), -1);
    EXPECT_EQ(port.QueryHandshake(), -1);
    EXPECT_EQ(port.QueryEventMask(), 0u);
    EXPECT_EQ(port.QueryEventCharacter(), 0);
    EXPECT_EQ(port.LastError(), kErrorInvalidHandle);
}

TEST_F(CSerialTest, InvalidArgumentsLeaveTheDeviceAlone)
{
    ASSERT_EQ(m_port.Configure(19200), kSerialOk);
    const termios before = m_pty.SlaveSettings();
    const std::vector<std::pair<const char *, std::function<long()>>> ops = {
        {"speed 12345", [&] { return m_port.Configure(12345); }},
        {"speed 4800", [&] { return m_port.Configure(4800); }},
        {"speed 0", [&] { return m_port.Configure(0); }},
        {"9 data bits", [&] { return m_port.Configure(9600, 9); }},
        {"parity 5", [&] { return m_port.Configure(9600, 8, 5); }},
        {"1.5 stop bits", [&] { return m_port.Configure(9600, 8, 0, 1); }},
        {"handshake 3", [&] { return m_port.SetHandshake(3); }},
        {"handshake -1", [&] { return m_port.SetHandshake(-1); }},
        {"read mode 2", [&] { return m_port.SetReadMode(2); }},
    };
    for (const auto &[name, op] : ops) {
        EXPECT_EQ(op(), kErrorInvalidArg) << name;
        EXPECT_EQ(m_port.LastError(), kErrorInvalidArg) << name;
        EXPECT_TRUE(SameSettings(before, m_pty.SlaveSettings())) << name;
    }
    EXPECT_EQ(m_port.QueryBaudRate(), 19200);
}

TEST_F(CSerialTest, EverySpeedIsVisibleFromThePeer)
{
    // A pty starts at 38400, so 38400 is set only after another speed.
    for (int baud : {19200, 38400, 9600, 57600, 115200}) {
        ASSERT_EQ(m_port.Configure(baud, 8, kNoParity, kTwoStopBits), kSerialOk) << baud;
        const termios tio = m_pty.SlaveSettings();
        EXPECT_EQ(cfgetospeed(&tio), termios_helpers::BaudConstant(baud)) << baud;
        EXPECT_TRUE(tio.c_cflag & CSTOPB) << baud;
        EXPECT_EQ(m_port.QueryBaudRate(), baud);
        EXPECT_EQ(m_port.QueryStopBits(), kTwoStopBits);
        EXPECT_EQ(m_port.QueryDataBits(), 8);
        EXPECT_EQ(m_port.QueryParity(), kNoParity);
    }
}

// A pty keeps 8 data bits without parity whatever it is told (the framing translation is tested
// on its own); stop bits and flow control it does keep.
TEST_F(CSerialTest, StopBitsAndHandshakeRoundTrip)
{
    ASSERT_EQ(m_port.Configure(9600, 8, kNoParity, kOneStopBit), kSerialOk);
    EXPECT_EQ(m_port.QueryStopBits(), kOneStopBit);
    EXPECT_FALSE(m_pty.SlaveSettings().c_cflag & CSTOPB);
    ASSERT_EQ(m_port.Configure(9600, 8, kNoParity, kTwoStopBits), kSerialOk);
    EXPECT_EQ(m_port.QueryStopBits(), kTwoStopBits);
    for (int kind : {kHandshakeHardware, kHandshakeSoftware, kHandshakeOff}) {
        ASSERT_EQ(m_port.SetHandshake(kind), kSerialOk) << kind;
        EXPECT_EQ(m_port.QueryHandshake(), kind);
    }
    EXPECT_FALSE(m_pty.SlaveSettings().c_cflag & CRTSCTS);
}

TEST_F(CSerialTest, EventCharacterAddsItsBitWhenWatched)
{
    ASSERT_EQ(m_port.SetEventCharacter(']', false), kSerialOk);
    EXPECT_EQ(m_port.QueryEventCharacter(), ']');
    EXPECT_EQ(m_port.QueryEventMask(), kDefaultEventMask);
    ASSERT_EQ(m_port.SetEventCharacter(']', true), kSerialOk);
    EXPECT_EQ(m_port.QueryEventMask(), kDefaultEventMask | kEvRxFlag);
}

TEST_F(CSerialTest, ReadModesAndTimeouts)
{
    char buffer[16] = {};
    size_t count = 99;
    EXPECT_EQ(m_port.Read(buffer, sizeof buffer, &count), kSerialOk) << "non-blocking: nothing there";
    EXPECT_EQ(count, 0u);
    m_pty.Send("[01]");
    ASSERT_EQ(m_port.WaitForEvent(5000), kSerialOk);
    EXPECT_EQ(m_port.TakeEvents(), kEvRxChar);
    EXPECT_EQ(m_port.TakeEvents(), 0u) << "taking events clears them";
    ASSERT_EQ(m_port.SetReadMode(kReadBlocking), kSerialOk);
    EXPECT_EQ(m_port.Read(buffer, 4, &count, 5000), kSerialOk);
    EXPECT_EQ(std::string(buffer, count), "[01]");
    EXPECT_EQ(m_port.Read(buffer, 4, &count, 20), kErrorTimeout);
    EXPECT_EQ(m_port.WaitForEvent(20), kErrorTimeout);
}

TEST_F(CSerialTest, WriteThatCannotCompleteTimesOutAndIsCancelled)
{
    // Nobody reads the master: the pty buffer fills and the rest can never go out.
    const std::string big(1 << 20, 'x');
    size_t written = 0;
    EXPECT_EQ(m_port.Write(big.data(), big.size(), &written, 100), kErrorTimeout);
    EXPECT_EQ(m_port.LastError(), kErrorTimeout);
    EXPECT_GT(written, 0u);
    EXPECT_LT(written, big.size());
    // The unsent rest was discarded: a later command goes out whole, not behind stale bytes.
    ASSERT_EQ(m_port.WriteString(" [9900FF]"), kSerialOk);
    const std::string seen = m_pty.Receive(big.size(), 200);
    EXPECT_LT(seen.size(), big.size());
    EXPECT_EQ(seen.substr(seen.size() - 9), " [9900FF]");
}

TEST_F(CSerialTest, HungUpPeerIsReportedAsEio)
{
    char byte = 0;
    size_t count = 0;
    m_pty.HangUp();
    EXPECT_EQ(m_port.Read(&byte, 1, &count), EIO);
    EXPECT_EQ(m_port.WaitForEvent(1000), EIO);
    EXPECT_EQ(m_port.Close(), kSerialOk);
}

} // namespace
