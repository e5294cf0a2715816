#include "CAboutDlg.h"
#include "LineColors.h"
#include "PtyPair.h"
#include "WindowFixture.h"
#include "ZokText.h"

#include "CProgressBar.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>

namespace {
const QString kMissingPort = QStringLiteral("/dev/zok-test-no-such-port");

const int kIdleOnly[] = {32771, 32772, 32774, 32775, 32785, 32776, 32779};
const int kAlways[] = {32773, 32788, 32791, 32777, 32778};

void UpdateAllMenus(CZOKDlg &window)
{
    for (QMenu *menu : window.MenuBar()->findChildren<QMenu *>())
        emit menu->aboutToShow();
}
} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { zok::SelectLanguage(zok::Language::English); }

    void startUpOnAMissingPortReportsItInRed()
    {
        WindowFixture f(kMissingPort);
        QCOMPARE(f.MessageLines(),
                 QStringList({QStringLiteral("Serial Port %1 opening error").arg(kMissingPort),
                              QStringLiteral("Select Configuration -> Serial Port")}));
        QCOMPARE(f.Messages()->LineColor(0), zok::LineColor::kRed);
        QCOMPARE(f.Messages()->LineColor(1), zok::LineColor::kRed);
        QVERIFY(f.ReadWriteDisabled());
        QVERIFY(!f.OpenPortBox()->isChecked());
        QVERIFY(f.Show());
        QCOMPARE(f.Pane(3), QStringLiteral("ERROR ") + kMissingPort);
    }

    void startUpWithoutSettingsLeavesThePortClosed()
    {
        PtyPair pty;
        QVERIFY(pty.Valid());
        WindowFixture f(pty.SlavePath(), false);
        QCOMPARE(f.MessageLines(), QStringList({QStringLiteral("ZOK.ini configuration file error.")}));
        QCOMPARE(f.Messages()->LineColor(0), zok::LineColor::kRed);
        QVERIFY(!f.window->SerialPort().IsOpen());
        QVERIFY(f.ReadWriteDisabled());
    }

    void startUpOnAPseudoTerminalOpensIt()
    {
        PtyPair pty;
        QVERIFY(pty.Valid());
        WindowFixture f(pty.SlavePath());
        QCOMPARE(f.MessageLines(),
                 QStringList({QStringLiteral("Serial Port %1 opening done").arg(pty.SlavePath())}));
        QCOMPARE(f.Messages()->LineColor(0), zok::LineColor::kGreen);
        QVERIFY(f.window->SerialPort().IsOpen());
        QCOMPARE(f.window->SerialPort().QueryBaudRate(), 9600);
        QCOMPARE(f.window->SerialPort().QueryStopBits(), 2);
        QVERIFY(f.ReadWriteEnabled());
        QVERIFY(f.OpenPortBox()->isChecked());
        QVERIFY(f.Show());
        QCOMPARE(f.Pane(3), QStringLiteral("Port %1 OK").arg(pty.SlavePath()));
    }

    void checkBoxOffAndOnReopensThePort()
    {
        PtyPair pty;
        WindowFixture f(pty.SlavePath());
        QVERIFY(f.Show());
        f.Messages()->clear();
        QTest::mouseClick(f.OpenPortBox(), Qt::LeftButton);
        QVERIFY(!f.window->SerialPort().IsOpen());
        QVERIFY(f.ReadWriteDisabled());
        QTest::mouseClick(f.OpenPortBox(), Qt::LeftButton);
        QVERIFY(f.window->SerialPort().IsOpen());
        QVERIFY(f.ReadWriteEnabled());
        QCOMPARE(f.MessageLines(),
                 QStringList({QStringLiteral("Serial port closing done"),
                              QStringLiteral("Serial Port %1 opening done").arg(pty.SlavePath())}));
        QCOMPARE(f.Messages()->LineColor(1), zok::LineColor::kGreen);
    }

    void checkBoxOutOfStepWithThePortSaysSo()
    {
        PtyPair pty;
        WindowFixture f(pty.SlavePath());
        QVERIFY(f.Show());
        f.Messages()->clear();
        f.OpenPortBox()->setChecked(false);
        QTest::mouseClick(f.OpenPortBox(), Qt::LeftButton);
        QCOMPARE(f.MessageLines(), QStringList({QStringLiteral("Serial port already opened.")}));

        f.window->SerialPort().Close();
        f.Messages()->clear();
        f.OpenPortBox()->setChecked(true);
        QTest::mouseClick(f.OpenPortBox(), Qt::LeftButton);
        QCOMPARE(f.MessageLines(), QStringList({QStringLiteral("Serial port already closed.")}));
        QVERIFY(f.ReadWriteDisabled());
    }

    void reopeningByProgramAnnouncesTheClosing()
    {
        PtyPair pty;
        WindowFixture f(pty.SlavePath());
        f.Messages()->clear();
        QVERIFY(f.window->OpenSerialPort(false));
        QCOMPARE(f.Messages()->count(), 0);
        QVERIFY(f.window->OpenSerialPort(true));
        QCOMPARE(f.MessageLines(),
                 QStringList({QStringLiteral("Serial port closing done"),
                              QStringLiteral("Serial Port %1 opening done").arg(pty.SlavePath())}));
    }

    void listsKeepTheLast500LinesAndShowTheEnd()
    {
        WindowFixture f(kMissingPort);
        QVERIFY(f.Show());
        for (CColorListBox *list : {f.Messages(), f.Traffic()}) {
            list->clear();
            for (int i = 0; i < 600; ++i) {
                const QString line = QStringLiteral("line %1").arg(i);
                if (list == f.Messages())
                    f.window->AddMessage(zok::LineColor::kBlue, line);
                else
                    f.window->AddTraffic(zok::LineColor::kOrange, line);
            }
            QCOMPARE(list->count(), 500);
            QCOMPARE(list->LineText(0), QStringLiteral("line 100"));
            QCOMPARE(list->LineText(499), QStringLiteral("line 599"));
            QTRY_COMPARE(list->model()->rowCount(), 500);
            QTRY_COMPARE(list->verticalScrollBar()->value(), list->verticalScrollBar()->maximum());
            QVERIFY(list->verticalScrollBar()->maximum() > 0);
            QCOMPARE(list->currentIndex().row(), 499);
            QVERIFY(list->selectionModel()->selectedIndexes().isEmpty());
        }
    }

    void menuCommandsOpenOnlyInIdle_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("pane0");
        QTest::newRow("Idle") << int(ExchangeState::Idle) << QStringLiteral("Ready");
        QTest::newRow("ReceiverScan") << int(ExchangeState::ReceiverScan) << QStringLiteral("Ready");
        QTest::newRow("Reading") << int(ExchangeState::Reading) << QStringLiteral("Reading ...");
        QTest::newRow("Writing") << int(ExchangeState::Writing) << QStringLiteral("Writing ...");
        QTest::newRow("TagTracking") << int(ExchangeState::TagTracking) << QString();
        QTest::newRow("RadioScan") << int(ExchangeState::RadioScan) << QString();
        QTest::newRow("IdFilter") << int(ExchangeState::IdFilter) << QString();
        QTest::newRow("SpeedDetection") << int(ExchangeState::SpeedDetection) << QStringLiteral("Speed...");
    }

    void menuCommandsOpenOnlyInIdle()
    {
        QFETCH(int, state);
        QFETCH(QString, pane0);
        WindowFixture f(kMissingPort);
        QVERIFY(f.Show());
        f.window->SetState(static_cast<ExchangeState>(state));
        UpdateAllMenus(*f.window);
        const bool idle = state == int(ExchangeState::Idle);
        for (int id : kIdleOnly)
            QVERIFY2(f.window->CommandAction(id)->isEnabled() == idle, qPrintable(QString::number(id)));
        for (int id : kAlways)
            QVERIFY2(f.window->CommandAction(id)->isEnabled(), qPrintable(QString::number(id)));
        QCOMPARE(f.Pane(0), pane0);
    }

    void statusPanesFollowTheWindow()
    {
        WindowFixture f(kMissingPort, true, 0x0A);
        QVERIFY(f.Show());
        QCOMPARE(f.Pane(2), QStringLiteral("SYNC"));
        QCOMPARE(f.Pane(4), QStringLiteral("Receiver 0A"));
        f.window->SetPropertiesModified(true);
        QCOMPARE(f.Pane(2), QStringLiteral("#"));
        f.settings->SetReceiverAddress(0xFF);
        QCOMPARE(f.Pane(4), QStringLiteral("Receiver FF"));
        // Pane 1 holds the progress bar and shows no text of its own.
        QCOMPARE(f.Pane(1), QString());
        QVERIFY(f.window->ProgressBar()->isVisible());
        QCOMPARE(f.window->ProgressBar()->value(), 0);
        QCOMPARE(f.window->ProgressBar()->BarColor(), QColor(0, 64, 128));
    }

    void speedConfigurationIsTickedWhileEnabled()
    {
        WindowFixture f(kMissingPort);
        QAction *speed = f.window->CommandAction(CZOKDlg::ID_ENABLE_SPEED_CONFIGURATION);
        UpdateAllMenus(*f.window);
        QVERIFY(!speed->isChecked());
        speed->trigger();
        QVERIFY(f.window->SpeedConfigurationEnabled());
        UpdateAllMenus(*f.window);
        QVERIFY(speed->isChecked());
        speed->trigger();
        QVERIFY(!f.window->SpeedConfigurationEnabled());
        QVERIFY(!speed->isChecked());
    }

    void framesAreLoggedInBlueAndEmptyOnesDropped()
    {
        PtyPair pty;
        WindowFixture f(pty.SlavePath());
        QVERIFY(pty.Send("noise[][0B0501]"));
        QTRY_COMPARE(f.Traffic()->count(), 1);
        QCOMPARE(f.Traffic()->LineText(0), QStringLiteral("[0B0501]"));
        QCOMPARE(f.Traffic()->LineColor(0), zok::LineColor::kBlue);
    }

    void aLostPortIsReportedAndAnotherCanBeOpened()
    {
        auto pty = std::make_unique<PtyPair>();
        WindowFixture f(pty->SlavePath());
        QVERIFY(f.window->SerialPort().IsOpen());
        f.Messages()->clear();
        pty->CloseMaster();
        QTRY_COMPARE(f.Messages()->count(), 1);
        QVERIFY(f.MessageLines().first().contains(pty->SlavePath()));
        QCOMPARE(f.Messages()->LineColor(0), zok::LineColor::kRed);
        QVERIFY(f.OpenPortBox()->isChecked()); // awaited
        QVERIFY(f.ReadWriteDisabled());
        QVERIFY(!f.window->SerialPort().IsOpen());

        // Given up on (the box unticked), then another line opened from the box.
        pty = std::make_unique<PtyPair>();
        f.settings->SetPortName(pty->SlavePath().toStdString());
        QVERIFY(f.Show());
        QTest::mouseClick(f.OpenPortBox(), Qt::LeftButton);
        QVERIFY(!f.OpenPortBox()->isChecked());
        QVERIFY(!f.window->Exchange().WaitingForPort());
        QTest::mouseClick(f.OpenPortBox(), Qt::LeftButton);
        QVERIFY(f.window->SerialPort().IsOpen());
        QVERIFY(f.ReadWriteEnabled());
    }

    void everyControlCarriesItsId()
    {
        WindowFixture f(kMissingPort);
        QCOMPARE(f.window->objectName(), QStringLiteral("102"));
        for (const char *id : {"1002", "1003", "1004", "1005", "1007", "1008", "1037", "57670"})
            QVERIFY2(f.window->findChild<QWidget *>(QString::fromLatin1(id)), id);
        QVERIFY(f.Control<QLineEdit>("1003")->isReadOnly());
        for (int id : kIdleOnly)
            QCOMPARE(f.window->CommandAction(id)->objectName(), QString::number(id));
        for (int id : kAlways)
            QCOMPARE(f.window->CommandAction(id)->objectName(), QString::number(id));
    }

    void propertyControlTakesThePlaceholdersPlace()
    {
        WindowFixture f(kMissingPort);
        QVERIFY(f.Show());
        QWidget *placeholder = f.window->PropertyControl();
        const QRect area = placeholder->geometry();
        auto *grid = new QWidget;
        grid->setMinimumSize(placeholder->minimumSize());
        f.window->SetPropertyControl(grid);
        QCOMPARE(f.window->findChild<QWidget *>(QStringLiteral("1002")), grid);
        QTRY_COMPARE(grid->geometry(), area);
    }

    void titleHelpAndAbout()
    {
        WindowFixture f(kMissingPort);
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Oxa Reader Manager v" ZOK_VERSION_TEXT));
        QVERIFY(!f.window->windowIcon().isNull());

        f.window->CommandAction(CZOKDlg::ID_HELP)->trigger();
        QTest::mouseClick(f.Control<QPushButton>("57670"), Qt::LeftButton);
        QCOMPARE(f.opened.size(), 2);
        QCOMPARE(f.opened.first().fileName(), QStringLiteral("Notice ZOK.pdf"));
        QCOMPARE(QFileInfo(f.opened.first().toLocalFile()).absolutePath(), QDir::currentPath());

        QString shownTitle, shownVersion;
        f.window->SetModalHook([&](QDialog &dialog) {
            shownTitle = dialog.windowTitle();
            shownVersion = static_cast<CAboutDlg &>(dialog).VersionText();
            return int(QDialog::Accepted);
        });
        f.window->CommandAction(CZOKDlg::ID_ABOUT)->trigger();
        QCOMPARE(shownTitle, QStringLiteral("À propos de ZOK"));
        QCOMPARE(shownVersion, f.window->windowTitle());
    }

    // F1 is the desktop's help key: it opens the help document like the button and the menu item.
    void f1OpensTheHelpDocument()
    {
        WindowFixture f(kMissingPort);
        QVERIFY(f.Show());
        f.window->activateWindow();
        QTRY_VERIFY(f.window->isActiveWindow());
        f.Control<QWidget>("1007")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QCOMPARE(f.opened.size(), 1);
        QCOMPARE(f.opened.first().fileName(), QStringLiteral("Notice ZOK.pdf"));
    }

    // Enter starts no read (it would replace unsaved edits) and Escape does not end the program.
    void enterAndEscapeLeaveTheWindowAlone()
    {
        PtyPair pty;
        WindowFixture f(pty.SlavePath());
        QVERIFY(f.Show());
        f.window->activateWindow();
        QTRY_VERIFY(f.window->isActiveWindow());
        QVERIFY(f.ReadWriteEnabled());
        for (const char *id : {"1003", "1007", "1008", "1037"}) {
            f.Control<QWidget>(id)->setFocus();
            QTest::keyClick(f.Control<QWidget>(id), Qt::Key_Return);
            QTest::keyClick(f.Control<QWidget>(id), Qt::Key_Enter, Qt::KeypadModifier);
            QTest::keyClick(f.Control<QWidget>(id), Qt::Key_Escape);
        }
        QCOMPARE(f.window->State(), ExchangeState::Idle);
        QCOMPARE(f.Traffic()->count(), 0);
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.window->result(), 0);
        QVERIFY(f.window->SerialPort().IsOpen());
    }

    void exitClosesThePort()
    {
        PtyPair pty;
        WindowFixture f(pty.SlavePath());
        QVERIFY(f.Show());
        f.window->CommandAction(CZOKDlg::ID_EXIT)->trigger();
        QCOMPARE(f.window->result(), int(QDialog::Accepted));
        QVERIFY(!f.window->SerialPort().IsOpen());
        QVERIFY(!f.window->isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
