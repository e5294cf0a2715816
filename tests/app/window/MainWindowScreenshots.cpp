// Renders the main window after a parameter read from the receiver simulator, in English and in
// French, to main-window-en.png and main-window-fr.png in the directory given as first argument
// (the current directory by default): the pictures of the documentation.
#include "CColorListBox.h"
#include "CZOKDlg.h"
#include "CZOKSettings.h"
#include "EPropCtrl.h"
#include "EPropListCtrl.h"
#include "EProperty.h"
#include "Simulator.h"
#include "ZokText.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

bool ReadDone(const CZOKDlg &window)
{
    const auto *list = window.findChild<CColorListBox *>(QStringLiteral("1007"));
    for (int i = 0; list && i < list->count(); ++i)
        if (list->LineText(i) == zok::Text(140))
            return true;
    return false;
}

bool Shoot(zok::Language language, const QString &path)
{
    zok::SelectLanguage(language);
    zok::sim::Simulator sim;
    const std::string port = sim.start();
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("ZOK.ini")));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QByteArray("[ZOK]\r\nSERIAL_PORT=") + port.c_str() + "\r\nRECEIVER_ID=01\r\n");
    file.close();
    CZOKSettings settings;
    settings.Load(file.fileName().toStdString());
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
    return window.grab().save(path);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    bool ok = Shoot(zok::Language::English, out.filePath(QStringLiteral("main-window-en.png")));
    ok = Shoot(zok::Language::French, out.filePath(QStringLiteral("main-window-fr.png"))) && ok;
    if (!ok)
        std::fprintf(stderr, "could not render the main window\n");
    return ok ? 0 : 1;
}
