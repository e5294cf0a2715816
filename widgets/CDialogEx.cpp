#include "CDialogEx.h"

#include "CDlgStatusBar.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

namespace {
// Ids from here on are the window system's own commands, which are never disabled for lack of a handler.
constexpr int kFirstSystemCommand = 0xF000;
} // namespace

CDialogEx::CDialogEx(QWidget *parent) : QDialog(parent)
{
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_client = new QWidget(this);
    m_layout->addWidget(m_client, 1);
    if (auto *dispatcher = QAbstractEventDispatcher::instance(thread()))
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &CDialogEx::OnIdle);
}

bool CDialogEx::CreateDialogBars(const std::vector<int> &indicators)
{
    if (m_statusBar || indicators.empty())
        return false;
    const QSize before = size();
    const bool sized = testAttribute(Qt::WA_Resized);
    m_statusBar = new CDlgStatusBar(this);
    m_statusBar->SetIndicators(indicators);
    m_layout->addWidget(m_statusBar);
    if (sized)
        resize(before.width(), before.height() + m_statusBar->sizeHint().height());
    return true;
}

QMenuBar *CDialogEx::MenuBar()
{
    if (!m_menuBar) {
        m_menuBar = new QMenuBar(this);
        m_layout->setMenuBar(m_menuBar);
    }
    return m_menuBar;
}

void CDialogEx::BindCommand(QAction *action, int id, Handler onCommand, Update onUpdate)
{
    action->setData(id);
    action->setObjectName(QString::number(id));
    m_commands[id] = {std::move(onCommand), std::move(onUpdate)};
    connect(action, &QAction::triggered, this, [this, id] {
        auto it = m_commands.find(id);
        if (it != m_commands.end() && it->second.onCommand)
            it->second.onCommand();
    });
}

void CDialogEx::WatchMenu(QMenu *menu)
{
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateMenu(menu); });
}

void CDialogEx::UpdateMenu(QMenu *menu)
{
    const auto actions = menu->actions();
    for (QAction *action : actions) {
        if (action->isSeparator())
            continue;
        if (QMenu *sub = action->menu()) {
            if (!sub->actions().isEmpty())
                UpdateItem(*sub->actions().first(), false);
            continue;
        }
        UpdateItem(*action, true);
    }
}

void CDialogEx::UpdateItem(QAction &action, bool disableWithoutHandler)
{
    const int id = CommandId(&action);
    auto it = m_commands.find(id);
    if (it != m_commands.end() && it->second.onUpdate) {
        it->second.onUpdate(action);
        return;
    }
    const bool handled = it != m_commands.end() && it->second.onCommand;
    if (disableWithoutHandler && !handled && id < kFirstSystemCommand)
        action.setEnabled(false);
}

int CDialogEx::CommandId(const QAction *action)
{
    return action ? action->data().toInt() : 0;
}

int CDialogEx::RunModal(QDialog &dialog)
{
    return m_modalHook ? m_modalHook(dialog) : dialog.exec();
}

void CDialogEx::UpdateDialogControls()
{
    if (m_statusBar)
        m_statusBar->OnIdleUpdate();
}

void CDialogEx::OnIdle()
{
    UpdateDialogControls();
}
