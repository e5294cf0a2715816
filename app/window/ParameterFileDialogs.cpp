#include "ParameterFileDialogs.h"

#include <QFileDialog>

namespace {

std::optional<QString> Run(QFileDialog &dialog)
{
    dialog.setNameFilter(ParameterFileDialogs::Filter());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString ParameterFileDialogs::Filter()
{
    return QStringLiteral("Paramètres ZOK (*.zok)");
}

ParameterFileDialogs ParameterFileDialogs::Standard()
{
    ParameterFileDialogs dialogs;
    dialogs.chooseSaveFile = [](QWidget *parent) {
        QFileDialog dialog(parent);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(QStringLiteral("zok"));
        return Run(dialog);
    };
    dialogs.chooseLoadFile = [](QWidget *parent) {
        QFileDialog dialog(parent);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::AnyFile);
        return Run(dialog);
    };
    return dialogs;
}
