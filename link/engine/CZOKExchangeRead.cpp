// The parameter read: one read-all command, one answer frame per parameter and the version text.
#include "CZOKExchange.h"

#include "CZOKProperties.h"
#include "HexByte.h"
#include "ParameterTable.h"
#include "ParameterWire.h"
#include "ZokText.h"

void CZOKExchange::ReadParameters()
{
    if (m_session.State != ExchangeState::Idle)
        return;
    m_readSinceOpen = false;
    m_model.ClearReadResults();
    ShowFirmware(QString());
    BeginExchange(ExchangeState::Reading, m_timings.readTimeout);
    SendLogged(QString::fromStdString("[9900" + zok::FormatHexByte(ReceiverAddress()) + "]"));
    SetProgress(0);
}

void CZOKExchange::OnReadAnswer(const QString &text)
{
    if (text.size() < 2)
        return;
    const std::string frame = text.toStdString();
    const std::string code = frame.substr(0, 2);
    if (!m_session.HasParameter(code))
        return;
    if (m_session.StoreAnswer(code, frame.substr(2), ReceiverAddress()))
        zok::MarkSupported(m_model, code);
    ++m_session.AcceptedAnswers;
    // Repeated answers count again; the bar stops at 100.
    const auto entries = static_cast<int>(m_session.ExpectedAnswers().size());
    SetProgress(m_session.AcceptedAnswers * 100 / entries);
    if (!m_session.AllReceived())
        return;
    m_view.AddMessage(LineColour::Blue, zok::Text(140));
    StopTimer();
    SetState(ExchangeState::Idle);
    m_view.BuildPropertyGrid();
    ApplyReadValues();
    SetProgress(0);
    m_readSinceOpen = true;
    m_readAddress = ReceiverAddress();
    emit ReadFinished(true);
}

void CZOKExchange::ApplyReadValues()
{
    zok::ApplyReadAnswers(m_model, m_session, ReceiverAddress());
    m_view.RefreshPropertyGrid();
    if (const CZOKSyncParameter *version = m_session.LookupParameter(zok::kVersionAnswerCode)) {
        ShowFirmware(QString::fromStdString(version->Answer));
        const auto numbers = CZOKFirmwareVersion::FromVersionText(version->Answer);
        m_model.SetFirmwareVersion(numbers.Major, numbers.Minor, numbers.Build);
        m_view.RefreshPropertyGrid();
    }
    m_propertiesModified = false;
}

void CZOKExchange::ShowFirmware(const QString &text)
{
    m_firmwareText = text;
    m_view.ShowFirmwareText(text);
}

void CZOKExchange::RestoreModel(const CZOKProperties &model, const QString &firmwareText, bool modified)
{
    m_model = model;
    m_view.BuildPropertyGrid();
    m_view.RefreshPropertyGrid();
    ShowFirmware(firmwareText);
    m_propertiesModified = modified;
}
