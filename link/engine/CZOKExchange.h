#pragma once

#include "CPortReopener.h"
#include "CSerialMFC.h"
#include "CZOKSyncSession.h"
#include "ExchangeTimings.h"
#include "IExchangeView.h"
#include "IToolExchange.h"
#include "TrafficCapture.h"
#include "TrafficCaptureText.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace zok {
struct ReceivedFrame;
}

class CZOKProperties;
class IExchangeSettings;

// The exchange engine: owns the serial port, the exchange record and the single exchange timer;
// runs the parameter read and write sequences and speed detection, and hands every other frame
// to the registered tool dialog. Widget-free: it reaches the screen only through IExchangeView.
// Lives on the user-interface thread; the port's listener only posts events to it.
class CZOKExchange : public QObject, public IToolExchange
{
    Q_OBJECT

public:
    CZOKExchange(IExchangeSettings &settings, CZOKProperties &model, IExchangeView &view,
                 ExchangeTimings timings = {}, QObject *parent = nullptr);
    ~CZOKExchange() override;

    // Port. Opening by the user (OpenSerialPort, the check box) ends any waiting for a lost port.
    bool OpenSerialPort(bool withMessages);
    // The "Open Serial Port" check box was clicked and is now `checked`.
    void PortCheckBoxClicked(bool checked);
    void CloseSerialPort();
    bool IsPortOpen() const { return m_port.IsOpen(); }
    // After the port was lost: closed, looked for once a period (ExchangeTimings::portCheckPeriod)
    // and reopened at the speed it had as soon as it is back. Unticking the box ends the waiting.
    bool WaitingForPort() const { return m_reopener.Waiting(); }
    // What the "Open Serial Port" box shows: the port is open, or awaited.
    bool PortWanted() const { return IsPortOpen() || WaitingForPort(); }
    // Waits for the settings' port, at the model's speed, as after a loss but without its lines:
    // for a port that is not there yet (zok-cli --wait-port).
    void WaitForPort();
    // Presence checks made while waiting (tests and benchmarks show it never spins).
    std::uint64_t PortChecks() const { return m_reopener.Checks(); }
    // For what the window shows of the port (speed, framing); the engine alone opens and closes it.
    zok::CSerialMFC &Port() { return m_port; }
    // Puts the open (or reopened) port on the speed of `index`; false when it cannot. A line whose
    // speed its device server sets stays usable and says so instead.
    bool ChangeLinkSpeed(int index, bool withMessages);
    // The line's speed is its device server's: the last setting of the port said so (a raw
    // network line, or an RFC 2217 server that refused the option).
    bool SpeedSetOnServer() const { return m_speedOnServer; }
    // Why the last opening (or setting) of the port failed: the port's code, which
    // zok::PortProblemText words where the port has its own message.
    long LastOpenError() const { return m_lastOpenError; }

    // Sequences; each does nothing unless the state is Idle.
    void ReadParameters();
    void WriteParameters();
    // The write sequence restricted to the registers carrying a parameter of `parameterMask`
    // (mask bits of ParameterInfo::MaskBit), under the same guards, acknowledgements and speed switch.
    void WriteSelectedParameters(std::uint32_t parameterMask);
    void StartSpeedDetection();

    // Before a monitoring dialog opens ("Select Receiver"): Idle, timer stopped.
    void StopExchange();
    // A monitoring dialog has ended: no dialog receives frames any more, state Idle.
    void EndMonitoring();
    // The dialog that receives the forwarded events of `kind`; null while none is registered.
    QObject *Monitor(MonitorKind kind) const { return m_monitors[static_cast<std::size_t>(kind)].data(); }

    ExchangeState State() const { return m_session.State; }
    // Every change of the state, the window's own (and its tests') and the sequences'. While the
    // engine's own exchanges wait for answers, the port delivers each frame as it comes.
    void SetState(ExchangeState state);
    const CZOKSyncSession &Session() const { return m_session; }
    const QString &FirmwareText() const { return m_firmwareText; }
    // True when the model holds what a complete read of the receiver now selected gave since the
    // port was last opened by OpenSerialPort: a read that starts or fails clears it, and so does
    // ForgetRead.
    bool ReadSinceOpen() const { return m_readSinceOpen && m_readAddress == ReceiverAddress(); }
    // The model's values no longer are the receiver's (a grid edit, a parameter file loaded).
    void ForgetRead() { m_readSinceOpen = false; }
    // Puts back a model, its firmware text and the modified flag kept before a batch of reads,
    // and rebuilds the grid from it.
    void RestoreModel(const CZOKProperties &model, const QString &firmwareText, bool modified);
    // Frames handed to the dispatcher since construction, empty ones included.
    std::uint64_t FramesDispatched() const { return m_framesDispatched; }

    // Every frame written and received (dropped bytes included), the newest first to go.
    zok::TrafficCapture &Capture() { return m_capture; }
    const zok::TrafficCapture &Capture() const { return m_capture; }
    // A capture's header as things stand: `program`, the port, the receiver and its firmware.
    zok::CaptureHeader TrafficHeader(const QString &program) const;

