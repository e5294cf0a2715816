// The main window while its port is away: the receiver simulator behind a symbolic link is
// unplugged (stopped, link removed) and plugged again (a new simulator behind the same link).
#include "LineText.h"
#include "Simulator.h"
#include "WindowFixture.h"
#include "WindowText.h"
#include "ZokText.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <filesystem>

class MainWindowReplugTest : public QObject
{
    Q_OBJECT

private slots:
    void theBoxStaysTickedWhileThePortIsAwaitedAndItComesBack()
    {
        QTemporaryDir dir;
        const QString link = dir.filePath(QStringLiteral("ttyUSB-by-id"));
        auto sim = std::make_unique<zok::sim::Simulator>();
        std::filesystem::create_symlink(sim->start(), link.toStdString());
        WindowFixture f(link, true, 0x01);
        QVERIFY(f.Show());
        QVERIFY(f.window->Exchange().IsPortOpen());

        sim->stop();
        std::filesystem::remove(link.toStdString());
        QTRY_COMPARE(f.Pane(0), zok::Text(440));
        QVERIFY(f.OpenPortBox()->isChecked());
        QVERIFY(f.ReadWriteDisabled());
        QVERIFY(f.Pane(3).startsWith(FillText(129, {QString()})));
        QCOMPARE(f.Traffic()->LineText(f.Traffic()->count() - 1), FillText(441, {link}));
        QCOMPARE(f.MessageLines().count(zok::Caption(zok::WindowText::PortLost).arg(link)), 1);
        // The window goes on as with a closed port: the port dialog, for one, is offered.
        for (QMenu *menu : f.window->MenuBar()->findChildren<QMenu *>())
            emit menu->aboutToShow();
        QVERIFY(f.window->CommandAction(CZOKDlg::ID_SERIAL_PORT)->isEnabled());

        sim = std::make_unique<zok::sim::Simulator>();
        std::filesystem::create_symlink(sim->start(), link.toStdString());
        QTRY_VERIFY_WITH_TIMEOUT(f.window->Exchange().IsPortOpen(), 10000);
        QCOMPARE(f.Pane(0), zok::Text(131));
        QVERIFY(f.OpenPortBox()->isChecked());
        QVERIFY(f.ReadWriteEnabled());
        QCOMPARE(f.MessageLines().last(), FillText(442, {link, QStringLiteral("9600")}));
        f.window->ReadParameters();
        QTRY_VERIFY_WITH_TIMEOUT(f.MessageLines().contains(zok::Text(140)), 10000);
    }
};

QTEST_MAIN(MainWindowReplugTest)
#include "MainWindowReplugTest.moc"
