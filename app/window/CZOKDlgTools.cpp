#include "CZOKDlg.h"

#include "CIDFilterConfig.h"
#include "CZOKRadioFollowDlg.h"
#include "CZOKScanReceiversDlg.h"
#include "CZOKSerialCfgDlg.h"
#include "CZOKSettings.h"
#include "CZOKTagFollowDlg.h"

// The tool dialogs run modally and register with the exchange engine themselves; whatever way
// they end, the engine forgets them and returns to Idle, so no frame is forwarded to a dead window.

void CZOKDlg::OnSelectReceiver()
{
    m_exchange->StopExchange();
    CZOKScanReceiversDlg dialog(*m_exchange, m_settings, this);
    RunModal(dialog);
    m_exchange->EndMonitoring();
}

void CZOKDlg::OnTagTracking()
{
    CZOKTagFollowDlg dialog(*m_exchange, this);
    RunModal(dialog);
    m_exchange->EndMonitoring();
}

void CZOKDlg::OnRadioScan()
{
    CZOKRadioFollowDlg dialog(*m_exchange, QString::fromStdString(m_settings.ApplicationDirectory()),
                              &m_settings, this);
    RunModal(dialog);
    m_exchange->EndMonitoring();
}

void CZOKDlg::OnIdFilter()
{
    CIDFilterConfig dialog(*m_exchange, this);
    RunModal(dialog);
    m_exchange->EndMonitoring();
}

void CZOKDlg::OnSerialPort()
{
    const CZOKSerialCfgDlg::PortInfoSource ports =
        m_portList ? CZOKSerialCfgDlg::NamesOnly(m_portList) : CZOKSerialCfgDlg::SystemPortInfo;
    CZOKSerialCfgDlg dialog(m_settings, ports, this);
    if (RunModal(dialog) == QDialog::Accepted)
        OpenSerialPort(true);
}
