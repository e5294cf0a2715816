// The listener end to end: a CSerialMFC on the slave of a pty, a scripted peer on the master,
// and a QObject target collecting the posted events on this thread.
#include "CSerialMFC.h"
#include "FrameCollector.h"
#include "PtyPair.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace zok;

namespace {

// Waits for a condition while this thread's events are delivered; generous, it only bounds a
// failing test.
template <class Predicate> bool Eventually(Predicate predicate)
{
    return QTest::qWaitFor(predicate, 10000);
}

class CSerialMFCTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(m_port->Open(m_pty.SlavePath(), &m_target), kSerialOk);
        ASSERT_TRUE(Eventually([&] { return m_port->IsListening(); }));
    }

    int m_argc = 1;
    char m_name[16] = "serial-listener";
    char *m_argv[2] = {m_name, nullptr};
    QCoreApplication m_app{m_argc, m_argv};
    PtyPair m_pty;
    FrameCollector m_target;
    std::unique_ptr<CSerialMFC> m_port = std::make_unique<CSerialMFC>();
};

TEST_F(CSerialMFCTest, OpenRecordsTargetAndRefusesSecondOpen)
{
    EXPECT_EQ(m_port->Target(), &m_target);
    EXPECT_EQ(m_port->MessageId(), CSerialWnd::DefaultComMessage());
    EXPECT_GE(CSerialWnd::DefaultComMessage(), int(QEvent::User));
    EXPECT_EQ(m_port->Open(m_pty.SlavePath(), &m_target), kErrorAlreadyInitialized);
    EXPECT_TRUE(m_port->IsListening());
    CSerialMFC other;
    EXPECT_EQ(other.Open(m_pty.SlavePath(), nullptr), kErrorInvalidArg);
    EXPECT_EQ(other.Open(m_pty.SlavePath(), &m_target, 1234, 7), EBUSY);
    EXPECT_FALSE(other.IsOpen());
    EXPECT_FALSE(other.IsListening());
}

TEST_F(CSerialMFCTest, FrameInThreeBurstsIsPostedOnceWhole)
{
    auto wakeups = m_port->ListenerWakeups();
    for (const char *burst : {"[0C", "01"}) {
        m_pty.Send(burst);
        ASSERT_TRUE(Eventually([&] { return m_port->ListenerWakeups() > wakeups; }));
        wakeups = m_port->ListenerWakeups();
        QCoreApplication::processEvents();
        EXPECT_TRUE(m_target.frames.isEmpty()) << burst;
    }
    m_pty.Send("01]");
    ASSERT_TRUE(Eventually([&] { return !m_target.frames.isEmpty(); }));
    EXPECT_EQ(m_target.frames, QStringList{"0C0101"});
}

TEST_F(CSerialMFCTest, NoiseAndEmptyFramesFollowTheBracketRules)
{
    m_pty.Send("garbage\r\n]x[01]yy[][ab[VE13.6.0 build 2024-11-03 long text]");
    ASSERT_TRUE(Eventually([&] { return m_target.frames.size() >= 3; }));
    EXPECT_EQ(m_target.frames, (QStringList{"01", "", "VE13.6.0 build 2024-11-03 long text"}));
}

TEST_F(CSerialMFCTest, OverlongFrameIsDroppedAndNextFrameArrives)
{
    m_pty.Send("[" + std::string(FrameCutter::kMaxFrameLength + 10, '7') + "][OK0C0101]");
    ASSERT_TRUE(Eventually([&] { return !m_target.frames.isEmpty(); }));
    EXPECT_EQ(m_target.frames, QStringList{"OK0C0101"});
}

TEST_F(CSerialMFCTest, FrameCarriesLocalReceptionTime)
{
    m_pty.Send("[97]");
    ASSERT_TRUE(Eventually([&] { return !m_target.records.empty(); }));
    const FrameTime &t = m_target.records.front().time;
    const QDate today = QDate::currentDate();
    EXPECT_EQ(t.year, today.year());
    EXPECT_EQ(t.month, today.month());
    EXPECT_TRUE(t.hour < 24 && t.minute < 60 && t.second < 61 && t.millisecond < 1000);
    EXPECT_NEAR(double(m_target.records.front().epochMs), double(QDateTime::currentMSecsSinceEpoch()),
                60000.0);
}

