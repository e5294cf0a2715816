// Renders every tool dialog in English and French, in a representative state, to PNG files in
// the directory given as first argument (the current directory by default): the pictures of the
// user documentation, and a check that each dialog lays itself out in both languages.
#include "CIDFilterConfig.h"
#include "CToolTimer.h"
#include "CZOKRadioFollowDlg.h"
#include "CZOKScanReceiversDlg.h"
#include "CZOKSerialCfgDlg.h"
#include "CZOKSettings.h"
#include "CZOKTagFollowDlg.h"
#include "FakeToolExchange.h"
#include "ZokText.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>

#include <cstdio>

namespace {

bool save(QWidget &dlg, const QString &directory, const QString &name)
{
    dlg.adjustSize();
    const QString path = QDir(directory).filePath(name);
    if (!dlg.grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

void prepare(CZOKToolDialog &dlg)
{
    dlg.setMessageHook([](QWidget *, const ToolMessage &) { return QMessageBox::Ok; });
    for (CToolTimer *timer : dlg.findChildren<CToolTimer *>())
        timer->setManual(true);
    dlg.show();
}

bool shootSettingsDialogs(const QString &directory, const QString &suffix)
{
    FakeToolExchange exchange;
    CZOKSettings settings;
    CZOKScanReceiversDlg scan(exchange, settings);
    prepare(scan);
    for (int address : {0x01, 0x03, 0x0A})
        exchange.scanAnswer(address);
    scan.findChild<QListWidget *>(QStringLiteral("1008"))->setCurrentRow(2);
    bool ok = save(scan, directory, QStringLiteral("receiver-scan-%1.png").arg(suffix));

    settings.SetPortName("/dev/ttyUSB0");
    CZOKSerialCfgDlg port(settings, [] {
        return std::vector<zok::SerialPortInfo>{
            {.path = "/dev/ttyS0"},
            {.path = "/dev/ttyUSB0",
             .manufacturer = "FTDI",
             .product = "FT232R USB UART",
             .serialNumber = "A50285BI",
             .vendorId = "0403",
             .productId = "6001",
             .byId = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0",
             .byPath = "/dev/serial/by-path/pci-0000:00:14.0-usb-0:2:1.0-port0"},
            {.path = "/dev/ttyUSB1",
             .product = "USB2.0-Serial",
             .vendorId = "1a86",
             .productId = "7523",
             .byId = "/dev/serial/by-id/usb-1a86_USB2.0-Serial-if00-port0",
             .byPath = "/dev/serial/by-path/pci-0000:00:14.0-usb-0:3:1.0-port0"}};
    });
    prepare(port);
    ok = save(port, directory, QStringLiteral("serial-port-%1.png").arg(suffix)) && ok;

    // A receiver line behind a device server, chosen among the recent network ports.
    settings.RememberNetworkPort("tcp://10.20.0.15:4001");
    settings.RememberNetworkPort("rfc2217://cabinet-3.plant.local:2001");
    settings.SetPortName("rfc2217://cabinet-3.plant.local:2001");
    CZOKSerialCfgDlg network(settings, [] {
        return std::vector<zok::SerialPortInfo>{{.path = "/dev/ttyS0"}, {.path = "/dev/ttyUSB0"}};
    });
    prepare(network);
    return save(network, directory, QStringLiteral("serial-port-network-%1.png").arg(suffix)) && ok;
}

bool shootLanguage(const QString &directory, const QString &suffix)
{
    FakeToolExchange exchange;
    CZOKTagFollowDlg tag(exchange);
    qint64 tagMs = QDateTime(QDate(2026, 2, 1), QTime(9, 0)).toMSecsSinceEpoch();
    tag.setClock([&tagMs] { return QDateTime::fromMSecsSinceEpoch(tagMs); });
    prepare(tag);
    tag.findChild<QLineEdit *>(QStringLiteral("1017"))->setText(QStringLiteral("12AB"));
    tag.scan();
    // Four tags over a minute: two often, one now and then, one heard early and gone since.
    for (int second = 0; second < 60; ++second, tagMs += 1000) {
        exchange.post(MonitorKind::TagTracking, QString::asprintf("%02X12AB05", 150 + second % 40));
        exchange.post(MonitorKind::TagTracking, QStringLiteral("A03F0105"));
        if (second % 7 == 0)
            exchange.post(MonitorKind::TagTracking, QStringLiteral("9C7E5D05"));
        if (second < 20)
            exchange.post(MonitorKind::TagTracking, QStringLiteral("C8ABCD05"));
        exchange.deliver(MonitorKind::TagTracking);
    }
    exchange.forward(MonitorKind::TagTracking, QStringLiteral("B412AB05"));
    bool ok = save(tag, directory, QStringLiteral("tag-tracking-%1.png").arg(suffix));

    QTemporaryDir logDir;
    CZOKRadioFollowDlg radio(exchange, logDir.path());
    qint64 ms = QDateTime(QDate(2026, 2, 1), QTime(9, 0)).toMSecsSinceEpoch();
    radio.setClock([&ms] { return QDateTime::fromMSecsSinceEpoch(ms); });
    prepare(radio);
    radio.findChild<QCheckBox *>(QStringLiteral("1282"))->setChecked(true);
    radio.start();
    // A tag carried away from the antenna and back over 90 seconds, read every 500 ms.
    for (int i = 0; i < 180; ++i, ms += 500) {
        const int level = 200 - (i < 90 ? i : 180 - i) + (i * 7) % 11;
        exchange.forward(MonitorKind::RadioScan, QString::asprintf("97%02X05", unsigned(level)));
    }
    radio.stop();
    ok = save(radio, directory, QStringLiteral("radio-scan-%1.png").arg(suffix)) && ok;
    radio.setClock([] { return QDateTime::currentDateTime(); });

    CIDFilterConfig filter(exchange);
    prepare(filter);
    filter.handleFrame(QStringLiteral("100205"));
    filter.read();
    for (const char *answer : {"A01205", "A13405", "A25605", "A3AB05", "A4CD05", "A5EF05", "A60105"})
        filter.handleFrame(QString::fromLatin1(answer));
    ok = save(filter, directory, QStringLiteral("id-filter-%1.png").arg(suffix)) && ok;
    return shootSettingsDialogs(directory, suffix) && ok;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString directory = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    zok::SelectLanguage(zok::Language::English);
    bool ok = shootLanguage(directory, QStringLiteral("en"));
    zok::SelectLanguage(zok::Language::French);
    ok = shootLanguage(directory, QStringLiteral("fr")) && ok;
    return ok ? 0 : 1;
}
