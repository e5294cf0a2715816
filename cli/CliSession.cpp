#include "CliSession.h"

#include "CliStatus.h"
#include "LineText.h"
#include "LineTime.h"
#include "PortName.h"
#include "PortOpenFailure.h"
#include "PortProblemText.h"
#include "ZokText.h"

#include <QEventLoop>
#include <QTimer>

#include <cstdio>

namespace zok::cli {

namespace {
constexpr int kNoPortText = 314;
constexpr int kOpenFailedText = 315;
constexpr int kPortLostText = 316;
constexpr int kNoAnswerText = 317;
constexpr int kTraceFailedText = 415;
constexpr int kWaitingForPortText = 447;
constexpr int kPortNeverCameText = 448;
constexpr int kOpenFailedBecauseText = 522;
// Beyond the engine's own time-outs: a wait that the engine should have ended long before.
constexpr int kWaitMarginMs = 5000;
} // namespace

CliSession::CliSession(const CliOptions &options, const CliDefaults &defaults, ExchangeTimings timings)
    : m_options(options), m_port(options.port.value_or(defaults.port)),
      m_address(static_cast<std::uint8_t>(options.address.value_or(defaults.address))),
      m_view(m_model, options.quiet || options.json, options.verbose),
      m_engine(std::make_unique<CZOKExchange>(*this, m_model, m_view, timings))
{
    // The engine opens the port at the model's speed, as the window does after a load.
    m_model.SetValue(ParameterId::RX_VITESSE, options.speedIndex.value_or(0));
    // Nothing saves a capture here: --trace writes each frame as it comes.
    m_engine->Capture().SetCapacity(0);
}

CliSession::~CliSession()
{
    m_engine->Capture().SetObserver({});
    m_view.EndProgress();
}

QString CliSession::AddressText() const
{
    return QString::asprintf("%.02X", unsigned(m_address));
}

int CliSession::Fail(int status, const QString &line)
{
    if (m_error.isEmpty())
        m_error = line;
    return status;
}

int CliSession::NoAnswer(const QString &commandCode)
{
    return Fail(kNoAnswer, FillText(kNoAnswerText, {m_port, AddressText(), commandCode}));
}

int CliSession::PortLost()
{
    return Fail(kPortError, FillText(kPortLostText, {m_port}));
}

int CliSession::StatusOf(WaitEnd end, const QString &commandCode)
{
    switch (end) {
    case WaitEnd::Done:
    case WaitEnd::Interrupted:
        return kSuccess;
    case WaitEnd::PortLost:
        return PortLost();
    case WaitEnd::TimedOut:
        break;
    }
    return NoAnswer(commandCode);
}

// A network line words its own failures (naming the device server); for a device the engine
// keeps only the port's code, and the device, tried once more, says why in the system's words.
QString CliSession::OpenFailure() const
{
    if (const QString reason = zok::PortProblemText(m_engine->LastOpenError(), m_port); !reason.isEmpty())
        return FillText(kOpenFailedBecauseText, {m_port, reason});
    return FillText(kOpenFailedText,
                    {m_port, QString::fromLocal8Bit(zok::PortOpenFailureReason(m_port.toStdString()))});
}

int CliSession::StartTrace()
{
    if (m_options.traceFile.isEmpty() || m_trace.IsOpen())
        return kSuccess;
    QString error;
    if (!m_trace.Open(m_options.traceFile,
                      m_engine->TrafficHeader(QStringLiteral("zok-cli " ZOK_VERSION_TEXT)), error))
        return Fail(kUsage, FillText(kTraceFailedText, {m_options.traceFile, error}));
    m_engine->Capture().SetObserver([this](const zok::CapturedFrame &frame) { m_trace.Add(frame); });
    return kSuccess;
}

int CliSession::Open()
{
    if (m_port.isEmpty())
        return Fail(kUsage, zok::Text(kNoPortText));
    if (const int status = StartTrace(); status != kSuccess)
        return status;
    if (m_engine->OpenSerialPort(false))
        return kSuccess;
    if (m_options.waitPortSeconds > 0)
        return WaitForPort();
    return Fail(kPortError, OpenFailure());
}

// The engine looks for the port once a second, as for a lost one, and opens it when it comes.
int CliSession::WaitForPort()
{
    const QString seconds = QString::number(m_options.waitPortSeconds);
    if (!m_options.quiet)
        std::fprintf(stderr, "zok-cli: %s\n",
                     FillText(kWaitingForPortText, {m_port, seconds}).toLocal8Bit().constData());
    m_engine->WaitForPort();
    const WaitEnd end =
        Wait([this] { return m_engine->IsPortOpen(); }, DurationMs(m_options.waitPortSeconds));
    if (end == WaitEnd::Done)
        return kSuccess;
    m_engine->CloseSerialPort();
    if (end == WaitEnd::Interrupted)
        return kInterrupted;
    // There, but it would not open (busy, not a tty): the opening's own reason says more.
    if (zok::PortDevicePresent(m_port.toStdString()))
        return Fail(kPortError, OpenFailure());
    return Fail(kPortError, FillText(kPortNeverCameText, {m_port, seconds}));
}

WaitEnd CliSession::Wait(const std::function<bool()> &done, int timeoutMs)
{
    if (m_interrupts.Interrupted())
        return WaitEnd::Interrupted;
    if (m_view.PortLost())
        return WaitEnd::PortLost;
    if (done())
        return WaitEnd::Done;
    QEventLoop loop;
    WaitEnd end = WaitEnd::TimedOut;
    const auto finish = [&](WaitEnd how) {
        end = how;
        loop.quit();
    };
    // Queued: the engine finishes its own step (state, timer) before the command looks at it.
    const auto check = [&] {
        if (m_view.PortLost())
            finish(WaitEnd::PortLost);
        else if (done())
            finish(WaitEnd::Done);
    };
    QObject::connect(&m_view, &ConsoleView::Activity, &loop, check, Qt::QueuedConnection);
    QObject::connect(&m_monitor, &FrameMonitor::Activity, &loop, check, Qt::QueuedConnection);
    QObject::connect(&m_interrupts, &InterruptWatcher::Interrupt, &loop,
                     [&] { finish(WaitEnd::Interrupted); });
    QTimer timer;
    if (timeoutMs >= 0) {
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
            check();
            if (end == WaitEnd::TimedOut)
                loop.quit();
        });
        timer.start(timeoutMs);
    }
    loop.exec();
    return end;
}

