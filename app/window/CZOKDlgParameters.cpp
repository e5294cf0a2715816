// The parameter grid and the parameter-file commands of the main window.
#include "CZOKDlg.h"

#include "EPropCtrl.h"
#include "EPropListCtrl.h"
#include "LineColors.h"
#include "ParameterFile.h"
#include "ShowMessageBox.h"
#include "ZokText.h"

#include <QFile>
#include <QSize>

namespace {

constexpr int kPropertyAreaId = 1002;
constexpr int kCommentHeight = 70;
// The name column sizes itself to the longest name: leave the values room for their longest text.
constexpr QSize kGridMinimumSize(680, 330);
constexpr int kPageNameText = 103;
constexpr int kHelpTitleText = 126;
constexpr int kOpenFailedText = 137;
constexpr int kSelectPortText = 138;

std::string LocalPath(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

} // namespace

void CZOKDlg::BuildPropertyGrid()
{
    // The new grid takes the place of the placeholder, or of the previous grid, under id 1002.
    // A previous grid is retired, not deleted: a read may complete while its choice menu runs.
    auto *grid = new EPropCtrl(Client());
    if (!grid->CreateFromPlaceholder(Client(), kPropertyAreaId)) {
        delete grid;
        return;
    }
    m_propertyArea = grid;
    m_propertyGrid = grid;
    grid->setMinimumSize(grid->minimumSize().expandedTo(kGridMinimumSize));
    grid->ShowComment(true);
    grid->SetCommentHeight(kCommentHeight);
    grid->List().SetAutoSizeNameColumn(true);
    grid->SetHost(&m_sheet);
    grid->SetListener(this);
    grid->SetCommentTitle(zok::Text(kHelpTitleText));
    // Screen readers name the list by its page and the help pane by its title.
    grid->SetAccessibleNames(zok::Text(kPageNameText),
                             zok::Text(kHelpTitleText).remove(QLatin1Char(':')).trimmed());
    UpdateTabOrder();
}

// Also after each step of a read: the sheet then applies the received support and firmware.
void CZOKDlg::RefreshPropertyGrid()
{
    if (m_propertyGrid)
        m_propertyGrid->Refresh();
}

void CZOKDlg::PropertyChanged()
{
    SetPropertiesModified(true);
    m_exchange->ForgetRead();
}

void CZOKDlg::OnSaveParameters()
{
    SaveParameters();
}

void CZOKDlg::OnLoadParameters()
{
    LoadParameters();
}

void CZOKDlg::FinishGridEdit()
{
    if (m_propertyGrid)
        m_propertyGrid->List().FinishEdit();
}

void CZOKDlg::SaveParameters()
{
    FinishGridEdit();
    const auto path = m_fileDialogs.chooseSaveFile(this);
    if (!path)
        return;
    ShowFileOutcome(zok::MessageOf(zok::SaveParameterFile(LocalPath(*path), m_properties)));
}

// An edit still open would otherwise be stored over the loaded value when the grid refreshes.
void CZOKDlg::LoadParameters()
{
    FinishGridEdit();
    const auto path = m_fileDialogs.chooseLoadFile(this);
    if (!path)
        return;
    const zok::LoadResult result = zok::LoadParameterFile(LocalPath(*path), m_properties);
    if (result.Outcome != zok::LoadOutcome::AccessError) {
        m_exchange->ForgetRead();
        if (result.SpeedKeyReached)
            ReopenPortAtModelSpeed();
        RefreshPropertyGrid();
    }
    ShowFileOutcome(zok::MessageOf(result.Outcome));
}

// After a load the port follows the loaded speed (the engine opens it at the model's speed), open
// or not before; only a failure is reported.
void CZOKDlg::ReopenPortAtModelSpeed()
{
    if (OpenSerialPort(false))
        return;
    const QString name = PortName();
    AddMessage(zok::LineColor::kRed,
               QString::asprintf(zok::Text(kOpenFailedText).toUtf8().constData(), name.toUtf8().constData()));
    AddMessage(zok::LineColor::kRed, zok::Text(kSelectPortText));
}

void CZOKDlg::ShowFileOutcome(const zok::OutcomeMessage &message)
{
    ShowMessageBox(this, zok::Text(message.TextId), QStringLiteral("ZOK"),
                   message.IsError ? QMessageBox::Critical : QMessageBox::NoIcon);
}
