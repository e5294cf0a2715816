#include "CZOKExchange.h"

#include "CZOKProperties.h"
#include "ExchangeEvents.h"
#include "HexByte.h"
#include "IExchangeSettings.h"
#include "ZokText.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimerEvent>

#include <algorithm>

CZOKExchange::CZOKExchange(IExchangeSettings &settings, CZOKProperties &model, IExchangeView &view,
                           ExchangeTimings timings, QObject *parent)
    : QObject(parent), m_settings(settings), m_model(model), m_view(view), m_timings(timings)
{
    m_reopener.SetPeriod(m_timings.portCheckPeriod);
}

CZOKExchange::~CZOKExchange()
{
    StopTimer();
    m_port.Close();
}

unsigned char CZOKExchange::ReceiverAddress() const
{
    return m_settings.ReceiverAddress();
}

// ---- exchange timer -------------------------------------------------------------------------

void CZOKExchange::StartTimer(int periodMs)
{
    StopTimer();
    m_session.TimerId = startTimer(periodMs, Qt::PreciseTimer);
    m_session.TimerWindowKilled = false;
}

void CZOKExchange::BeginExchange(ExchangeState state, int periodMs)
{
    StartTimer(periodMs);
    SetState(state);
    m_session.RemainingTicks = 0;
    m_session.AcceptedAnswers = 0;
    m_session.BuildReadList();
}

void CZOKExchange::StopTimer()
{
    if (m_session.TimerId == 0 || m_session.TimerWindowKilled)
        return;
    killTimer(m_session.TimerId);
    m_session.TimerWindowKilled = true;
}

void CZOKExchange::timerEvent(QTimerEvent *event)
{
    if (m_session.TimerWindowKilled || event->timerId() != m_session.TimerId) {
        QObject::timerEvent(event);
        return;
    }
    if (m_session.RemainingTicks != 0 && --m_session.RemainingTicks != 0)
        return;
    OnExchangeTimeout();
}

void CZOKExchange::OnExchangeTimeout()
{
    switch (m_session.State) {
    case ExchangeState::Reading:
        EndWithError(141);
        emit ReadFinished(false);
        break;
    case ExchangeState::Writing:
        EndWithError(142);
        // Not when the port was closed or lost meanwhile: Read stays with the port.
        m_view.EnableReadButton(m_port.IsOpen());
        emit WriteFinished(false);
        break;
    case ExchangeState::SpeedDetection:
        OnDetectionTimeout();
        break;
    default:
        StopTimer();
        break;
    }
}

// Time-out or failed detection: back to Idle with the error line and the hint to check the line.
void CZOKExchange::EndWithError(int errorTextId)
{
    SetState(ExchangeState::Idle);
    SetProgress(0);
    m_view.AddMessage(LineColour::Red, zok::Text(errorTextId));
    m_view.AddMessage(LineColour::Red, zok::Text(173));
    StopTimer();
}

void CZOKExchange::SetState(ExchangeState state)
{
    m_session.State = state;
    // Each answer of a read, a write or a speed attempt holds up what comes next: the listener
    // hands frames over at once then. The rest of the time a busy line's frames come in batches.
    const bool awaitingAnswers = state == ExchangeState::Reading || state == ExchangeState::Writing ||
                                 state == ExchangeState::SpeedDetection;
    m_port.SetPromptDelivery(awaitingAnswers);
}

void CZOKExchange::StopExchange()
{
    SetState(ExchangeState::Idle);
    StopTimer();
}

// ---- sending --------------------------------------------------------------------------------

void CZOKExchange::Pause(int ms) const
{
    if (ms > 0)
        QThread::msleep(static_cast<unsigned long>(ms));
}

void CZOKExchange::SendCommand(const std::string &text)
{
    // A closed port sends nothing and says nothing: the radio scan polls up to 50 times a second
    // and would bury every other line under one write error per poll. The status bar already
    // shows the port as closed, and a waiting exchange still ends by its own time-out.
    if (!m_port.IsOpen())
        return;
    Pause(m_timings.sendPause);
    const qint64 sentMs = QDateTime::currentMSecsSinceEpoch();
    const long error = m_port.Write(text.data(), text.size(), nullptr, zok::kCommandTimeout);
    if (m_capture.Enabled())
        m_capture.Add({sentMs, m_lineBaud, zok::TrafficDirection::Sent,
                       error == 0 ? zok::TrafficMark::None : zok::TrafficMark::WriteFailed, text});
    if (error == 0)
        return;
    // The exchange that waits for an answer still ends by its own time-out.
    m_view.AddMessage(LineColour::Red,
                      QString::asprintf("Write Error: %04lXh", static_cast<unsigned long>(error) & 0xFFFFUL));
    Pause(m_timings.failedSendPause);
}

