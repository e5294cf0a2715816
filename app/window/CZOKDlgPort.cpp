#include "CColorListBox.h"
#include "CZOKDlg.h"

#include <QCheckBox>
#include <QPushButton>

namespace {
// Lists keep this many lines; older ones are dropped first.
constexpr int kMaxListLines = 500;
} // namespace

bool CZOKDlg::OpenSerialPort(bool withMessages)
{
    return m_exchange->OpenSerialPort(withMessages);
}

void CZOKDlg::OnOpenSerialPortClicked()
{
    m_exchange->PortCheckBoxClicked(m_openPort->isChecked());
    m_openPort->setChecked(m_exchange->IsPortOpen());
}

void CZOKDlg::AddMessage(const QColor &color, const QString &line)
{
    AppendLine(*m_messages, color, line);
}

void CZOKDlg::AddTraffic(const QColor &color, const QString &line)
{
    AppendLine(*m_traffic, color, line);
}

void CZOKDlg::AppendLine(CColorListBox &list, const QColor &color, const QString &line)
{
    if (list.count() >= kMaxListLines)
        delete list.takeItem(0);
    const int index = list.AddColoredString(line, color);
    // Selecting the last line scrolls to it; clearing the selection leaves no highlight behind.
    list.setCurrentRow(index);
    list.scrollToBottom();
    list.clearSelection();
}

void CZOKDlg::done(int result)
{
    m_exchange->CloseSerialPort();
    CDialogEx::done(result);
}
