#include "CColorListBox.h"
#include "CZOKDlg.h"
#include "FrameReceivedEvent.h"
#include "LineColors.h"
#include "PortLostEvent.h"
#include "WindowText.h"
#include "ZokText.h"

#include <QCheckBox>
#include <QPushButton>

namespace {
// Lists keep this many lines; older ones are dropped first.
constexpr int kMaxListLines = 500;

QString FormatWithName(int textId, const QString &name)
{
    return QString::asprintf(zok::Text(textId).toUtf8().constData(), name.toUtf8().constData());
}
} // namespace

bool CZOKDlg::OpenSerialPort(bool withMessages)
{
    if (m_serial.IsOpen()) {
        m_serial.Close();
        if (withMessages)
            AddMessage(zok::LineColor::kGreen, zok::Text(136));
    }
    const QString name = PortName();
    long result = m_serial.Open(name.toStdString(), this);
    if (result == zok::kSerialOk) {
        // A port that cannot take the line's framing is no use: treat it as not opened.
        result = m_serial.Configure(m_linkBaudRate, 8, zok::kNoParity, zok::kTwoStopBits);
        if (result == zok::kSerialOk)
            result = m_serial.SetHandshake(zok::kHandshakeOff);
        if (result != zok::kSerialOk)
            m_serial.Close();
    }
    const bool opened = result == zok::kSerialOk;
    if (withMessages && opened)
        AddMessage(zok::LineColor::kGreen, FormatWithName(139, name));
    if (withMessages && !opened) {
        AddMessage(zok::LineColor::kRed, FormatWithName(137, name));
        AddMessage(zok::LineColor::kRed, zok::Text(138));
    }
    UpdateReadWrite();
    return opened;
}

void CZOKDlg::UpdateReadWrite()
{
    const bool open = m_serial.IsOpen();
    m_read->setEnabled(open);
    m_write->setEnabled(open);
    m_openPort->setChecked(open);
}

void CZOKDlg::OnOpenSerialPortClicked()
{
    if (m_openPort->isChecked()) {
        if (!m_serial.IsOpen())
            OpenSerialPort(true);
        else
            AddMessage(zok::LineColor::kGreen, zok::Text(190));
    } else if (!m_serial.IsOpen()) {
        AddMessage(zok::LineColor::kGreen, zok::Text(191));
    } else {
        m_serial.Close();
        AddMessage(zok::LineColor::kGreen, zok::Text(136));
    }
    UpdateReadWrite();
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

bool CZOKDlg::event(QEvent *event)
{
    if (event->type() == zok::WM_FRAME_RECEIVED) {
        OnFrameReceived(static_cast<zok::FrameReceivedEvent *>(event)->Frame());
        return true;
    }
    if (event->type() == zok::WM_PORT_LOST) {
        OnPortLost();
        return true;
    }
    return CDialogEx::event(event);
}

void CZOKDlg::OnFrameReceived(const zok::ReceivedFrame &frame)
{
    if (frame.text.empty())
        return;
    // The line carries plain ASCII; Latin-1 shows any stray byte instead of failing on it.
    const QString text = QString::fromLatin1(frame.text.data(), static_cast<qsizetype>(frame.text.size()));
    AddTraffic(zok::LineColor::kBlue, QLatin1Char('[') + text + QLatin1Char(']'));
    DispatchFrame(text);
}

void CZOKDlg::DispatchFrame(const QString &text)
{
    // Frames go where the exchange state says once the exchange engine is attached; in Idle
    // they are only logged.
    Q_UNUSED(text);
}

void CZOKDlg::OnPortLost()
{
    if (!m_serial.IsOpen())
        return;
    m_serial.Close();
    AddMessage(zok::LineColor::kRed, zok::Caption(zok::WindowText::PortLost).arg(PortName()));
    UpdateReadWrite();
}

void CZOKDlg::done(int result)
{
    m_serial.Close();
    CDialogEx::done(result);
}
