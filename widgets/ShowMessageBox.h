#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// Every message box of the program goes through here. When a CDialogEx above `owner` has a
// message-box hook (tests set one), the hook answers instead, so no box ever blocks a test.
QMessageBox::StandardButton ShowMessageBox(QWidget *owner, const QString &text, const QString &title,
                                           QMessageBox::Icon icon,
                                           QMessageBox::StandardButtons buttons = QMessageBox::Ok);
