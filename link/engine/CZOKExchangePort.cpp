// Opening, closing and re-speeding the port, and the events its listener posts.
#include "CZOKExchange.h"

#include "CZOKProperties.h"
#include "FrameReceivedEvent.h"
#include "IExchangeSettings.h"
#include "LineText.h"
#include "LinkSpeed.h"
#include "PortProblemText.h"
#include "SerialConstants.h"
#include "ZokText.h"

#include <QCoreApplication>

#include <utility>

namespace {

QDateTime ToDateTime(const zok::FrameTime &time)
{
    return {QDate(time.year, time.month, time.day),
            QTime(time.hour, time.minute, time.second, time.millisecond)};
}

bool SameTime(const zok::FrameTime &a, const zok::FrameTime &b)
{
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
           a.minute == b.minute && a.second == b.second && a.millisecond == b.millisecond;
}

// Posted to the engine itself while queued frames wait behind the one being dispatched.
constexpr auto kContinueDispatch = static_cast<QEvent::Type>(QEvent::User + 44);

constexpr int kTextClosed = 136;
constexpr int kTextOpenFailed = 137;
constexpr int kTextSelectPort = 138;
constexpr int kTextOpened = 139;
constexpr int kTextAlreadyOpen = 190;
constexpr int kTextAlreadyClosed = 191;
constexpr int kTextSpeedChanged = 225;
} // namespace

bool CZOKExchange::event(QEvent *event)
{
    if (event->type() == zok::WM_FRAME_RECEIVED) {
        QueueFrames(static_cast<zok::FrameReceivedEvent *>(event)->Frames());
        DispatchQueuedFrames();
        return true;
    }
    if (event->type() == kContinueDispatch) {
        m_continuationPosted = false;
        DispatchQueuedFrames();
        return true;
    }
    if (event->type() == zok::WM_PORT_LOST) {
        OnPortLost();
        return true;
    }
    return QObject::event(event);
}

void CZOKExchange::QueueFrames(const std::vector<zok::ReceivedFrame> &frames)
{
    // The frames of one read share one time stamp: convert it once.
    const zok::FrameTime *converted = nullptr;
    QDateTime received;
    for (const zok::ReceivedFrame &frame : frames) {
        CaptureReceived(frame);
        if (frame.kind != zok::FrameKind::Frame)
            continue;
        if (converted == nullptr || !SameTime(*converted, frame.time)) {
            converted = &frame.time;
            received = ToDateTime(frame.time);
        }
        m_queuedFrames.push_back({QString::fromStdString(frame.text), received});
    }
}

void CZOKExchange::CaptureReceived(const zok::ReceivedFrame &frame)
{
    if (!m_capture.Enabled())
        return;
    zok::CapturedFrame captured{
        frame.epochMs, m_lineBaud, zok::TrafficDirection::Received, zok::TrafficMark::None, {}};
    switch (frame.kind) {
    case zok::FrameKind::Frame:
        captured.bytes.reserve(frame.text.size() + 2);
        captured.bytes += '[';
        captured.bytes += frame.text;
        captured.bytes += ']';
        break;
    case zok::FrameKind::Malformed:
        captured.mark = zok::TrafficMark::Malformed;
        captured.bytes = frame.text;
        break;
    case zok::FrameKind::Overlong:
        captured.mark = zok::TrafficMark::Overlong;
        captured.bytes = frame.text;
        break;
    }
    m_capture.Add(std::move(captured));
}

void CZOKExchange::DispatchQueuedFrames()
{
    while (!m_queuedFrames.empty()) {
        const QueuedFrame frame = std::move(m_queuedFrames.front());
        m_queuedFrames.pop_front();
        // Should this frame's handling run a nested event loop, the continuation dispatches the
        // frames behind it inside that loop, as if each had come in its own event.
        if (!m_queuedFrames.empty() && !std::exchange(m_continuationPosted, true))
            QCoreApplication::postEvent(this, new QEvent(kContinueDispatch));
        ++m_framesDispatched;
        OnFrameReceived(frame.text, frame.received);
    }
}

long CZOKExchange::OpenPort(const QString &portName)
{
    return m_port.Open(portName.toStdString(), this);
}

// The receivers' framing at every speed: 8 data bits, no parity, two stop bits, no handshake.
// A line whose device server sets it (zok::LineSetOnServer) works all the same: its code is
// returned for the caller to say so, and the line is taken to run at the server's speed.
long CZOKExchange::ConfigureLine(int baud)
{
    const long setting = m_port.Configure(baud, 8, zok::kNoParity, zok::kTwoStopBits);
    if (setting != 0 && !zok::LineSetOnServer(setting))
        return setting;
    if (setting == 0) {
        if (const long error = m_port.SetHandshake(zok::kHandshakeOff))
            return error;
    }
    m_lineBaud = baud;
    m_speedOnServer = setting != 0;
    return setting;
}

