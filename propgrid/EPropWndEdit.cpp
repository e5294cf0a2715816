#include "EPropWndEdit.h"

#include <QFocusEvent>

EPropWndEdit::EPropWndEdit(QWidget *parent) : QLineEdit(parent)
{
    setFrame(false);
    setTextMargins(0, 0, 0, 0);
}

void EPropWndEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (!m_closing)
        emit focusLost(event->reason());
}
