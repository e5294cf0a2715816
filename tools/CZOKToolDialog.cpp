#include "CZOKToolDialog.h"

#include <QKeyEvent>
#include <QPushButton>

CZOKToolDialog::CZOKToolDialog(QWidget *parent) : QDialog(parent) {}

void CZOKToolDialog::setMessageHook(ToolMessageHook hook)
{
    m_messageHook = std::move(hook);
}

void CZOKToolDialog::done(int result)
{
    if (!m_closed) {
        m_closed = true;
        onClosing();
    }
    QDialog::done(result);
}

QMessageBox::StandardButton CZOKToolDialog::showMessage(const QString &text, QMessageBox::Icon icon,
                                                        QMessageBox::StandardButtons buttons)
{
    return m_messageHook(this, ToolMessage{text, icon, buttons});
}

void CZOKToolDialog::swallowEnter()
{
    m_swallowEnter = true;
    for (QPushButton *button : findChildren<QPushButton *>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
}

void CZOKToolDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_opened) {
        m_opened = true;
        onOpening();
    }
}

void CZOKToolDialog::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (m_swallowEnter && enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
