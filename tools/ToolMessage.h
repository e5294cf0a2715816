#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

// One message box a tool dialog wants to show.
struct ToolMessage
{
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
};

// Shows a message box and returns the button pressed. Tests replace it so that no modal box
// ever blocks them.
using ToolMessageHook =
    std::function<QMessageBox::StandardButton(QWidget *parent, const ToolMessage &message)>;

// The program's message box (ShowMessageBox), titled with the application's name.
QMessageBox::StandardButton ShowToolMessage(QWidget *parent, const ToolMessage &message);
