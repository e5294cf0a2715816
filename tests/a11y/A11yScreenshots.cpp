// Renders the pictures of docs/a11y/ under a dark palette at scale 2, as a high-DPI desktop with a
// dark theme shows ZOK: the main window after a read, the grid with a row's choice menu open, the
// radio scan dialog and the compare dialog. Argument: the folder to write to (default: current).
#include "CColorListBox.h"
#include "CZOKDlg.h"
#include "CZOKSettings.h"
#include "DarkPalette.h"
#include "EPropCtrl.h"
#include "EPropList.h"
#include "EPropListCtrl.h"
#include "EProperty.h"
#include "ParameterFile.h"
#include "Simulator.h"
#include "WindowSettings.h"
#include "WindowTour.h"
#include "ZokText.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace {

// The window with an open popup drawn where it stands.
QPixmap WithPopup(QWidget &window, QWidget *popup)
{
    QPixmap picture = window.grab();
    if (popup) {
        QPainter painter(&picture);
        painter.drawPixmap(popup->mapToGlobal(QPoint()) - window.mapToGlobal(QPoint()), popup->grab());
    }
    return picture;
}

bool Save(const QPixmap &picture, const QDir &out, const char *name)
{
    const bool ok = picture.save(out.filePath(QString::fromLatin1(name)));
    std::fprintf(stderr, "%s %s\n", ok ? "wrote" : "could not write", name);
    return ok;
}

bool Shoot(const QDir &out)
{
    zok::sim::Simulator sim;
    const std::string port = sim.start();
    QTemporaryDir dir;
    CZOKSettings settings;
    if (!LoadWindowSettings(settings, dir.path(), QByteArray::fromStdString(port)))
        return false;
    CZOKDlg window(settings);
    window.SetMessageBoxHook([](const CDialogEx::MessageBoxRequest &) { return QMessageBox::Ok; });
    // The receiver differs from the file in a few values, so the compare dialog shows differences.
    const QString set = dir.filePath(QStringLiteral("set.zok"));
    if (zok::SaveParameterFile(set.toStdString(), window.Properties()) != zok::SaveOutcome::Saved)
        return false;
    ParameterFileDialogs dialogs;
    dialogs.chooseLoadFile = [set](QWidget *) { return std::optional(set); };
    window.SetFileDialogs(dialogs);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    window.ReadParameters();
    if (!QTest::qWaitFor([&] { return ReadDone(window); }, 15000))
        return false;
    EPropListCtrl &list = window.PropertyGrid()->List();
    list.setFocus();
    list.Select(list.List().Row(1));
    QTest::qWait(100);
    window.UpdateDialogControls();
    bool ok = Save(window.grab(), out, "main-window-dark-x2.png");

    // A choice row's menu, opened with the keyboard (F4) as a keyboard user does.
    QTimer::singleShot(300, &window, [&] {
        QWidget *menu = QApplication::activePopupWidget();
        ok = Save(WithPopup(window, menu), out, "grid-choice-menu-dark-x2.png") && menu && ok;
        if (menu)
            menu->close();
    });
    QTest::keyClick(&list, Qt::Key_F4);

    const char *wanted = "";
    window.SetModalHook([&](QDialog &dialog) {
        dialog.show();
        const bool exposed = QTest::qWaitForWindowExposed(&dialog);
        QTest::qWait(1500); // the dialog's first answers arrive
        ok = exposed && Save(dialog.grab(), out, wanted) && ok;
        dialog.reject();
        return static_cast<int>(QDialog::Rejected);
    });
    for (const zok::tour::Step &step : zok::tour::DialogSteps()) {
        const QString name = QString::fromLatin1(step.name);
        if (name != QLatin1String("radio-scan") && name != QLatin1String("compare"))
            continue;
        wanted = name == QLatin1String("compare") ? "compare-dark-x2.png" : "radio-scan-dark-x2.png";
        if (!QTest::qWaitFor([&] { return window.State() == ExchangeState::Idle; }, 5000))
            return false;
        step.open(window);
    }
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(zok::tour::DarkPalette());
    zok::SelectLanguage(zok::Language::English);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    const bool ok = Shoot(out);
    if (!ok)
        std::fprintf(stderr, "could not render the pictures\n");
    return ok ? 0 : 1;
}
