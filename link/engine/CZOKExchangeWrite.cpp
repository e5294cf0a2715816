// The write sequence: one command per supported parameter, each sent after the acknowledgement of
// the one before, under one time-out for the whole sequence.
#include "CZOKExchange.h"

#include "CZOKProperties.h"
#include "IExchangeSettings.h"
#include "LinkSpeed.h"
#include "ParameterWire.h"
#include "PortProblemText.h"
#include "SelectedWrites.h"
#include "SerialConstants.h"
#include "ZokText.h"

void CZOKExchange::WriteParameters()
{
    StartWrite(std::nullopt);
}

void CZOKExchange::WriteSelectedParameters(std::uint32_t parameterMask)
{
    StartWrite(parameterMask);
}

void CZOKExchange::StartWrite(std::optional<std::uint32_t> parameterMask)
{
    if (m_session.State != ExchangeState::Idle)
        return;
    if (!m_speedConfigurationEnabled && !m_dontShowSpeedWarning && !m_view.ConfirmWriteWithoutSpeed()) {
        emit WriteAbandoned();
        return;
    }
    m_view.EnableReadButton(false);
    if (parameterMask) {
        m_session.ClearWriteQueue();
        for (const auto &action : zok::BuildSelectedWriteActions(m_model, ReceiverAddress(),
                                                                 m_speedConfigurationEnabled, *parameterMask))
            m_session.AddWriteAction(action);
    } else {
        zok::QueueWrites(m_session, m_model, ReceiverAddress(), m_speedConfigurationEnabled);
    }
    if (m_session.GetWriteCount() == 0) {
        m_view.EnableReadButton(m_port.IsOpen());
        emit WriteFinished(true);
        return;
    }
    StartTimer(m_timings.writeTimeout);
    SetState(ExchangeState::Writing);
    m_session.RemainingTicks = 0;
    SetProgress(0);
    SendNextWrite();
}

void CZOKExchange::SendNextWrite()
{
    SetState(ExchangeState::Writing);
    Pause(m_timings.writePause);
    if (const auto action = m_session.GetWriteAction(m_session.WriteIndex)) {
        SendLogged(QString::fromStdString(action->Command));
        return;
    }
    m_propertiesModified = false;
    StopTimer();
    SetState(ExchangeState::Idle);
    m_view.AddMessage(LineColour::Blue, zok::Text(149));
    // The port may have been closed or lost while the sequence ran: Read follows the port.
    m_view.EnableReadButton(m_port.IsOpen());
    SetProgress(0);
    emit WriteFinished(true);
}

void CZOKExchange::OnWriteAnswer(const QString &text)
{
    if (text.size() < 2)
        return;
    const auto action = m_session.GetWriteAction(m_session.WriteIndex);
    // A wrong or repeated acknowledgement leaves the same write pending until the time-out.
    if (!action || text.toStdString() != action->ExpectedAnswer)
        return;
    SetProgress((m_session.WriteIndex + 1) * 100 / m_session.GetWriteCount());
    ++m_session.WriteIndex;
    if (action->ExpectedAnswer == zok::SpeedAcknowledgement(m_model, ReceiverAddress()))
        SwitchPortSpeed();
    SendNextWrite();
}

// The receiver acknowledged its new speed at the old one; the port follows it. A line whose speed
// its device server sets cannot: it says so, and the writes go on at the server's speed.
void CZOKExchange::SwitchPortSpeed()
{
    const QString portName = m_settings.PortName();
    if (m_speedOnServer) {
        m_view.AddMessage(LineColour::Red, zok::PortProblemText(zok::kErrorLineSetOnServer, portName));
        return;
    }
    m_port.Close();
    long error = OpenPort(portName);
    if (error == 0)
        error = ConfigureLine(SpeedFromIndex(ModelSpeedIndex()));
    if (Failed(error)) {
        EndWithOpenFailure(portName, true, error);
        return;
    }
    SetPortControls(true);
}
