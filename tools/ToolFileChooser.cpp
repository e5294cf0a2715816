#include "ToolFileChooser.h"

#include <QFileDialog>

std::optional<QString> ChooseToolFile(QWidget *parent, const ToolFileRequest &request)
{
    // On the stack: the dialog lives exactly as long as its own nested loop.
    QFileDialog dialog(parent, request.title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(request.filter);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, request.appends);
    if (!request.suggested.isEmpty())
        dialog.selectFile(request.suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}