int CliSession::ReadParameters()
{
    m_engine->ReadParameters();
    const WaitEnd end = Wait([this] { return m_engine->State() != ExchangeState::Reading; },
                             ExchangeTimings{}.readTimeout + kWaitMarginMs);
    if (end == WaitEnd::Interrupted)
        return kInterrupted;
    if (end != WaitEnd::Done)
        return StatusOf(end, QStringLiteral("99"));
    return m_engine->Session().AllReceived() ? kSuccess : NoAnswer(QStringLiteral("99"));
}

int CliSession::WriteParameters(bool enableSpeed, std::optional<std::uint32_t> parameterMask)
{
    m_engine->SetDontShowSpeedWarning(true);
    if (m_engine->SpeedConfigurationEnabled() != enableSpeed)
        m_engine->ToggleSpeedConfiguration();
    if (parameterMask)
        m_engine->WriteSelectedParameters(*parameterMask);
    else
        m_engine->WriteParameters();
    const auto &session = m_engine->Session();
    const WaitEnd end = Wait([this] { return m_engine->State() != ExchangeState::Writing; },
                             ExchangeTimings{}.writeTimeout + kWaitMarginMs);
    const auto pending = session.GetWriteAction(session.WriteIndex);
    const QString code = pending ? QString::fromStdString(pending->Command.substr(1, 2)) : QString();
    if (end == WaitEnd::Interrupted)
        return kInterrupted;
    if (end != WaitEnd::Done)
        return StatusOf(end, code);
    return pending ? NoAnswer(code) : kSuccess;
}

} // namespace zok::cli