bool CZOKExchange::Failed(long portCode)
{
    return portCode != 0 && !zok::LineSetOnServer(portCode);
}

int CZOKExchange::ModelSpeedIndex() const
{
    return m_model.Value(ParameterId::RX_VITESSE);
}

// The box stays set while a lost port is awaited; Read and Write need the port itself.
void CZOKExchange::SetPortControls(bool open)
{
    m_view.EnableReadButton(open);
    m_view.EnableWriteButton(open);
    m_view.SetPortChecked(open || m_reopener.Waiting());
}

// Every failed opening or setting of the port ends here: the port closed, the lines of a port that
// could not be opened (with messages; the reason too when the port words it, as a device server's
// does), and the controls of a closed port.
bool CZOKExchange::EndWithOpenFailure(const QString &portName, bool withMessages, long error)
{
    m_lastOpenError = error;
    m_port.Close();
    if (withMessages) {
        m_view.AddMessage(LineColour::Red, FillText(kTextOpenFailed, {portName}));
        if (const QString reason = zok::PortProblemText(error, portName); !reason.isEmpty())
            m_view.AddMessage(LineColour::Red, reason);
        m_view.AddMessage(LineColour::Red, zok::Text(kTextSelectPort));
    }
    SetPortControls(false);
    return false;
}

bool CZOKExchange::OpenSerialPort(bool withMessages)
{
    m_reopener.Stop();
    if (m_port.IsOpen()) {
        m_port.Close();
        if (withMessages)
            m_view.AddMessage(LineColour::Green, zok::Text(kTextClosed));
    }
    m_readSinceOpen = false;
    const QString portName = m_settings.PortName();
    long error = OpenPort(portName);
    const long setting = error == 0 ? ConfigureLine(SpeedFromIndex(ModelSpeedIndex())) : 0;
    if (error == 0 && Failed(setting))
        error = setting;
    if (error != 0)
        return EndWithOpenFailure(portName, withMessages, error);
    if (withMessages)
        m_view.AddMessage(LineColour::Green, FillText(kTextOpened, {portName}));
    // A raw line was chosen as such; an RFC 2217 line that works raw says why, once per opening.
    if (withMessages && setting != 0 && setting != zok::kErrorLineSetOnServer)
        m_view.AddMessage(LineColour::Red, zok::PortProblemText(setting, portName));
    SetPortControls(true);
    return true;
}

void CZOKExchange::CloseSerialPort()
{
    m_reopener.Stop();
    m_port.Close();
}

void CZOKExchange::PortCheckBoxClicked(bool checked)
{
    if (!checked && m_reopener.Waiting()) {
        // The user gives up on the lost port: for them it was still open, now it is closed.
        m_reopener.Stop();
        m_view.AddMessage(LineColour::Green, zok::Text(kTextClosed));
    } else if (checked && !m_port.IsOpen()) {
        OpenSerialPort(true);
    } else if (checked) {
        m_view.AddMessage(LineColour::Green, zok::Text(kTextAlreadyOpen));
    } else if (!m_port.IsOpen()) {
        m_view.AddMessage(LineColour::Green, zok::Text(kTextAlreadyClosed));
    } else {
        m_port.Close();
        m_view.AddMessage(LineColour::Green, zok::Text(kTextClosed));
    }
    SetPortControls(m_port.IsOpen());
}

bool CZOKExchange::ChangeLinkSpeed(int index, bool withMessages)
{
    const QString portName = m_settings.PortName();
    if (!m_port.IsOpen()) {
        if (const long error = OpenPort(portName))
            return EndWithOpenFailure(portName, withMessages, error);
    }
    QString speedText;
    const long setting = ConfigureLine(SpeedFromIndex(index, speedText));
    if (Failed(setting))
        return EndWithOpenFailure(portName, withMessages, setting);
    // Opened by hand while it was awaited: the waiting is over.
    m_reopener.Stop();
    // A line whose speed its device server sets says so instead of a change that did not happen.
    if (withMessages && setting == 0)
        m_view.AddMessage(LineColour::Green, FillText(kTextSpeedChanged, {portName, speedText}));
    else if (withMessages)
        m_view.AddMessage(LineColour::Red, zok::PortProblemText(setting, portName));
    SetPortControls(true);
    return true;
}
