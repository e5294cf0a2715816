#include "CZOKSerialCfgDlg.h"
#include "CZOKSettings.h"
#include "PortProblemText.h"
#include "ZokText.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class SerialCfgDlgTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<CZOKSettings> m_settings;

    QString iniPath() const { return m_dir.filePath(QStringLiteral("ZOK.ini")); }
    QByteArray ini()
    {
        QFile file(iniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    std::unique_ptr<CZOKSerialCfgDlg> open(const QString &saved, const QStringList &ports)
    {
        m_settings->SetPortName(saved.toStdString());
        m_settings->Save();
        auto dlg = std::make_unique<CZOKSerialCfgDlg>(*m_settings, [ports] { return ports; });
        dlg->show();
        return dlg;
    }
    static QStringList entries(CZOKSerialCfgDlg &dlg)
    {
        auto *combo = dlg.findChild<QComboBox *>(QStringLiteral("1000"));
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
        return texts;
    }
    static QComboBox *combo(CZOKSerialCfgDlg &dlg)
    {
        return dlg.findChild<QComboBox *>(QStringLiteral("1000"));
    }
    static void click(CZOKSerialCfgDlg &dlg, const char *id)
    {
        QTest::mouseClick(dlg.findChild<QPushButton *>(QString::fromLatin1(id)), Qt::LeftButton);
    }

private slots:
    void init()
    {
        QFile::remove(iniPath());
        m_settings = std::make_unique<CZOKSettings>();
        QVERIFY(m_settings->Load(iniPath().toStdString()));
    }

    void portsSortedAsTextWithTheSavedOneSelected()
    {
        auto dlg = open(QStringLiteral("COM3"), {"COM3", "COM1", "COM10"});
        QCOMPARE(entries(*dlg), (QStringList{"COM1", "COM10", "COM3"}));
        QCOMPARE(combo(*dlg)->currentText(), QStringLiteral("COM3"));
    }

    void onlyAnExactMatchIsSelected_data()
    {
        QTest::addColumn<QString>("saved");
        QTest::newRow("prefix") << "COM1";
        QTest::newRow("other device") << "COM2";
        QTest::newRow("empty") << "";
    }
    void onlyAnExactMatchIsSelected()
    {
        QFETCH(QString, saved);
        auto dlg = open(saved, {"COM10"});
        QCOMPARE(combo(*dlg)->currentIndex(), -1);
        click(*dlg, "1"); // OK without a choice keeps the saved name
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        QCOMPARE(QString::fromStdString(m_settings->PortName()), saved);
    }

    // The list holds device paths; the saved name is found by the device it opens, and OK on that
    // preselected entry keeps the name as it was saved.
    void savedPortIsPreselectedByItsDevice_data()
    {
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QString>("selected");
        QTest::newRow("COM1") << "COM1"
                              << "/dev/ttyS0";
        QTest::newRow("com10") << "com10"
                               << "/dev/ttyS9";
        QTest::newRow("ttyUSB0") << "ttyUSB0"
                                 << "/dev/ttyUSB0";
        QTest::newRow("path") << "/dev/ttyUSB1"
                              << "/dev/ttyUSB1";
    }
    void savedPortIsPreselectedByItsDevice()
    {
        QFETCH(QString, saved);
        QFETCH(QString, selected);
        auto dlg = open(saved, {"/dev/ttyUSB1", "/dev/ttyS9", "/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyS1"});
        QCOMPARE(combo(*dlg)->currentText(), selected);
        click(*dlg, "1");
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        QCOMPARE(QString::fromStdString(m_settings->PortName()), saved);
        QVERIFY(ini().contains(("SERIAL_PORT=" + saved + "\r\n").toLatin1()));
    }

    void anotherEntryReplacesTheSavedName()
    {
        auto dlg = open(QStringLiteral("COM1"), {"/dev/ttyS0", "/dev/ttyUSB0"});
        combo(*dlg)->setCurrentText(QStringLiteral("/dev/ttyUSB0"));
        click(*dlg, "1");
        QCOMPARE(m_settings->PortName(), std::string("/dev/ttyUSB0"));
        QVERIFY(ini().contains("SERIAL_PORT=/dev/ttyUSB0\r\n"));
    }

    void okStoresAndSavesTheChoice()
    {
        auto dlg = open(QStringLiteral("COM1"), {"COM1", "COM3", "COM10"});
        combo(*dlg)->setCurrentText(QStringLiteral("COM10"));
        click(*dlg, "1");
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        QCOMPARE(m_settings->PortName(), std::string("COM10"));
        QVERIFY(ini().contains("SERIAL_PORT=COM10"));
    }

    void cancelChangesNothing()
    {
        auto dlg = open(QStringLiteral("COM1"), {"COM1", "COM10"});
        combo(*dlg)->setCurrentText(QStringLiteral("COM10"));
        click(*dlg, "2");
        QCOMPARE(dlg->result(), int(QDialog::Rejected));
        QCOMPARE(m_settings->PortName(), std::string("COM1"));
        QVERIFY(ini().contains("SERIAL_PORT=COM1\r\n"));
    }

    void noPortsGivesAnEmptyList()
    {
        auto dlg = open(QStringLiteral("COM1"), {});
        QVERIFY(entries(*dlg).isEmpty());
        click(*dlg, "1");
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        QCOMPARE(m_settings->PortName(), std::string("COM1"));
    }

    // Ports as the system describes them: the details of the selected one under the list, all
    // of them in its entry's tool tip, and OK keeps the name that finds the adapter again.
    void describedPortsKeepTheirStableName_data()
    {
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("description");
        const QString ftdiId = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0";
        const QString ftdi = "FTDI FT232R USB UART (0403:6001)";
        QTest::newRow("serial number: by-id") << "COM1"
                                              << "/dev/ttyUSB0" << ftdiId << ftdi;
        QTest::newRow("none: by-path") << "COM1"
                                       << "/dev/ttyUSB1"
                                       << "/dev/serial/by-path/usb-0_3"
                                       << "USB2.0-Serial (1a86:7523)";
        QTest::newRow("saved device path") << "/dev/ttyUSB0"
                                           << "" << ftdiId << ftdi;
        QTest::newRow("saved by-path kept") << "/dev/serial/by-path/usb-0_2"
                                            << ""
                                            << "/dev/serial/by-path/usb-0_2" << ftdi;
    }
    void describedPortsKeepTheirStableName()
    {
        QFETCH(QString, saved);
        QFETCH(QString, chosen);
        QFETCH(QString, stored);
        QFETCH(QString, description);
        m_settings->SetPortName(saved.toStdString());
        const std::vector<zok::SerialPortInfo> ports = {
            {.path = "/dev/ttyUSB1",
             .product = "USB2.0-Serial",
             .vendorId = "1a86",
             .productId = "7523",
             .byId = "/dev/serial/by-id/usb-1a86_USB2.0-Serial-if00-port0",
             .byPath = "/dev/serial/by-path/usb-0_3"},
            {.path = "/dev/ttyUSB0",
             .manufacturer = "FTDI",
             .product = "FT232R USB UART",
             .serialNumber = "A50285BI",
             .vendorId = "0403",
             .productId = "6001",
             .byId = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0",
             .byPath = "/dev/serial/by-path/usb-0_2"},
            {.path = "/dev/ttyS0"}};
        CZOKSerialCfgDlg dlg(*m_settings, [ports] { return ports; });
        dlg.show();
        if (!chosen.isEmpty())
            combo(dlg)->setCurrentText(chosen);
        QCOMPARE(combo(dlg)->currentText(), chosen.isEmpty() ? QStringLiteral("/dev/ttyUSB0") : chosen);
        const QString details = dlg.findChild<QLabel *>(QStringLiteral("details"))->text();
        const QString tip = combo(dlg)->itemData(combo(dlg)->currentIndex(), Qt::ToolTipRole).toString();
        QVERIFY2(details.startsWith(description) && details.endsWith(stored), qPrintable(details));
        QVERIFY2(tip.startsWith(description), qPrintable(tip));
        click(dlg, "1");
        QCOMPARE(QString::fromStdString(m_settings->PortName()), stored);
    }

    // Network ports chosen before follow the local ones, the latest first; a typed one is stored
    // as typed and joins them, in ZOK.ini.
    void networkPortsFollowTheLocalOnesAndAreRemembered()
    {
        m_settings->RememberNetworkPort("tcp://10.0.0.7:2001");
        m_settings->RememberNetworkPort("rfc2217://cabinet-3:4001");
        auto dlg = open(QStringLiteral("COM3"), {"COM3", "COM1"});
        QCOMPARE(entries(*dlg),
                 (QStringList{"COM1", "COM3", "rfc2217://cabinet-3:4001", "tcp://10.0.0.7:2001"}));
        const QString typed = QStringLiteral("rfc2217://[fe80::1]:4001");
        combo(*dlg)->setEditText(typed);
        const QString details = dlg->findChild<QLabel *>(QStringLiteral("details"))->text();
        QCOMPARE(details, zok::Text(521).replace(QLatin1String("%s"), QStringLiteral("[fe80::1]:4001")));
        click(*dlg, "1");
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        QCOMPARE(QString::fromStdString(m_settings->PortName()), typed);
        QVERIFY(ini().contains("SERIAL_PORT=rfc2217://[fe80::1]:4001\r\n"));
        QVERIFY(ini().contains("RECENT_NETWORK_PORTS=rfc2217://[fe80::1]:4001,rfc2217://cabinet-3:4001,tcp://"
                               "10.0.0.7:2001\r\n"));

        CZOKSettings reloaded;
        QVERIFY(reloaded.Load(iniPath().toStdString()));
        CZOKSerialCfgDlg again(reloaded, [] { return QStringList{"COM1"}; });
        again.show();
        QCOMPARE(combo(again)->currentText(), typed);
        QCOMPARE(combo(again)->count(), 4);
    }

    void malformedNetworkNameIsRefusedWithItsReason()
    {
        auto dlg = open(QStringLiteral("COM1"), {"COM1"});
        QStringList shown;
        dlg->setMessageHook([&](QWidget *, const ToolMessage &message) {
            shown << message.text;
            return QMessageBox::Ok;
        });
        const QString typed = QStringLiteral("tcp://cabinet-3");
        combo(*dlg)->setEditText(typed);
        QCOMPARE(dlg->findChild<QLabel *>(QStringLiteral("details"))->text(),
                 zok::PortNameProblemText(typed));
        click(*dlg, "1");
        QCOMPARE(shown, QStringList{zok::PortNameProblemText(typed)});
        QVERIFY(shown.front().contains(zok::Text(503)));
        QVERIFY(dlg->isVisible());
        QCOMPARE(m_settings->PortName(), std::string("COM1"));
        QVERIFY(m_settings->RecentNetworkPorts().empty());
    }

    void systemPortsAreDevicePaths()
    {
        for (const QString &port : CZOKSerialCfgDlg::SystemPorts())
            QVERIFY2(port.startsWith(u'/'), qPrintable(port));
    }
};

QTEST_MAIN(SerialCfgDlgTest)
#include "SerialCfgDlgTest.moc"
