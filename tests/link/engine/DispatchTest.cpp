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

// A read that has every answer but the required one of code 10, which the receiver does not
// support: the test sends it.
void StartReadAwaitingOneAnswer(zok::sim::Simulator &sim, CZOKExchange &engine, const RecordingView &view)
{
    engine.ReadParameters();
    ASSERT_TRUE(sim.waitForCommands(1, std::chrono::seconds(15)));
    const std::vector<std::string> answers = sim.commands().front().answers;
    ASSERT_FALSE(answers.empty());
    const QString last = "[" + QString::fromStdString(answers.back()) + "]";
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.TrafficTexts().contains(last); }, 15000));
    ASSERT_EQ(engine.State(), ExchangeState::Reading);
}

// Waits without handling any event (which would handle the listener's report too) until the
// port's listener has ended.
bool ListenerEnded(const zok::CSerialEx &port)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (port.IsListening()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

zok::sim::SimulatorConfig WithoutCode10()
{
    zok::sim::SimulatorConfig config;
    config.receivers[0].supported.erase(0x10);
    config.receivers[0].registers[0x0B] = 0x80; // sensitivity
    return config;
}

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

TEST_F(DispatchTest, VanishedPortIsClosedReportedAndAwaited)
{
    Start();
    sim->stop(); // the pseudo-terminal goes away under the open port
    ASSERT_TRUE(WaitFor([&] { return !engine->IsPortOpen(); }));
    EXPECT_FALSE(view.readEnabled || view.writeEnabled);
    EXPECT_TRUE(view.portChecked && engine->WaitingForPort());
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
    // The listener of the old port reports the hang-up and ends; no event is handled meanwhile, so
    // its report waits in the queue while the user reopens.
    ASSERT_TRUE(ListenerEnded(engine->Port()));
    settings.portName = secondPort;
    ASSERT_TRUE(engine->OpenSerialPort(true));
    QCoreApplication::sendPostedEvents(engine.get());
    EXPECT_TRUE(engine->IsPortOpen());
    EXPECT_TRUE(view.lostPorts.isEmpty());
    engine->ReadParameters();
    EXPECT_TRUE(WaitForMessage(kTextReadOk));
}

// The frames of one read reach the dispatcher one by one, in order, each in the state the one
// before left: the last answer ends the read, so the answer-like frame behind it is only logged.
TEST_F(DispatchTest, ABatchCrossingTheEndOfAReadIsDispatchedInOrder)
{
    Start(WithoutCode10());
    ASSERT_NO_FATAL_FAILURE(StartReadAwaitingOneAnswer(*sim, *engine, view));
    sim->sendRaw("[100001][0B4201]");
    ASSERT_TRUE(WaitForMessage(kTextReadOk));
    ASSERT_TRUE(WaitForTraffic("[0B4201]"));
    const QStringList traffic = view.TrafficTexts();
    EXPECT_EQ(traffic.mid(traffic.size() - 2), (QStringList{"[100001]", "[0B4201]"}));
    EXPECT_EQ(engine->State(), ExchangeState::Idle);
    EXPECT_EQ(model.Value(ParameterId::RX_SENSIBILITY), 0x80);
    EXPECT_EQ(engine->FramesDispatched(),
              static_cast<std::uint64_t>(view.TrafficIn(LineColour::Blue).size()));
}

// A frame's handling may run a nested event loop (a message box): the frames behind it are
// dispatched inside that loop, once each and in order, not held until it ends.
TEST_F(DispatchTest, TheRestOfABatchIsDispatchedInsideANestedEventLoop)
{
    Start(WithoutCode10());
    ASSERT_NO_FATAL_FAILURE(StartReadAwaitingOneAnswer(*sim, *engine, view));
    bool restSeenInside = false;
    view.onMessage = [&](const RecordingView::Line &line) {
        if (line.text == zok::Text(kTextReadOk))
            restSeenInside =
                QTest::qWaitFor([&] { return view.TrafficTexts().contains("[B412AB06]"); }, kWaitMs);
    };
    sim->sendRaw("[100001][B412AB05][B412AB06]");
    ASSERT_TRUE(WaitForMessage(kTextReadOk));
    EXPECT_TRUE(restSeenInside);
    QCoreApplication::processEvents();
    const QStringList traffic = view.TrafficTexts();
    EXPECT_EQ(traffic.mid(traffic.size() - 3), (QStringList{"[100001]", "[B412AB05]", "[B412AB06]"}));
    EXPECT_EQ(traffic.count("[B412AB05]"), 1);
}

} // namespace
