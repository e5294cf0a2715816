#include "CColorListBox.h"
#include "CZOKDlg.h"

#include <QCheckBox>
#include <QPushButton>

bool CZOKDlg::OpenSerialPort(bool withMessages)
{
    return m_exchange->OpenSerialPort(withMessages);
}

void CZOKDlg::OnOpenSerialPortClicked()
{
    m_exchange->PortCheckBoxClicked(m_openPort->isChecked());
    m_openPort->setChecked(m_exchange->PortWanted());
}

void CZOKDlg::AddMessage(const QColor &color, const QString &line)
{
    AppendLine(*m_messages, color, line);
}

void CZOKDlg::AddTraffic(const QColor &color, const QString &line)
{
    AppendLine(*m_traffic, color, line);
}

// The list keeps its last lines and shows the newest (kMaxListLines, set where it is made).
void CZOKDlg::AppendLine(CColorListBox &list, const QColor &color, const QString &line)
{
    list.AddColoredString(line, color);
}

void CZOKDlg::done(int result)
{
    m_exchange->CloseSerialPort();
    CDialogEx::done(result);
}
