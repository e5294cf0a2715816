// A port that goes away (an adapter unplugged, a line hung up): the exchange it cut ends failed,
// the port is awaited once a period and reopened at the speed it had when it comes back.
#include "CZOKExchange.h"

#include "CZOKProperties.h"
#include "IExchangeSettings.h"
#include "LineText.h"
#include "LinkSpeed.h"
#include "ParameterTable.h"
#include "ZokText.h"

namespace {
constexpr int kTextReadError = 141;
constexpr int kTextWriteError = 142;
constexpr int kTextLostTraffic = 441;
constexpr int kTextBack = 442;
constexpr int kTextAcknowledged = 443;
constexpr int kTextNoneAcknowledged = 444;
constexpr int kTextBackAtServerSpeed = 518;
} // namespace

void CZOKExchange::OnPortLost()
{
    if (!m_port.IsOpen())
        return;
    m_port.Close();
    m_readSinceOpen = false;
    const QString portName = m_settings.PortName();
    m_reopener.Start(portName.toStdString(), [this] { return Reopen(); });
    SetPortControls(false);
    m_view.ReportPortLost(portName);
    m_view.AddTraffic(LineColour::Red, FillText(kTextLostTraffic, {portName}));
    EndExchangeCutByLoss();
}

void CZOKExchange::WaitForPort()
{
    if (m_port.IsOpen())
        return;
    m_lineBaud = SpeedFromIndex(ModelSpeedIndex());
    m_reopener.Start(m_settings.PortName().toStdString(), [this] { return Reopen(); });
    SetPortControls(false);
}

// The answers of a read or the acknowledgements of a write sent before the loss will not come;
// a time-out later would only delay the verdict. The monitoring dialogs keep their state: their
// frames come again once the port is back.
void CZOKExchange::EndExchangeCutByLoss()
{
    switch (m_session.State) {
    case ExchangeState::Reading:
        EndWithError(kTextReadError);
        emit ReadFinished(false);
        break;
    case ExchangeState::Writing:
        EndWithError(kTextWriteError);
        m_view.AddMessage(LineColour::Red, AcknowledgedBeforeLoss());
        emit WriteFinished(false);
        break;
    case ExchangeState::SpeedDetection:
        EndWithError(kTextReadError);
        break;
    default:
        break;
    }
}

// The writes before the pending one were acknowledged, so the receiver holds those values; each is
// named by its parameters' keys (the switch register by its six).
QString CZOKExchange::AcknowledgedBeforeLoss() const
{
    QStringList keys;
    for (int index = 0; index < m_session.WriteIndex; ++index) {
        const auto action = m_session.GetWriteAction(index);
        const std::string code = action ? action->Command.substr(1, 2) : std::string();
        for (const ReaderRegister &reg : zok::Registers()) {
            if (code != reg.WriteCode)
                continue;
            for (const ParameterId id : zok::ParametersOf(reg))
                keys << QString::fromLatin1(zok::Parameter(id).Key);
        }
    }
    if (keys.isEmpty())
        return zok::Text(kTextNoneAcknowledged);
    return FillText(kTextAcknowledged, {keys.join(QStringLiteral(", "))});
}

bool CZOKExchange::Reopen()
{
    const QString portName = QString::fromStdString(m_reopener.PortName());
    if (OpenPort(portName) != 0 || Failed(ConfigureLine(m_lineBaud))) {
        m_port.Close();
        return false;
    }
    m_reopener.Stop();
    if (m_speedOnServer)
        m_view.AddMessage(LineColour::Green, FillText(kTextBackAtServerSpeed, {portName}));
    else
        m_view.AddMessage(LineColour::Green, FillText(kTextBack, {portName, QString::number(m_lineBaud)}));
    SetPortControls(true);
    m_view.ReportPortBack(portName, m_speedOnServer ? 0 : m_lineBaud);
    return true;
}
