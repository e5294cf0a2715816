// The five tool commands run from the main window's menu against the receiver simulator: how the
// exchange stands before, during and after each dialog, and what each leaves in the window.
#include "CColorListBox.h"
#include "CToolTimer.h"
#include "CZOKDlg.h"
#include "CZOKSettings.h"
#include "Simulator.h"
#include "WindowFixture.h"
#include "ZokText.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <initializer_list>

namespace {

constexpr int kWaitMs = 15000; // generous: only a broken exchange ever waits this long
const QString kMissingPort = QStringLiteral("/dev/zok-test-no-such-port");

// A line with receivers at `addresses`.
zok::sim::SimulatorConfig Line(std::initializer_list<std::uint8_t> addresses)
{
    zok::sim::SimulatorConfig config;
    config.receivers.clear();
    for (const std::uint8_t address : addresses) {
        config.receivers.emplace_back();
        config.receivers.back().address = address;
    }
    return config;
}

// What the main window had done when the next tool dialog was about to open, and while it ran.
struct ToolRun
{
    bool ran = false;
    ExchangeState stateBefore = ExchangeState::Reading;
    bool timerStoppedBefore = false;
    ExchangeState stateWhileOpen = ExchangeState::Reading;
};

// Replaces the modal run of the next dialog: records the exchange around it, shows the dialog
// with hand-driven timers, lets `body` act in it, and ends it if `body` did not.
void RunNextDialog(WindowFixture &f, ToolRun &run, std::function<void(QDialog &)> body)
{
    f.window->SetModalHook([&f, &run, body = std::move(body)](QDialog &dialog) {
        run.ran = true;
        run.stateBefore = f.window->State();
        run.timerStoppedBefore = f.window->Exchange().Session().TimerWindowKilled;
        for (CToolTimer *timer : dialog.findChildren<CToolTimer *>())
            timer->setManual(true);
        dialog.show();
        run.stateWhileOpen = f.window->State();
        body(dialog);
        if (dialog.isVisible())
            dialog.done(QDialog::Accepted);
        return dialog.result();
    });
}

} // namespace

