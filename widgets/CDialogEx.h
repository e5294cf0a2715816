#pragma once

#include <QDialog>
#include <QMessageBox>
#include <QString>

#include <functional>
#include <map>
#include <vector>

class CDlgStatusBar;
class QAction;
class QMenu;
class QMenuBar;
class QVBoxLayout;

// A dialog that carries a menu bar and a status bar like a main window. Status panes are refreshed
// each time the event loop goes idle; menu items are enabled and checked by update handlers each
// time their menu opens. Subclasses put their controls into Client().
class CDialogEx : public QDialog
{
    Q_OBJECT

public:
    using Handler = std::function<void()>;
    using Update = std::function<void(QAction &)>;

    explicit CDialogEx(QWidget *parent = nullptr);

    // Creates the status bar with one pane per indicator id. The dialog grows by the bar's height;
    // no control moves. False when the bar cannot be made (empty list, or made already).
    bool CreateDialogBars(const std::vector<int> &indicators);

    CDlgStatusBar *StatusBar() const { return m_statusBar; }
    QWidget *Client() const { return m_client; }
    QMenuBar *MenuBar();

    // Routes `action` (named by command `id`) to its handler and update handler. Items of a
    // watched menu that have neither are disabled when they open, except system command ids.
    void BindCommand(QAction *action, int id, Handler onCommand, Update onUpdate = {});
    // Runs the update handlers of `menu`'s items each time it is about to show.
    void WatchMenu(QMenu *menu);
    void UpdateMenu(QMenu *menu);
    // What the idle loop does: refresh the status panes.
    void UpdateDialogControls();

    static int CommandId(const QAction *action);

    // A message box as asked for; see ShowMessageBox.
    struct MessageBoxRequest
    {
        QString text;
        QString title;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
    };
    using MessageBoxFn = std::function<QMessageBox::StandardButton(const MessageBoxRequest &)>;
    void SetMessageBoxHook(MessageBoxFn hook) { m_messageBoxHook = std::move(hook); }
    const MessageBoxFn &MessageBoxHook() const { return m_messageBoxHook; }

    // Runs a child dialog modally, or hands it to the hook that tests set instead.
    using ModalFn = std::function<int(QDialog &)>;
    void SetModalHook(ModalFn hook) { m_modalHook = std::move(hook); }
    int RunModal(QDialog &dialog);

private:
    void OnIdle();
    void UpdateItem(QAction &action, bool disableWithoutHandler);

    struct Command
    {
        Handler onCommand;
        Update onUpdate;
    };
    std::map<int, Command> m_commands;
    MessageBoxFn m_messageBoxHook;
    ModalFn m_modalHook;
    QVBoxLayout *m_layout = nullptr;
    QWidget *m_client = nullptr;
    QMenuBar *m_menuBar = nullptr;
    CDlgStatusBar *m_statusBar = nullptr;
};