// Sends a command text given without its leading space and logs it in the traffic list.
void CZOKExchange::SendLogged(const QString &command)
{
    // Built by appending: GCC 12 at -O2 warns falsely about `" " + std::string` (stringop-overflow).
    std::string text(1, ' ');
    text += command.toStdString();
    SendCommand(text);
    m_view.AddTraffic(LineColour::Orange, command);
}

void CZOKExchange::SetProgress(int percent)
{
    m_view.SetProgress(std::clamp(percent, 0, 100));
}

zok::CaptureHeader CZOKExchange::TrafficHeader(const QString &program) const
{
    zok::CaptureHeader header;
    header.program = program.toStdString();
    header.port = m_settings.PortName().toStdString();
    header.receiver = m_settings.ReceiverAddress();
    header.firmware = m_firmwareText.trimmed().toStdString();
    return header;
}

// ---- tool dialogs ---------------------------------------------------------------------------

void CZOKExchange::StartReceiverScan()
{
    if (!m_port.IsOpen())
        return;
    SetState(ExchangeState::ReceiverScan);
    SendLogged(QStringLiteral("[010000]"));
}

void CZOKExchange::EnterTagTracking()
{
    if (m_port.IsOpen())
        SetState(ExchangeState::TagTracking);
}

void CZOKExchange::EnterRadioScan()
{
    if (m_port.IsOpen())
        SetState(ExchangeState::RadioScan);
}

void CZOKExchange::EnterIdFilter()
{
    if (m_port.IsOpen())
        SetState(ExchangeState::IdFilter);
}

void CZOKExchange::RegisterMonitor(MonitorKind kind, QObject *dialog)
{
    m_monitors[static_cast<std::size_t>(kind)] = dialog;
}

void CZOKExchange::EndMonitoring()
{
    for (auto &monitor : m_monitors)
        monitor.clear();
    SetState(ExchangeState::Idle);
}

// ---- receiving ------------------------------------------------------------------------------

void CZOKExchange::OnFrameReceived(const QString &text, const QDateTime &received)
{
    if (text.isEmpty())
        return;
    m_view.AddTraffic(LineColour::Blue, "[" + text + "]");
    switch (m_session.State) {
    case ExchangeState::ReceiverScan:
        OnScanAnswer(text);
        break;
    case ExchangeState::Reading:
        OnReadAnswer(text);
        break;
    case ExchangeState::Writing:
        OnWriteAnswer(text);
        break;
    case ExchangeState::TagTracking:
        Forward(MonitorKind::TagTracking, WM_TAG_FRAME, text, received);
        break;
    case ExchangeState::RadioScan:
        Forward(MonitorKind::RadioScan, WM_RADIO_FRAME, text, received);
        break;
    case ExchangeState::IdFilter:
        Forward(MonitorKind::IdFilter, WM_FILTER_FRAME, text, received);
        break;
    case ExchangeState::SpeedDetection:
        OnDetectionAnswer(text);
        break;
    case ExchangeState::Idle:
        break;
    }
}

void CZOKExchange::OnScanAnswer(const QString &text)
{
    QObject *dialog = m_monitors[static_cast<std::size_t>(MonitorKind::ReceiverScan)];
    if (text.size() != 6 || !text.startsWith(QStringLiteral("01")) || dialog == nullptr)
        return;
    const auto address = zok::ParseUpperHexByte(text.right(2).toStdString());
    if (address)
        QCoreApplication::postEvent(dialog, new ScanAddressEvent(*address));
}

void CZOKExchange::Forward(MonitorKind kind, QEvent::Type type, const QString &text,
                           const QDateTime &received)
{
    QObject *dialog = m_monitors[static_cast<std::size_t>(kind)];
    if (dialog != nullptr)
        QCoreApplication::postEvent(dialog, new ForwardedFrameEvent(type, text, received));
}
