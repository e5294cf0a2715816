// The File menu's traffic commands: the engine's capture of the line saved to a file, and the
// traffic list's selected lines copied to the clipboard.
#include "CColorListBox.h"
#include "CZOKDlg.h"
#include "LineColors.h"
#include "LineText.h"
#include "ShowMessageBox.h"
#include "TrafficCaptureFile.h"
#include "TrafficFileDialog.h"
#include "ZokText.h"

#include <QDir>

namespace {
constexpr int kSavedText = 413;
constexpr int kSaveFailedText = 414;
} // namespace

void CZOKDlg::SaveTraffic()
{
    const auto path = m_chooseTrafficFile ? m_chooseTrafficFile(this) : ChooseTrafficFile(this);
    if (!path)
        return;
    const zok::TrafficCapture &capture = m_exchange->Capture();
    zok::CaptureHeader header = m_exchange->TrafficHeader(TitleText());
    header.kept = capture.Frames().size();
    header.captured = capture.Total();
    const QString error = zok::SaveTrafficCapture(*path, header, capture);
    const QString shown = QDir::toNativeSeparators(*path);
    if (error.isEmpty()) {
        AddMessage(zok::LineColor::kBlue, FillText(kSavedText, {shown, QString::number(header.kept)}));
        return;
    }
    ShowMessageBox(this, FillText(kSaveFailedText, {shown, error}), QStringLiteral("ZOK"),
                   QMessageBox::Critical);
}

void CZOKDlg::CopyTraffic()
{
    m_traffic->CopySelection();
}
