// The File menu's Compare with File and Clone to All Receivers: the window picks and reads the
// file, then runs the dialog that shows the work of the engine.
#include "CZOKCloneDlg.h"
#include "CZOKCompareDlg.h"
#include "CZOKDlg.h"
#include "CZOKSettings.h"
#include "FileComparison.h"
#include "ParameterFile.h"
#include "ShowMessageBox.h"
#include "ZokText.h"

#include <QFile>
#include <QFileInfo>

namespace {
constexpr int kReplaceEditsText = 355;
} // namespace

bool CZOKDlg::ChooseParameterFile(CZOKProperties &file, std::uint32_t &keys, QString &name, bool wholeFile)
{
    FinishGridEdit();
    const auto path = m_fileDialogs.chooseLoadFile(this);
    if (!path)
        return false;
    const zok::LoadResult result = zok::LoadParameterFile(QFile::encodeName(*path).toStdString(), file);
    if (result.Outcome != zok::LoadOutcome::Loaded)
        ShowFileOutcome(zok::MessageOf(result.Outcome));
    if (result.Outcome == zok::LoadOutcome::AccessError ||
        (wholeFile && result.Outcome == zok::LoadOutcome::ContentError))
        return false;
    keys = zok::AppliedKeysMask(result.AppliedCount);
    name = QFileInfo(*path).fileName();
    return true;
}

void CZOKDlg::CompareWithFile()
{
    if (State() != ExchangeState::Idle || !m_exchange->IsPortOpen())
        return;
    // The compare reads the receiver first, which replaces edits not written yet.
    FinishGridEdit();
    if (PropertiesModified() &&
        ShowMessageBox(this, zok::Text(kReplaceEditsText), QStringLiteral("ZOK"), QMessageBox::Warning,
                       QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok)
        return;
    CZOKProperties file;
    std::uint32_t keys = 0;
    QString name;
    // A file with a bad key is compared up to it, as a load would apply it. The receiver is read
    // first unless the model holds its last read unchanged.
    if (!ChooseParameterFile(file, keys, name, false))
        return;
    CZOKCompareDlg dialog(*m_exchange, m_properties, file, keys, name, this);
    RunModal(dialog);
}

void CZOKDlg::CloneToAllReceivers()
{
    if (State() != ExchangeState::Idle || !m_exchange->IsPortOpen())
        return;
    CZOKProperties file;
    std::uint32_t keys = 0;
    QString name;
    // Only a whole file goes to every receiver of the line.
    if (!ChooseParameterFile(file, keys, name, true))
        return;
    CZOKCloneDlg dialog(
        *m_exchange, m_properties, [this](std::uint8_t address) { m_settings.SetReceiverAddress(address); },
        static_cast<std::uint8_t>(m_settings.ReceiverAddress()), file, keys, name, this);
    RunModal(dialog);
}
