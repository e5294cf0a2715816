#pragma once

#include "CZOKExchange.h"
#include "CZOKProperties.h"
#include "CliDefaults.h"
#include "CliOptions.h"
#include "ConsoleView.h"
#include "FrameMonitor.h"
#include "IExchangeSettings.h"
#include "InterruptWatcher.h"
#include "TrafficCaptureFile.h"

#include <functional>

namespace zok::cli {

// How a wait on the engine ended.
enum class WaitEnd { Done, TimedOut, Interrupted, PortLost };

// One run of a command against the line: the settings the options and ZOK.ini give, the model,
// the console view, the exchange engine and the waits on them. The engine reads the port name and
// the address from here, as the window's engine reads them from the settings holder.
class CliSession : public IExchangeSettings
{
public:
    CliSession(const CliOptions &options, const CliDefaults &defaults, ExchangeTimings timings = {});
    ~CliSession() override;

    QString PortName() const override { return m_port; }
    std::uint8_t ReceiverAddress() const override { return m_address; }
    // The address the engine's commands now go to (a batch over the receivers of the line).
    void SelectReceiver(std::uint8_t address) { m_address = address; }
    QString AddressText() const;

    const CliOptions &Options() const { return m_options; }
    CZOKExchange &Engine() { return *m_engine; }
    CZOKProperties &Model() { return m_model; }
    ConsoleView &View() { return m_view; }
    FrameMonitor &Monitor() { return m_monitor; }
    bool Interrupted() const { return m_interrupts.Interrupted(); }

    // Starts the trace when one was asked for (kUsage when its file cannot be written), then
    // opens the port at the chosen speed, after waiting for it up to --wait-port seconds when it
    // is not there; kPortError when it cannot.
    int Open();
    // Runs the event loop until `done` holds after some activity of the engine or the monitor, the
    // time is up (timeoutMs < 0: never), Ctrl+C, or the port is lost.
    WaitEnd Wait(const std::function<bool()> &done, int timeoutMs);

    // The engine's read into the model; kNoAnswer or kPortError when it does not complete.
    int ReadParameters();
    // The engine's write of the model, or of the registers of `parameterMask` only; the same
    // statuses. The speed only with `enableSpeed`.
    int WriteParameters(bool enableSpeed, std::optional<std::uint32_t> parameterMask = std::nullopt);

    // Records the error line of a failure and returns its status.
    int Fail(int status, const QString &line);
    int NoAnswer(const QString &commandCode);
    int PortLost();
    // The status of a wait that did not end with Done (kSuccess for Done).
    int StatusOf(WaitEnd end, const QString &commandCode);
    const QString &Error() const { return m_error; }

private:
    QString OpenFailure() const;
    int StartTrace();
    int WaitForPort();

    CliOptions m_options;
    QString m_port;
    std::uint8_t m_address = 1;
    CZOKProperties m_model;
    ConsoleView m_view;
    FrameMonitor m_monitor;
    InterruptWatcher m_interrupts;
    std::unique_ptr<CZOKExchange> m_engine;
    zok::TrafficTraceWriter m_trace;
    QString m_error;
};

} // namespace zok::cli