// Prompt delivery only stops the pauses between reads: switched on and off while a burst comes
// in, cut in the middle of frames, every frame still arrives once, whole and in order.
TEST_F(CSerialMFCTest, FramesStayWholeAndInOrderWhileDeliveryTurnsPromptAndBack)
{
    std::string stream;
    QStringList expected;
    for (int i = 0; i < 300; ++i) {
        expected << QString("B4%1").arg(1000 + i);
        stream += "[" + expected.back().toStdString() + "]";
    }
    const std::size_t third = stream.size() / 3 + 1; // not on a frame boundary
    for (std::size_t part = 0; part < 3; ++part) {
        m_port->SetPromptDelivery(part == 1);
        m_pty.Send(stream.substr(part * third, third));
        QCoreApplication::processEvents();
    }
    ASSERT_TRUE(Eventually([&] { return m_target.frames.size() >= expected.size(); }));
    EXPECT_EQ(m_target.frames, expected);
    EXPECT_TRUE(m_target.dropped.isEmpty());
}

TEST_F(CSerialMFCTest, WritesAndReceptionRunTogether)
{
    std::string flood;
    for (int i = 0; i < 200; ++i)
        flood += "[0C" + std::to_string(1000 + i) + "]";
    m_pty.Send(flood);
    for (int i = 0; i < 50; ++i)
        ASSERT_EQ(m_port->WriteString(" [9900FF]"), kSerialOk);
    EXPECT_EQ(m_pty.Receive(50 * 9).size(), size_t(50 * 9));
    ASSERT_TRUE(Eventually([&] { return m_target.frames.size() == 200; }));
    EXPECT_EQ(m_target.frames.back(), "0C1199");
}

TEST_F(CSerialMFCTest, CloseWhileListenerWaitsEndsItAndReopenWorks)
{
    EXPECT_EQ(m_port->Close(), kSerialOk);
    EXPECT_FALSE(m_port->IsListening());
    EXPECT_FALSE(m_port->IsOpen());
    EXPECT_EQ(m_port->Target(), nullptr);
    ASSERT_EQ(m_port->Open(m_pty.SlavePath(), &m_target), kSerialOk);
    m_pty.Send("[back]");
    ASSERT_TRUE(Eventually([&] { return !m_target.frames.isEmpty(); }));
    EXPECT_EQ(m_target.frames, QStringList{"back"});
    EXPECT_EQ(m_target.lostEvents, 0);
}

TEST_F(CSerialMFCTest, DestroyingAnOpenPortStopsTheListener)
{
    m_pty.Send("[x");
    m_port.reset();
    m_pty.Send("]");
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_target.frames.isEmpty());
}

TEST_F(CSerialMFCTest, PeerHangingUpPostsOneLostEventAndStopsListening)
{
    m_pty.Send("[last]");
    ASSERT_TRUE(Eventually([&] { return !m_target.frames.isEmpty(); }));
    m_pty.HangUp();
    ASSERT_TRUE(Eventually([&] { return m_target.lostEvents > 0 && !m_port->IsListening(); }));
    EXPECT_EQ(m_target.lostError, long(EIO));
    // The thread has ended, so its wake-up count is final: a handful, not a spin.
    const auto wakeups = m_port->ListenerWakeups();
    EXPECT_LT(wakeups, 10u);
    QTest::qWait(50);
    EXPECT_EQ(m_port->ListenerWakeups(), wakeups);
    EXPECT_EQ(m_target.lostEvents, 1);
    EXPECT_EQ(m_target.frames, QStringList{"last"});
    EXPECT_EQ(m_port->Close(), kSerialOk);
}

} // namespace
