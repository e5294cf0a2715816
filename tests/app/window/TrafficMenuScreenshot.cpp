// Renders the main window with its File menu open on Save Traffic..., after a parameter read from
// the receiver simulator and with two of the last traffic lines selected, in English and in
// French, to traffic-menu-en.png and traffic-menu-fr.png in the directory given as first argument
// (the current directory by default): the pictures of docs/traffic-capture.md. The English run
// also saves its capture there (traffic-capture-sample.txt): a read with tag reports around it
// and a frame broken off by the line.
#include "CColorListBox.h"
#include "CZOKDlg.h"
#include "CZOKSettings.h"
#include "Simulator.h"
#include "WindowSettings.h"
#include "ZokText.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

bool Shoot(zok::Language language, const QString &path, const QString &samplePath = {})
{
    zok::SelectLanguage(language);
    zok::sim::SimulatorConfig config;
    config.paceAtWireRate = true;
    config.receivers[0].firmware = " v13.6.0";
    config.receivers[0].tags = {"12AB", "0C3F"};
    config.receivers[0].tagRate = 15;
    zok::sim::Simulator sim(config);
    const std::string port = sim.start();
    QTemporaryDir dir;
    CZOKSettings settings;
    if (!LoadWindowSettings(settings, dir.path(), QByteArray::fromStdString(port)))
        return false;
    CZOKDlg window(settings);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    QTest::qWait(200);
    sim.sendRaw("[A20C");
    window.ReadParameters();
    if (!QTest::qWaitFor([&] { return window.State() == ExchangeState::Idle; }, 15000))
        return false;
    QTest::qWait(200);
    if (!samplePath.isEmpty()) {
        window.SetTrafficFileChooser([&](QWidget *) { return std::optional<QString>(samplePath); });
        window.SaveTraffic();
    }
    auto *traffic = window.findChild<CColorListBox *>(QStringLiteral("1008"));
    traffic->ShowPendingLines();
    const int rows = traffic->model()->rowCount();
    for (int row : {rows - 3, rows - 2})
        traffic->selectionModel()->select(traffic->model()->index(row, 0), QItemSelectionModel::Select);

    QMenuBar *bar = window.MenuBar();
    QAction *fileTitle = bar->actions().constFirst();
    QMenu *menu = fileTitle->menu();
    menu->popup(bar->mapToGlobal(bar->actionGeometry(fileTitle).bottomLeft()));
    if (!QTest::qWaitForWindowExposed(menu))
        return false;
    menu->setActiveAction(window.CommandAction(CZOKDlg::ID_SAVE_TRAFFIC));
    QTest::qWait(100);
    window.UpdateDialogControls();

    // The menu is a window of its own: painted onto the main window where it opened.
    QPixmap picture = window.grab();
    QPainter painter(&picture);
    painter.drawPixmap(menu->mapToGlobal(QPoint(0, 0)) - window.mapToGlobal(QPoint(0, 0)), menu->grab());
    painter.end();
    menu->hide();
    return picture.save(path);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    bool ok = Shoot(zok::Language::English, out.filePath(QStringLiteral("traffic-menu-en.png")),
                    out.filePath(QStringLiteral("traffic-capture-sample.txt")));
    ok = Shoot(zok::Language::French, out.filePath(QStringLiteral("traffic-menu-fr.png"))) && ok;
    if (!ok)
        std::fprintf(stderr, "could not render the traffic menu\n");
    return ok ? 0 : 1;
}
