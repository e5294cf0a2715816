#include "CSerialMFC.h"
#include "FrameCollector.h"
#include "PtyPair.h"

#include <QDate>
#include <QTest>
#include <QTime>

using namespace zok;

class CSerialMFCTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_pty = std::make_unique<PtyPair>();
        m_target = std::make_unique<FrameCollector>();
        m_port = std::make_unique<CSerialMFC>();
        QCOMPARE(m_port->Open(m_pty->SlavePath(), m_target.get()), kSerialOk);
        QTRY_VERIFY(m_port->IsListening());
    }
    void cleanup()
    {
        m_port.reset();
        m_target.reset();
        m_pty.reset();
    }

    void openRecordsTargetAndRefusesSecondOpen()
    {
        QCOMPARE(m_port->Target(), m_target.get());
        QCOMPARE(m_port->MessageId(), CSerialWnd::DefaultComMessage());
        QVERIFY(CSerialWnd::DefaultComMessage() >= QEvent::User);
        QCOMPARE(m_port->Open(m_pty->SlavePath(), m_target.get()), kErrorAlreadyInitialized);
        QVERIFY(m_port->IsListening());
        CSerialMFC other;
        QCOMPARE(other.Open(m_pty->SlavePath(), nullptr), kErrorInvalidArg);
        QCOMPARE(other.Open(m_pty->SlavePath(), m_target.get(), 1234, 7), EBUSY);
        QVERIFY(!other.IsOpen());
    }

    void frameInThreeBurstsIsPostedOnceWhole()
    {
        quint64 wakeups = m_port->ListenerWakeups();
        for (const char *burst : {"[0C", "01"}) {
            m_pty->Send(burst);
            QTRY_VERIFY(m_port->ListenerWakeups() > wakeups);
            wakeups = m_port->ListenerWakeups();
            QCoreApplication::processEvents();
            QVERIFY(m_target->frames.isEmpty());
        }
        m_pty->Send("01]");
        QTRY_COMPARE(m_target->frames, QStringList{"0C0101"});
    }

    void noiseAndEmptyFramesFollowTheBracketRules()
    {
        m_pty->Send("garbage\r\n]x[01]yy[][ab[VE13.6.0]");
        const QStringList expected{"01", "", "VE13.6.0"};
        QTRY_COMPARE(m_target->frames, expected);
    }

    void overlongFrameIsDroppedAndNextFrameArrives()
    {
        m_pty->Send("[" + std::string(FrameCutter::kMaxFrameLength + 10, '7') + "][OK0C0101]");
        QTRY_COMPARE(m_target->frames, QStringList{"OK0C0101"});
    }

    void frameCarriesLocalReceptionTime()
    {
        m_pty->Send("[97]");
        QTRY_COMPARE(m_target->records.size(), size_t(1));
        const FrameTime &t = m_target->records.front().time;
        const QDate today = QDate::currentDate();
        QCOMPARE(int(t.year), today.year());
        QCOMPARE(int(t.month), today.month());
        QVERIFY(t.hour < 24 && t.minute < 60 && t.second < 61 && t.millisecond < 1000);
    }

    void writesAndReceptionRunTogether()
    {
        std::string flood;
        for (int i = 0; i < 200; ++i)
            flood += "[0C" + std::to_string(1000 + i) + "]";
        m_pty->Send(flood);
        for (int i = 0; i < 50; ++i)
            QCOMPARE(m_port->WriteString(" [9900FF]"), kSerialOk);
        QCOMPARE(m_pty->Receive(50 * 9).size(), size_t(50 * 9));
        QTRY_COMPARE(m_target->frames.size(), 200);
        QCOMPARE(m_target->frames.back(), QString("0C1199"));
    }

    void closeWhileListenerWaitsEndsItAndPostsNothingMore()
    {
        QCOMPARE(m_port->Close(), kSerialOk);
        QVERIFY(!m_port->IsListening());
        QVERIFY(!m_port->IsOpen());
        QCOMPARE(m_port->Target(), nullptr);
        QCOMPARE(m_port->Open(m_pty->SlavePath(), m_target.get()), kSerialOk);
        m_pty->Send("[back]");
        QTRY_COMPARE(m_target->frames, QStringList{"back"});
        QCOMPARE(m_target->lostEvents, 0);
    }

    void peerHangingUpPostsOneLostEventAndStopsListening()
    {
        m_pty->Send("[last]");
        QTRY_COMPARE(m_target->frames, QStringList{"last"});
        m_pty->HangUp();
        QTRY_COMPARE(m_target->lostEvents, 1);
        QCOMPARE(m_target->lostError, long(EIO));
        QTRY_VERIFY(!m_port->IsListening());
        // The thread has ended: its wake-up count is final and small, never a spin.
        const quint64 wakeups = m_port->ListenerWakeups();
        QVERIFY2(wakeups < 10, qPrintable(QString::number(wakeups)));
        QTest::qWait(50);
        QCOMPARE(m_port->ListenerWakeups(), wakeups);
        QCOMPARE(m_target->lostEvents, 1);
        QCOMPARE(m_port->Close(), kSerialOk);
    }

private:
    std::unique_ptr<PtyPair> m_pty;
    std::unique_ptr<FrameCollector> m_target;
    std::unique_ptr<CSerialMFC> m_port;
};

QTEST_GUILESS_MAIN(CSerialMFCTest)
#include "CSerialMFCTest.moc"
