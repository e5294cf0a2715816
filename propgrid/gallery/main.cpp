// The property grid gallery: every row kind on two pages, in a dialog as a program would use it.
// With --screenshot FILE it starts an edit, saves a picture of the dialog and quits.
#include "ECommentPane.h"
#include "EPropCtrl.h"
#include "EPropListCtrl.h"
#include "EPropWndEdit.h"
#include "GalleryHost.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <clocale>

namespace {
constexpr int kGridId = 1002;

void takeScreenshot(QDialog &dialog, EPropCtrl &grid, const QString &file)
{
    EPropListCtrl &list = grid.List();
    list.Select(list.List().Row(4));
    if (auto *edit = list.findChild<EPropWndEdit *>(QStringLiteral("600"))) {
        edit->setText(QStringLiteral("0x1F"));
        edit->setCursorPosition(3);
    }
    QTimer::singleShot(100, &dialog, [&dialog, file] {
        dialog.grab().save(file);
        dialog.accept();
    });
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    GalleryHost host;
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Property grid gallery"));
    dialog.resize(420, 400);
    auto *layout = new QVBoxLayout(&dialog);
    auto *placeholder = new QWidget(&dialog);
    placeholder->setObjectName(QString::number(kGridId));
    layout->addWidget(placeholder, 1);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    EPropCtrl grid;
    grid.CreateFromPlaceholder(&dialog, kGridId);
    grid.ShowComment(true);
    grid.SetCommentHeight(70);
    grid.List().SetAutoSizeNameColumn(true);
    grid.SetHost(&host);
    grid.SetListener(&host);
    grid.SetCommentTitle(QStringLiteral("Help :"));
    const QStringList args = app.arguments();
    const qsizetype shot = args.indexOf(QStringLiteral("--screenshot"));
    dialog.show();
    if (shot > 0 && shot + 1 < args.size())
        takeScreenshot(dialog, grid, args[shot + 1]);
    return dialog.exec() == QDialog::Accepted ? 0 : 1;
}
