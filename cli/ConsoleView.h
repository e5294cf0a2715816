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

    bool PortLost() const { return m_portLost; }
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
    bool m_indicatorShown = false;
    QString m_lastMessage;
    int m_percent = 0;
    std::function<void(LineColour, const QString &)> m_hook;
};

} // namespace zok::cli
