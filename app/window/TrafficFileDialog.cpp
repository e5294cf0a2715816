#include "TrafficFileDialog.h"

#include "ZokText.h"

#include <QDateTime>
#include <QFileDialog>

namespace {
constexpr int kFilterText = 412;
} // namespace

std::optional<QString> ChooseTrafficFile(QWidget *parent)
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setNameFilter(zok::Text(kFilterText));
    dialog.selectFile(
        QDateTime::currentDateTime().toString(QStringLiteral("'zok-traffic-'yyyyMMdd-HHmmss'.txt'")));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}
