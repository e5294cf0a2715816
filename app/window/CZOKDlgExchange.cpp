// The window's side of the exchange engine: the commands that start exchanges, and the screen
// the engine reports to.
#include "CProgressBar.h"
#include "CZOKDlg.h"
#include "CZOKWriteSpeedWarning.h"
#include "LineColors.h"
#include "WindowText.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

QColor ColorOf(LineColour colour)
{
    switch (colour) {
    case LineColour::Orange:
        return zok::LineColor::kOrange;
    case LineColour::Blue:
        return zok::LineColor::kBlue;
    case LineColour::Red:
        return zok::LineColor::kRed;
    case LineColour::Green:
        break;
    }
    return zok::LineColor::kGreen;
}

} // namespace

void CZOKDlg::ReadParameters()
{
    m_exchange->ReadParameters();
}

void CZOKDlg::WriteParameters()
{
    m_exchange->WriteParameters();
}

void CZOKDlg::OnSpeedDetection()
{
    m_exchange->StartSpeedDetection();
}

void CZOKDlg::AddMessage(LineColour colour, const QString &line)
{
    AddMessage(ColorOf(colour), line);
}

void CZOKDlg::AddTraffic(LineColour colour, const QString &line)
{
    AddTraffic(ColorOf(colour), line);
}

void CZOKDlg::SetProgress(int percent)
{
    m_progress->SetPosition(percent);
}

void CZOKDlg::EnableReadButton(bool enable)
{
    m_read->setEnabled(enable);
}

void CZOKDlg::EnableWriteButton(bool enable)
{
    m_write->setEnabled(enable);
}

void CZOKDlg::SetPortChecked(bool checked)
{
    m_openPort->setChecked(checked);
}

void CZOKDlg::ShowFirmwareText(const QString &text)
{
    SetFirmwareVersion(text);
}

void CZOKDlg::ReportPortLost(const QString &portName)
{
    AddMessage(zok::LineColor::kRed, zok::Caption(zok::WindowText::PortLost).arg(portName));
}

bool CZOKDlg::ConfirmWriteWithoutSpeed()
{
    // The box acts as soon as it is clicked, even if the dialog then ends with Cancel.
    CZOKWriteSpeedWarning warning([this](bool dontShow) { m_exchange->SetDontShowSpeedWarning(dontShow); },
                                  this);
    return RunModal(warning) == QDialog::Accepted;
}
