// Speed detection: the version command tried at each line speed in turn until the receiver answers;
// a full read follows at the speed found.
#include "CZOKExchange.h"

#include "CZOKProperties.h"
#include "HexByte.h"
#include "LinkSpeed.h"
#include "ZokText.h"

void CZOKExchange::StartSpeedDetection()
{
    if (m_session.State != ExchangeState::Idle)
        return;
    m_speedAttempt = 0;
    m_model.ClearReadResults();
    ShowFirmware(QString());
    if (!ChangeLinkSpeed(m_speedAttempt, true))
        return;
    SendVersionRequest();
    SetProgress(0);
}

// One attempt: the timer, a fresh answer table and the version command at the current speed.
void CZOKExchange::SendVersionRequest()
{
    BeginExchange(ExchangeState::SpeedDetection, m_timings.speedAttempt);
    SendLogged(QString::fromStdString("[9800" + zok::FormatHexByte(ReceiverAddress()) + "]"));
}

void CZOKExchange::OnDetectionAnswer(const QString &text)
{
    if (text.size() < 2 || !text.startsWith(QStringLiteral("VE")))
        return;
    m_view.AddMessage(LineColour::Blue, text.mid(2));
    m_view.AddMessage(LineColour::Blue, zok::Text(140));
    StopTimer();
    SetState(ExchangeState::Idle);
    m_view.BuildPropertyGrid();
    ApplyReadValues();
    SetProgress(0);
    ReadParameters();
}

// A line whose speed its device server sets has one attempt, at that speed: the others would only
// ask again at the same speed.
void CZOKExchange::OnDetectionTimeout()
{
    ++m_speedAttempt;
    if (m_speedAttempt >= kLinkSpeedCount || m_speedOnServer || !ChangeLinkSpeed(m_speedAttempt, true)) {
        EndWithError(141);
        return;
    }
    SendVersionRequest();
    SetProgress(m_speedAttempt);
}
