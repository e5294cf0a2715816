// Renders the main window after a parameter read from the receiver simulator, then waiting for its
// port once the line is unplugged, in English and in French, to main-window-en.png,
// main-window-fr.png, main-window-waiting-en.png and main-window-waiting-fr.png in the directory
// given as first argument (the current directory by default): the pictures of the documentation.
#include "CColorListBox.h"
#include "CZOKDlg.h"
#include "CZOKSettings.h"
#include "EPropCtrl.h"
#include "EPropListCtrl.h"
#include "EProperty.h"
#include "Simulator.h"
#include "WindowSettings.h"
#include "ZokText.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <memory>

namespace {

// After the read, `path`; then the line is unplugged (the simulator stopped, the link that the
// settings name removed) and the window waiting for its port is `waitingPath`.
bool Shoot(zok::Language language, const QString &path, const QString &waitingPath)
{
    zok::SelectLanguage(language);
    auto sim = std::make_unique<zok::sim::Simulator>();
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/zok-XXXXXX"));
    const QString link = dir.filePath(QStringLiteral("ttyUSB0"));
    if (!QFile::link(QString::fromStdString(sim->start()), link))
        return false;
    CZOKSettings settings;
    if (!LoadWindowSettings(settings, dir.path(), link.toLocal8Bit()))
        return false;
    CZOKDlg window(settings);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    window.ReadParameters();
    if (!QTest::qWaitFor([&] { return ReadDone(window); }, 15000))
        return false;
    // A selected row shows its help text in the comment pane.
    EPropListCtrl &list = window.PropertyGrid()->List();
    list.Select(list.List().Row(1));
    QTest::qWait(100);
    window.UpdateDialogControls();
    if (!window.grab().save(path))
        return false;
    sim.reset();
    QFile::remove(link);
    if (!QTest::qWaitFor([&] { return window.Exchange().WaitingForPort(); }, 5000))
        return false;
    QTest::qWait(100);
    window.UpdateDialogControls();
    return window.grab().save(waitingPath);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    bool ok = Shoot(zok::Language::English, out.filePath(QStringLiteral("main-window-en.png")),
                    out.filePath(QStringLiteral("main-window-waiting-en.png")));
    ok = Shoot(zok::Language::French, out.filePath(QStringLiteral("main-window-fr.png")),
               out.filePath(QStringLiteral("main-window-waiting-fr.png"))) &&
         ok;
    if (!ok)
        std::fprintf(stderr, "could not render the main window\n");
    return ok ? 0 : 1;
}
