// Feeds arbitrary frame texts to the frame handlers of the tool dialogs, as the engine forwards
// them. The first byte picks the dialog and the receiver address; the rest is the frame text (for
// the receiver scan, an address in hexadecimal, of any size).
#include "CIDFilterConfig.h"
#include "CToolTimer.h"
#include "CZOKRadioFollowDlg.h"
#include "CZOKScanReceiversDlg.h"
#include "CZOKSettings.h"
#include "CZOKTagFollowDlg.h"
#include "FakeToolExchange.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

struct Dialogs
{
    Dialogs()
    {
        for (CZOKToolDialog *dlg : std::initializer_list<CZOKToolDialog *>{&scan, &tag, &radio, &filter}) {
            dlg->setMessageHook([](QWidget *, const ToolMessage &) { return QMessageBox::Ok; });
            for (CToolTimer *timer : dlg->findChildren<CToolTimer *>())
                timer->setManual(true);
            dlg->show();
        }
        tag.findChild<QLineEdit *>(QStringLiteral("1017"))->setText(QStringLiteral("12AB"));
        tag.scan();
        radio.start();
    }

    FakeToolExchange exchange;
    CZOKSettings settings;
    QTemporaryDir directory;
    CZOKScanReceiversDlg scan{exchange, settings};
    CZOKTagFollowDlg tag{exchange};
    CZOKRadioFollowDlg radio{exchange, directory.path()};
    CIDFilterConfig filter{exchange};
};

Dialogs &dialogs()
{
    static int argc = 1;
    static char name[] = "zok_tools_fuzz";
    static char *argv[] = {name, nullptr};
    // The fuzz runner gives no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    static Dialogs instance;
    return instance;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    Dialogs &d = dialogs();
    const uint8_t selector = data[0];
    d.exchange.address = (selector & 0x04) ? 0x05 : 0x00;
    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    switch (selector & 0x03) {
    case 0:
        d.exchange.forward(MonitorKind::TagTracking, text);
        break;
    case 1:
        d.exchange.forward(MonitorKind::RadioScan, text);
        break;
    case 2:
        d.exchange.forward(MonitorKind::IdFilter, text);
        break;
    default:
        d.exchange.forward(MonitorKind::ReceiverScan, text);
        break;
    }
    if (selector & 0x08)
        d.filter.findChild<CToolTimer *>(QStringLiteral("1"))->fire();
    d.exchange.commands.clear();
    return 0;
}
