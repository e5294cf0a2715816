#include "ToolMessage.h"

#include <QCoreApplication>

QMessageBox::StandardButton ShowToolMessage(QWidget *parent, const ToolMessage &message)
{
    QMessageBox box(message.icon, QCoreApplication::applicationName(), message.text, message.buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}
