#pragma once

#include "IExchangeView.h"

#include <QObject>
#include <QString>

#include <functional>

class CZOKProperties;

namespace zok::cli {

// The exchange engine's view on a console. Nothing of it goes to standard output: the engine's
// message lines feed the one-line progress indicator (standard error, only on a terminal), and
// with --verbose every message and the line traffic go to standard error. Every call from the
// engine emits Activity, so that a waiting command looks at the engine again.
class ConsoleView : public QObject, public IExchangeView
{
    Q_OBJECT

public:
    ConsoleView(CZOKProperties &model, bool quiet, bool verbose, QObject *parent = nullptr);
    ~ConsoleView() override;

    // True once the port was lost, unless losses are ridden through.
    bool PortLost() const { return m_portLost; }
    // For the commands that go on across a replug (tags, radio): a loss and the return of the
    // port are each one line on standard error, and PortLost stays false.
    void SetRideThrough(bool ride) { m_rideThrough = ride; }
    // Called with every message line before Activity.
    void SetMessageHook(std::function<void(LineColour, const QString &)> hook) { m_hook = std::move(hook); }
    // Clears the progress indicator's line, before a command prints.
    void EndProgress();

    // IExchangeView
    void AddMessage(LineColour colour, const QString &line) override;
    void AddTraffic(LineColour colour, const QString &line) override;
    void SetProgress(int percent) override;
    void EnableReadButton(bool) override { Q_EMIT Activity(); }
    void EnableWriteButton(bool) override { Q_EMIT Activity(); }
    void SetPortChecked(bool) override { Q_EMIT Activity(); }
    void BuildPropertyGrid() override;
    void RefreshPropertyGrid() override;
    void ShowFirmwareText(const QString &) override { Q_EMIT Activity(); }
    void ReportPortLost(const QString &portName) override;
    void ReportPortBack(const QString &portName, int baud) override;
    // No one to ask: a write without speed configuration simply leaves the speed out.
    bool ConfirmWriteWithoutSpeed() override { return true; }

Q_SIGNALS:
    void Activity();

private:
    void ShowIndicator();

    CZOKProperties &m_model;
    bool m_indicator; // a terminal, and not quiet
    bool m_verbose;
    bool m_portLost = false;
    bool m_rideThrough = false;
    bool m_indicatorShown = false;
    QString m_lastMessage;
    int m_percent = 0;
    std::function<void(LineColour, const QString &)> m_hook;
};

} // namespace zok::cli
