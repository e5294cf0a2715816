#include "CAboutDlg.h"
#include "CColorListBox.h"
#include "CZOKDlg.h"
#include "WindowText.h"
#include "ZokText.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMenuBar>

using zok::Caption;
using zok::WindowText;

namespace {
constexpr int kCompareWithFileText = 240;
constexpr int kCloneText = 241;
constexpr int kSaveTrafficText = 410;
constexpr int kCopyTrafficText = 411;
} // namespace

void CZOKDlg::BuildMenu()
{
    QMenu *file = MenuBar()->addMenu(Caption(WindowText::MenuFile));
    AddCommand(
        file, ID_LOAD_PARAMETERS, Caption(WindowText::LoadParameters), [this] { OnLoadParameters(); },
        IdleOnly());
    AddCommand(
        file, ID_SAVE_PARAMETERS, Caption(WindowText::SaveParameters), [this] { OnSaveParameters(); },
        IdleOnly());
    file->addSeparator();
    AddCommand(
        file, ID_COMPARE_WITH_FILE, zok::Text(kCompareWithFileText), [this] { CompareWithFile(); },
        IdleWithPort());
    AddCommand(
        file, ID_CLONE_TO_ALL_RECEIVERS, zok::Text(kCloneText), [this] { CloneToAllReceivers(); },
        IdleWithPort());
    file->addSeparator();
    AddCommand(
        file, ID_SAVE_TRAFFIC, zok::Text(kSaveTrafficText), [this] { SaveTraffic(); }, IdleOnly());
    AddCommand(
        file, ID_COPY_TRAFFIC, zok::Text(kCopyTrafficText), [this] { CopyTraffic(); },
        [this](QAction &a) { a.setEnabled(m_traffic->selectionModel()->hasSelection()); });
    file->addSeparator();
    AddCommand(
        file, ID_EXIT, Caption(WindowText::Exit), [this] { done(QDialog::Accepted); }, Always());
    BuildConfigurationMenu();
    QMenu *monitoring = MenuBar()->addMenu(Caption(WindowText::MenuMonitoring));
    AddCommand(
        monitoring, ID_TAG_TRACKING, Caption(WindowText::TagTracking), [this] { OnTagTracking(); },
        IdleOnly());
    AddCommand(
        monitoring, ID_RADIO_SCAN, Caption(WindowText::RadioScan), [this] { OnRadioScan(); }, IdleOnly());
    QMenu *help = MenuBar()->addMenu(Caption(WindowText::MenuHelp));
    AddCommand(
        help, ID_HELP, Caption(WindowText::Help), [this] { OnHelp(); }, Always());
    // F1, the desktop's help key, does what the Help button and menu item do.
    CommandAction(ID_HELP)->setShortcut(QKeySequence::HelpContents);
    CommandAction(ID_HELP)->setShortcutContext(Qt::WindowShortcut);
    AddCommand(
        help, ID_ABOUT, Caption(WindowText::About), [this] { OnAbout(); }, Always());
    for (QMenu *menu : MenuBar()->findChildren<QMenu *>(Qt::FindDirectChildrenOnly))
        WatchMenu(menu);
}

void CZOKDlg::BuildConfigurationMenu()
{
    QMenu *config = MenuBar()->addMenu(Caption(WindowText::MenuConfiguration));
    AddCommand(
        config, ID_SERIAL_PORT, Caption(WindowText::SerialPort), [this] { OnSerialPort(); }, IdleOnly());
    AddCommand(
        config, ID_SELECT_RECEIVER, Caption(WindowText::SelectReceiver), [this] { OnSelectReceiver(); },
        IdleOnly());
    AddCommand(
        config, ID_ID_FILTER, Caption(WindowText::IdFilter), [this] { OnIdFilter(); }, IdleOnly());
    config->addSeparator();
    // The check mark follows the flag, not the click: it is set each time the menu opens.
    AddCommand(
        config, ID_ENABLE_SPEED_CONFIGURATION, Caption(WindowText::EnableSpeedConfiguration),
        [this] { OnToggleSpeedConfiguration(); },
        [this](QAction &a) {
            a.setEnabled(true);
            a.setChecked(SpeedConfigurationEnabled());
        });
    CommandAction(ID_ENABLE_SPEED_CONFIGURATION)->setCheckable(true);
    AddCommand(
        config, ID_SPEED_DETECTION, Caption(WindowText::SpeedDetection), [this] { OnSpeedDetection(); },
        Always());
}

void CZOKDlg::AddCommand(QMenu *menu, int id, const QString &caption, Handler handler, Update update)
{
    QAction *action = menu->addAction(caption);
    m_actions[id] = action;
    BindCommand(action, id, std::move(handler), std::move(update));
}

CDialogEx::Update CZOKDlg::IdleOnly()
{
    // Commands that open dialogs or files would start a second exchange.
    return [this](QAction &a) { a.setEnabled(State() == ExchangeState::Idle); };
}

CDialogEx::Update CZOKDlg::IdleWithPort()
{
    // Commands that talk to the receivers at once.
    return [this](QAction &a) { a.setEnabled(State() == ExchangeState::Idle && m_exchange->IsPortOpen()); };
}

CDialogEx::Update CZOKDlg::Always()
{
    return [](QAction &a) { a.setEnabled(true); };
}

QAction *CZOKDlg::CommandAction(int id) const
{
    auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void CZOKDlg::OnToggleSpeedConfiguration()
{
    m_exchange->ToggleSpeedConfiguration();
    CommandAction(ID_ENABLE_SPEED_CONFIGURATION)->setChecked(SpeedConfigurationEnabled());
}

void CZOKDlg::OnHelp()
{
    // Looked up in the current directory; a missing document is not reported.
    m_urlOpener(QUrl::fromLocalFile(QDir::current().absoluteFilePath(QStringLiteral("Notice ZOK.pdf"))));
}

void CZOKDlg::OnAbout()
{
    CAboutDlg about(TitleText(), this);
    RunModal(about);
}