class MainWindowToolsTest : public QObject
{
    Q_OBJECT

private slots:
    void monitoringCommandsEndInIdleWithoutRegistration_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("kindNumber");
        QTest::addColumn<int>("stateNumber");
        QTest::newRow("tag tracking") << int(CZOKDlg::ID_TAG_TRACKING) << int(MonitorKind::TagTracking)
                                      << int(ExchangeState::TagTracking);
        QTest::newRow("radio scan") << int(CZOKDlg::ID_RADIO_SCAN) << int(MonitorKind::RadioScan)
                                    << int(ExchangeState::RadioScan);
        QTest::newRow("ID filter") << int(CZOKDlg::ID_ID_FILTER) << int(MonitorKind::IdFilter)
                                   << int(ExchangeState::IdFilter);
    }
    void monitoringCommandsEndInIdleWithoutRegistration()
    {
        QFETCH(int, command);
        QFETCH(int, kindNumber);
        QFETCH(int, stateNumber);
        const auto kind = static_cast<MonitorKind>(kindNumber);
        const auto state = static_cast<ExchangeState>(stateNumber);
        zok::sim::Simulator sim(Line({0x01}));
        WindowFixture f(QString::fromStdString(sim.start()), true, 0x01);
        QVERIFY(f.window->SerialPort().IsOpen());
        ToolRun run;
        bool registered = false;
        RunNextDialog(f, run,
                      [&](QDialog &dialog) { registered = f.window->Exchange().Monitor(kind) == &dialog; });
        f.window->CommandAction(command)->trigger();
        QVERIFY(run.ran);
        QCOMPARE(run.stateWhileOpen, state);
        QVERIFY(registered);
        QCOMPARE(f.window->State(), ExchangeState::Idle);
        QCOMPARE(f.window->Exchange().Monitor(kind), nullptr);
    }

    void selectReceiverStopsTheExchangeAndShowsTheChoice()
    {
        zok::sim::Simulator sim(Line({0x01, 0x07}));
        WindowFixture f(QString::fromStdString(sim.start()), true, 0x01);
        QVERIFY(f.Show()); // the status panes follow a visible window only
        QTest::mouseClick(f.window->ReadButton(), Qt::LeftButton); // a read is running
        QCOMPARE(f.window->State(), ExchangeState::Reading);
        ToolRun run;
        bool registered = false;
        RunNextDialog(f, run, [&](QDialog &dialog) {
            registered = f.window->Exchange().Monitor(MonitorKind::ReceiverScan) == &dialog;
            auto *list = dialog.findChild<QListWidget *>(QStringLiteral("1008"));
            QTRY_COMPARE_WITH_TIMEOUT(list->count(), 2, kWaitMs);
            list->setCurrentRow(1);
            QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("1010")), Qt::LeftButton);
        });
        f.window->CommandAction(CZOKDlg::ID_SELECT_RECEIVER)->trigger();
        QVERIFY(run.ran);
        QCOMPARE(run.stateBefore, ExchangeState::Idle);
        QVERIFY(run.timerStoppedBefore);
        QCOMPARE(run.stateWhileOpen, ExchangeState::ReceiverScan);
        QVERIFY(registered);
        QCOMPARE(f.window->State(), ExchangeState::Idle);
        QCOMPARE(f.window->Exchange().Monitor(MonitorKind::ReceiverScan), nullptr);
        QCOMPARE(f.settings->ReceiverAddress(), 0x07);
        QCOMPARE(f.Pane(4), QStringLiteral("Receiver 07"));
    }

    // The port saved as "pts/N" is listed as "/dev/pts/N": preselected, kept as saved, and reopened
    // with its lines after OK; Cancel leaves the port alone.
    void portDialogReopensThePortAfterOkOnly()
    {
        zok::sim::Simulator sim(Line({0x01}));
        const QString device = QString::fromStdString(sim.start());
        QVERIFY(device.startsWith(QStringLiteral("/dev/")));
        const QString saved = device.mid(5);
        WindowFixture f(saved, true, 0x01);
        QVERIFY(f.window->SerialPort().IsOpen());
        f.window->SetPortListSource([device] { return QStringList{"/dev/ttyS0", device}; });
        QString preselected;
        ToolRun run;
        RunNextDialog(f, run, [&](QDialog &dialog) {
            preselected = dialog.findChild<QComboBox *>(QStringLiteral("1000"))->currentText();
            QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("2")), Qt::LeftButton);
        });
        const QStringList before = f.MessageLines();
        f.window->CommandAction(CZOKDlg::ID_SERIAL_PORT)->trigger();
        QCOMPARE(preselected, device);
        QCOMPARE(f.MessageLines(), before);
        QVERIFY(f.window->SerialPort().IsOpen());

        RunNextDialog(f, run, [&](QDialog &dialog) {
            QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("1")), Qt::LeftButton);
        });
        f.window->CommandAction(CZOKDlg::ID_SERIAL_PORT)->trigger();
        QCOMPARE(f.MessageLines().mid(before.size()),
                 (QStringList{zok::Text(136), QString(zok::Text(139)).replace(QStringLiteral("%s"), saved)}));
        QVERIFY(f.window->SerialPort().IsOpen());
        QCOMPARE(QString::fromStdString(f.settings->PortName()), saved);
        QCOMPARE(f.window->State(), ExchangeState::Idle);
    }

    // A closed port takes the tools' commands silently: no line per poll or per sending; the ID
    // filter still ends with its own message.
    void closedPortToolsAddNoLinePerCommand()
    {
        WindowFixture f(kMissingPort);
        QVERIFY(!f.window->SerialPort().IsOpen());
        QStringList boxes;
        f.window->SetMessageBoxHook([&](const CDialogEx::MessageBoxRequest &request) {
            boxes << request.text;
            return QMessageBox::Ok;
        });
        const QStringList before = f.MessageLines();
        ToolRun run;
        RunNextDialog(f, run, [](QDialog &dialog) {
            for (int tick = 0; tick < 3; ++tick)
                dialog.findChild<CToolTimer *>(QStringLiteral("2"))->fire();
        });
        f.window->CommandAction(CZOKDlg::ID_RADIO_SCAN)->trigger();
        QVERIFY(run.ran);
        QCOMPARE(run.stateWhileOpen, ExchangeState::Idle);
        QCOMPARE(f.MessageLines(), before);

        RunNextDialog(f, run, [](QDialog &dialog) {
            for (int tick = 0; tick < 3; ++tick)
                dialog.findChild<CToolTimer *>(QStringLiteral("1"))->fire();
        });
        f.window->CommandAction(CZOKDlg::ID_ID_FILTER)->trigger();
        QCOMPARE(boxes, QStringList{zok::Text(183)});
        QCOMPARE(f.MessageLines(), before);
        QCOMPARE(f.window->State(), ExchangeState::Idle);
    }
};

QTEST_MAIN(MainWindowToolsTest)
#include "MainWindowToolsTest.moc"
