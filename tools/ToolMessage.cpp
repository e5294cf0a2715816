#include "ToolMessage.h"

#include "ShowMessageBox.h"

#include <QCoreApplication>

QMessageBox::StandardButton ShowToolMessage(QWidget *parent, const ToolMessage &message)
{
    // The program's one message-box function, so that a hook set on the main window answers too.
    return ShowMessageBox(parent, message.text, QCoreApplication::applicationName(), message.icon,
                          message.buttons);
}
