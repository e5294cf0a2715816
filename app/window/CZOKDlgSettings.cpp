#include "CZOKDlg.h"
#include "CZOKSettings.h"

// The settings are read under their own lock at each use, as any thread may change them.

QString CZOKDlg::PortName() const
{
    return QString::fromStdString(m_settings.PortName());
}

unsigned CZOKDlg::ReceiverAddress() const
{
    return m_settings.ReceiverAddress();
}

bool CZOKDlg::SettingsLoaded() const
{
    return m_settings.Loaded();
}
