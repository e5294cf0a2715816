#pragma once

#include "ToolFileChooser.h"
#include "ToolMessage.h"

#include <QDateTime>
#include <QDialog>
#include <QEvent>

#include <functional>
#include <optional>

class QProgressBar;

// What every tool dialog shares: the opening steps run once when the modal run first shows the
// dialog, the closing steps run however it ends, message boxes and file choices go through
// replaceable hooks, and optionally Enter is swallowed so that it never presses a button or ends
// the dialog. For the monitoring dialogs: the clock of their readings, forwarded frames of one
// event type handed to handleFrame, and a display refresh coalesced to one per event-loop turn,
// so that a burst of frames costs one repaint.
class CZOKToolDialog : public QDialog
{
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;

    explicit CZOKToolDialog(QWidget *parent, QEvent::Type frameType = QEvent::None);

    void setMessageHook(ToolMessageHook hook);
    void setFileHook(ToolFileHook hook);
    // Local time of each reading; tests give their own.
    void setClock(Clock clock);
    void done(int result) override;

    // The handler of one forwarded frame (also reached through a posted frame event).
    virtual void handleFrame(const QString &) {}

    bool event(QEvent *event) override;

protected:
    virtual void onOpening() {}
    virtual void onClosing() {}
    // Brings the controls up to date with the members; runs once after any number of
    // scheduleRefresh() calls.
    virtual void refreshView() {}

    QDateTime now() const { return m_clock(); }
    const Clock &clock() const { return m_clock; }
    void scheduleRefresh();

    QMessageBox::StandardButton showMessage(const QString &text, QMessageBox::Icon icon,
                                            QMessageBox::StandardButtons buttons = QMessageBox::Ok);
    std::optional<QString> chooseFile(const ToolFileRequest &request);
    // Buttons created before this call stop reacting to Enter.
    void swallowEnter();
    // The level bar (1015): range 0..255, no text.
    QProgressBar *createLevelBar();

    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    ToolMessageHook m_messageHook = ShowToolMessage;
    ToolFileHook m_fileHook = ChooseToolFile;
    Clock m_clock;
    QEvent::Type m_frameType;
    bool m_opened = false;
    bool m_closed = false;
    bool m_swallowEnter = false;
    bool m_refreshPending = false;
};
