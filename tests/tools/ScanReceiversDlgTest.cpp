#include "CZOKScanReceiversDlg.h"
#include "CZOKSettings.h"
#include "FakeToolExchange.h"
#include "ZokText.h"

#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class ScanReceiversDlgTest : public QObject
{
    Q_OBJECT

    FakeToolExchange m_exchange;
    MessageRecorder m_messages;
    QTemporaryDir m_dir;
    std::unique_ptr<CZOKSettings> m_settings;
    std::unique_ptr<CZOKScanReceiversDlg> m_dlg;

    QString iniPath() const { return m_dir.filePath(QStringLiteral("ZOK.ini")); }
    QListWidget *list() { return m_dlg->findChild<QListWidget *>(QStringLiteral("1008")); }
    QStringList lines()
    {
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i)
            texts << list()->item(i)->text();
        return texts;
    }
    void click(const char *id)
    {
        QTest::mouseClick(m_dlg->findChild<QPushButton *>(QString::fromLatin1(id)), Qt::LeftButton);
    }

private slots:
    void init()
    {
        QFile::remove(iniPath());
        m_exchange = FakeToolExchange{};
        m_messages = MessageRecorder{};
        m_settings = std::make_unique<CZOKSettings>();
        QVERIFY(m_settings->Load(iniPath().toStdString()));
        m_settings->SetReceiverAddress(0x05);
        m_dlg = std::make_unique<CZOKScanReceiversDlg>(m_exchange, *m_settings);
        m_dlg->setMessageHook(m_messages.hook());
        m_dlg->show();
    }
    void cleanup()
    {
        m_dlg.reset();
        m_settings.reset();
    }

    void openingRegistersAndBroadcasts()
    {
        QCOMPARE(m_exchange.state, FakeToolExchange::State::ReceiverScan);
        QCOMPARE(m_exchange.monitors[MonitorKind::ReceiverScan].data(), m_dlg.get());
        QVERIFY(lines().isEmpty());
    }

    void addressesAreListedSortedAndOnce()
    {
        for (int address : {0x03, 0x01, 0x0A, 0x03, -1, 256, 0xFF, 0x00})
            m_exchange.scanAnswer(address);
        QCOMPARE(lines(), (QStringList{"00", "01", "03", "0A", "FF"}));
        list()->setCurrentRow(1);
        m_exchange.scanAnswer(0x02); // a late answer is still added, the selection stays
        QCOMPARE(lines(), (QStringList{"00", "01", "02", "03", "0A", "FF"}));
        QCOMPARE(list()->currentItem()->text(), QStringLiteral("01"));
    }

    void selectWithoutALineAsksForOne()
    {
        m_exchange.scanAnswer(0x01);
        click("1010");
        QCOMPARE(m_messages.texts, QStringList{zok::Text(150)});
        QCOMPARE(m_messages.icons.front(), QMessageBox::Critical);
        QVERIFY(m_dlg->isVisible());
        QCOMPARE(m_settings->ReceiverAddress(), 0x05);
    }

    void selectStoresAndSavesTheAddress()
    {
        for (int address : {0x03, 0x01, 0x0A})
            m_exchange.scanAnswer(address);
        list()->setCurrentRow(2);
        click("1010");
        QVERIFY(!m_dlg->isVisible());
        QCOMPARE(m_dlg->result(), 1);
        QCOMPARE(m_settings->ReceiverAddress(), 0x0A);
        QFile file(iniPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("RECEIVER_ID=0A"));
    }

    void closeEndsWithoutChoosing()
    {
        m_exchange.scanAnswer(0x01);
        list()->setCurrentRow(0);
        click("1011");
        QCOMPARE(m_dlg->result(), 1);
        QCOMPARE(m_settings->ReceiverAddress(), 0x05);
    }

    // Enter ends the dialog without choosing, wherever the focus is; Escape ends it too.
    void enterAndEscapeEndWithoutChoosing_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::newRow("Enter on the list") << "1008" << int(Qt::Key_Return) << 1;
        QTest::newRow("keypad Enter on the list") << "1008" << int(Qt::Key_Enter) << 1;
        QTest::newRow("Enter on Select") << "1010" << int(Qt::Key_Return) << 1;
        QTest::newRow("Escape on the list") << "1008" << int(Qt::Key_Escape) << int(QDialog::Rejected);
    }
    void enterAndEscapeEndWithoutChoosing()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(int, result);
        QVERIFY(QTest::qWaitForWindowExposed(m_dlg.get()));
        m_exchange.scanAnswer(0x0A);
        list()->setCurrentRow(0);
        auto *target = m_dlg->findChild<QWidget *>(focus);
        target->setFocus();
        const Qt::KeyboardModifiers modifiers = key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
        QTest::keyClick(target, Qt::Key(key), modifiers);
        QVERIFY(!m_dlg->isVisible());
        QCOMPARE(m_dlg->result(), result);
        QVERIFY(m_messages.texts.isEmpty());
        QCOMPARE(m_settings->ReceiverAddress(), 0x05);
        QFile file(iniPath());
        QVERIFY(!file.open(QIODevice::ReadOnly) || !file.readAll().contains("RECEIVER_ID=0A"));
    }

    void closedPortScansNothing()
    {
        FakeToolExchange closed;
        closed.portOpen = false;
        CZOKScanReceiversDlg dlg(closed, *m_settings);
        dlg.show();
        QCOMPARE(closed.state, FakeToolExchange::State::Idle);
    }
};

QTEST_MAIN(ScanReceiversDlgTest)
#include "ScanReceiversDlgTest.moc"
