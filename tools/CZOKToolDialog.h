#pragma once

#include "ToolMessage.h"

#include <QDialog>

// What every tool dialog shares: the opening steps run once when the modal run first shows the
// dialog, the closing steps run however it ends, message boxes go through a replaceable hook, and
// optionally Enter is swallowed so that it never presses a button or ends the dialog.
class CZOKToolDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CZOKToolDialog(QWidget *parent);

    void setMessageHook(ToolMessageHook hook);
    void done(int result) override;

protected:
    virtual void onOpening() {}
    virtual void onClosing() {}

    QMessageBox::StandardButton showMessage(const QString &text, QMessageBox::Icon icon,
                                            QMessageBox::StandardButtons buttons = QMessageBox::Ok);
    // Buttons created before this call stop reacting to Enter.
    void swallowEnter();

    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    ToolMessageHook m_messageHook = ShowToolMessage;
    bool m_opened = false;
    bool m_closed = false;
    bool m_swallowEnter = false;
};