    bool SpeedConfigurationEnabled() const { return m_speedConfigurationEnabled; }
    void ToggleSpeedConfiguration() { m_speedConfigurationEnabled = !m_speedConfigurationEnabled; }
    bool DontShowSpeedWarning() const { return m_dontShowSpeedWarning; }
    void SetDontShowSpeedWarning(bool dontShow) { m_dontShowSpeedWarning = dontShow; }
    // Set by a grid edit; cleared after a read or a write.
    bool PropertiesModified() const { return m_propertiesModified; }
    void SetPropertiesModified(bool modified) { m_propertiesModified = modified; }

    // IToolExchange
    void SendCommand(const std::string &text) override;
    void StartReceiverScan() override;
    void EnterTagTracking() override;
    void EnterRadioScan() override;
    void EnterIdFilter() override;
    void RegisterMonitor(MonitorKind kind, QObject *dialog) override;
    unsigned char ReceiverAddress() const override;

signals:
    // A read ended: complete ("Read OK") or not (time-out). Emitted once the engine is Idle again.
    void ReadFinished(bool complete);
    // A write sequence ended: every write acknowledged ("Write OK"), or not (time-out); also when
    // nothing was queued (complete).
    void WriteFinished(bool complete);
    // The user abandoned a write at the speed warning; nothing was sent.
    void WriteAbandoned();

protected:
    bool event(QEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    // Exchange timer.
    // Starts an exchange that awaits the read answers: the timer, the state, fresh counters and a
    // fresh answer table.
    void BeginExchange(ExchangeState state, int periodMs);
    void StartTimer(int periodMs);
    void StopTimer();
    void OnExchangeTimeout();
    void EndWithError(int errorTextId);

    // Frames.
    // The listener hands over the frames of one read together; they are queued and dispatched one
    // by one, oldest first.
    void QueueFrames(const std::vector<zok::ReceivedFrame> &frames);
    void CaptureReceived(const zok::ReceivedFrame &frame);
    void DispatchQueuedFrames();
    void OnFrameReceived(const QString &text, const QDateTime &received);
    void OnScanAnswer(const QString &text);
    void Forward(MonitorKind kind, QEvent::Type type, const QString &text, const QDateTime &received);
    void OnPortLost();
    // The exchange that the loss cut ends failed at once, never by a later answer.
    void EndExchangeCutByLoss();
    QString AcknowledgedBeforeLoss() const;
    bool Reopen();

    // Read sequence.
    void OnReadAnswer(const QString &text);
    void ApplyReadValues();
    void ShowFirmware(const QString &text);

    // Write sequence.
    void StartWrite(std::optional<std::uint32_t> parameterMask);
    void SendNextWrite();
    void OnWriteAnswer(const QString &text);
    void SwitchPortSpeed();

    // Speed detection.
    void OnDetectionAnswer(const QString &text);
    void OnDetectionTimeout();
    void SendVersionRequest();

    // Port.
    long OpenPort(const QString &portName);
    // 0, a code after which the line works at its device server's speed, or the failure.
    long ConfigureLine(int baud);
    // True for a code of the port that is a failure (not one of a line set on its server).
    static bool Failed(long portCode);
    bool EndWithOpenFailure(const QString &portName, bool withMessages, long error);
    void SetPortControls(bool open);
    int ModelSpeedIndex() const;

    void SendLogged(const QString &command);
    void Pause(int ms) const;
    void SetProgress(int percent);

    IExchangeSettings &m_settings;
    CZOKProperties &m_model;
    IExchangeView &m_view;
    ExchangeTimings m_timings;

    zok::CSerialMFC m_port;
    zok::CPortReopener m_reopener;
    // The speed the line was last set to: a reopened port gets it back, the capture records it.
    int m_lineBaud = 9600;
    bool m_speedOnServer = false;
    long m_lastOpenError = 0;
    CZOKSyncSession m_session;

    zok::TrafficCapture m_capture;

    QString m_firmwareText;
    bool m_speedConfigurationEnabled = false;
    bool m_dontShowSpeedWarning = false;
    bool m_propertiesModified = false;
    bool m_readSinceOpen = false;
    unsigned char m_readAddress = 0;
    int m_speedAttempt = 0;

    struct QueuedFrame
    {
        QString text;
        QDateTime received;
    };
    // Frames received and not dispatched yet, oldest first. Each is taken off before it is
    // dispatched, so a nested event loop run by one frame's handling (a message box) dispatches
    // the rest, and new arrivals, in order; a posted continuation makes sure it does even when
    // no new frame arrives.
    std::deque<QueuedFrame> m_queuedFrames;
    bool m_continuationPosted = false;
    std::uint64_t m_framesDispatched = 0;

    // The dialog that receives forwarded frames, per kind; null while none is open.
    std::array<QPointer<QObject>, 4> m_monitors;
};
