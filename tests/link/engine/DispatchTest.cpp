// Where received frames go: the traffic list always, then the sequence or tool dialog that the
// exchange state names.
#include "EngineHarness.h"

#include "LineText.h"

#include <chrono>
#include <thread>

namespace {

// Stands in for a tool dialog: records the events the engine posts to it.
class MonitorRecorder : public QObject
{
public:
    bool event(QEvent *event) override
    {
        if (event->type() == WM_SCAN_ADDRESS) {
            addresses.push_back(static_cast<ScanAddressEvent *>(event)->address());
            return true;
        }
        if (event->type() >= WM_TAG_FRAME && event->type() <= WM_FILTER_FRAME) {
            const auto *frame = static_cast<ForwardedFrameEvent *>(event);
            frames.push_back({event->type(), frame->text()});
            EXPECT_TRUE(frame->received().isValid());
            return true;
        }
        return QObject::event(event);
    }

    std::vector<int> addresses;
    std::vector<std::pair<QEvent::Type, QString>> frames;
};

using DispatchTest = EngineHarness;

TEST_F(DispatchTest, EmptyFramesAndFramesNobodyAwaitsAreOnlyLogged)
{
    Start();
    const auto messagesBefore = view.messages.size();
    sim->sendRaw("noise[][0B0501]echo[OK0CFE01][VE v1.2.3][]");
    ASSERT_TRUE(WaitForTraffic("[VE v1.2.3]"));
    EXPECT_EQ(view.TrafficIn(LineColour::Blue), (QStringList{"[0B0501]", "[OK0CFE01]", "[VE v1.2.3]"}));
    EXPECT_EQ(view.messages.size(), messagesBefore);
    EXPECT_EQ(engine->State(), ExchangeState::Idle);
    EXPECT_EQ(model.Value(ParameterId::RX_SENSIBILITY), 254);
    EXPECT_TRUE(view.firmware.isEmpty());
}

TEST_F(DispatchTest, FormatDirectivesInAFrameAreLoggedVerbatim)
{
    Start();
    sim->sendRaw("[%s%n%s]");
    ASSERT_TRUE(WaitForTraffic("[%s%n%s]"));
    engine->ReadParameters(); // and once more while a read dispatches it
    sim->sendRaw("[%s%n%s%x%p]");
    // The raw frame and the receiver's answers share the line in either order.
    EXPECT_TRUE(WaitForTraffic("[%s%n%s%x%p]"));
    EXPECT_TRUE(WaitForMessage(kTextReadOk));
}

TEST_F(DispatchTest, ScanAnswersReachTheScanDialogAsAddresses)
{
    zok::sim::SimulatorConfig config;
    config.receivers.resize(2);
    config.receivers[1].address = 0x2A;
    Start(config);
    MonitorRecorder dialog;
    engine->RegisterMonitor(MonitorKind::ReceiverScan, &dialog);
    engine->StartReceiverScan();
    EXPECT_EQ(engine->State(), ExchangeState::ReceiverScan);
    sim->sendRaw("[0B0503][0100077][0100aa]");
    ASSERT_TRUE(WaitFor([&] { return dialog.addresses.size() >= 2; }));
    ASSERT_TRUE(WaitForTraffic("[0100aa]"));
    QCoreApplication::processEvents();
    std::sort(dialog.addresses.begin(), dialog.addresses.end());
    EXPECT_EQ(dialog.addresses, (std::vector<int>{0x01, 0x2A}));
    EXPECT_EQ(view.TrafficIn(LineColour::Orange), QStringList{"[010000]"});
}

TEST_F(DispatchTest, MonitoringStatesForwardEveryFrameToTheirDialogOnly)
{
    Start();
    MonitorRecorder tags;
    MonitorRecorder radio;
    engine->RegisterMonitor(MonitorKind::TagTracking, &tags);
    engine->RegisterMonitor(MonitorKind::RadioScan, &radio);
    engine->EnterTagTracking();
    sim->sendRaw("[A01234501][A01234501]");
    ASSERT_TRUE(WaitFor([&] { return tags.frames.size() == 2; }));
    engine->EnterRadioScan();
    sim->sendRaw("[97B001]");
    ASSERT_TRUE(WaitFor([&] { return radio.frames.size() == 1; }));
    EXPECT_EQ(radio.frames[0], std::make_pair(WM_RADIO_FRAME, QStringLiteral("97B001")));
    EXPECT_EQ(tags.frames.size(), 2u);
    EXPECT_EQ(tags.frames[0].first, WM_TAG_FRAME);

    engine->EndMonitoring();
    EXPECT_EQ(engine->State(), ExchangeState::Idle);
    sim->sendRaw("[97B101]");
    ASSERT_TRUE(WaitForTraffic("[97B101]"));
    QCoreApplication::processEvents();
    EXPECT_EQ(radio.frames.size(), 1u);
}

TEST_F(DispatchTest, ToolStatesNeedAnOpenPort)
{
    Start();
    engine->PortCheckBoxClicked(false);
    engine->EnterTagTracking();
    engine->EnterRadioScan();
    engine->EnterIdFilter();
    engine->StartReceiverScan();
    EXPECT_EQ(engine->State(), ExchangeState::Idle);
    EXPECT_TRUE(view.TrafficTexts().isEmpty());
}

TEST_F(DispatchTest, ClosedPortSendsSilentlyAndTheReadStillEndsByItsTimeout)
{
    Start({}, 0x01, ShortTimeouts());
    engine->PortCheckBoxClicked(false);
    engine->ReadParameters();
    EXPECT_EQ(engine->State(), ExchangeState::Reading);
    for (int poll = 0; poll < 3; ++poll)
        engine->SendCommand(" [970001]");
    ASSERT_TRUE(WaitForMessage(kTextReadError));
    EXPECT_EQ(view.MessagesIn(LineColour::Red),
              (QStringList{zok::Text(kTextReadError), zok::Text(kTextCheckLink)}));
}

TEST_F(DispatchTest, FailedWriteOnAnOpenPortIsShown)
{
    Start();
    sim->stop(); // the line hangs up; the port stays open until its loss is handled
    ASSERT_TRUE(engine->IsPortOpen());
    engine->SendCommand(" [970001]");
    const QStringList red = view.MessagesIn(LineColour::Red);
    ASSERT_EQ(red.size(), 1);
    EXPECT_TRUE(red.front().startsWith("Write Error: ")) << red.front().toStdString();
}

TEST_F(DispatchTest, CheckBoxOpensAndClosesThePortWithItsLines)
{
    Start();
    engine->PortCheckBoxClicked(true);
    engine->PortCheckBoxClicked(false);
    engine->PortCheckBoxClicked(false);
    engine->PortCheckBoxClicked(true);
    const QString port = settings.portName;
    EXPECT_EQ(view.MessagesIn(LineColour::Green),
              (QStringList{FillText(139, {port}), zok::Text(190), zok::Text(136), zok::Text(191),
                           FillText(139, {port})}));
    EXPECT_TRUE(engine->IsPortOpen());
    EXPECT_TRUE(view.readEnabled && view.writeEnabled && view.portChecked);
}

TEST_F(DispatchTest, VanishedPortIsClosedAndReported)
{
    Start();
    sim->stop(); // the pseudo-terminal goes away under the open port
    ASSERT_TRUE(WaitFor([&] { return !engine->IsPortOpen(); }));
    EXPECT_FALSE(view.readEnabled || view.writeEnabled || view.portChecked);
    EXPECT_EQ(view.lostPorts, QStringList{settings.portName});
}

// Seen while building the chaos run: the hang-up of a port already closed and replaced by another
// one (the user reopened quickly, before its lost event was handled) closed the new port.
TEST_F(DispatchTest, LossOfAReplacedPortLeavesTheNewPortOpen)
{
    Start();
    zok::sim::Simulator second;
    const QString secondPort = QString::fromStdString(second.start());
    sim->stop();
    // The listener of the old port reports the hang-up; the user reopens before it is handled.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    settings.portName = secondPort;
    ASSERT_TRUE(engine->OpenSerialPort(true));
    QTest::qWait(300);
    EXPECT_TRUE(engine->IsPortOpen());
    EXPECT_TRUE(view.lostPorts.isEmpty());
    engine->ReadParameters();
    EXPECT_TRUE(WaitForMessage(kTextReadOk));
}

} // namespace
