#pragma once

#include <QLineEdit>

// The in-place edit box of the selected row. It reports its focus loss with the reason, so the
// window can tell a real move of the focus from a popup or another window taking it for a while.
class EPropWndEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit EPropWndEdit(QWidget *parent = nullptr);

    // Set when the window is about to remove the box: later focus changes are no longer reported.
    void SetClosing() { m_closing = true; }

signals:
    void focusLost(Qt::FocusReason reason);

protected:
    void focusOutEvent(QFocusEvent *event) override;

private:
    bool m_closing = false;
};
