#include "ShowMessageBox.h"

#include "CDialogEx.h"

QMessageBox::StandardButton ShowMessageBox(QWidget *owner, const QString &text, const QString &title,
                                           QMessageBox::Icon icon, QMessageBox::StandardButtons buttons)
{
    for (QWidget *w = owner; w; w = w->parentWidget()) {
        auto *dialog = qobject_cast<CDialogEx *>(w);
        if (dialog && dialog->MessageBoxHook())
            return dialog->MessageBoxHook()({text, title, icon, buttons});
    }
    QMessageBox box(icon, title, text, buttons, owner);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}
