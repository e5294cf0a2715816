// The main window driving the exchange engine against the receiver simulator: the buttons, the
// speed menu commands, the firmware field, the progress bar and the write-speed warning.
#include "CColorListBox.h"
#include "CProgressBar.h"
#include "CZOKDlg.h"
#include "CZOKSettings.h"
#include "CZOKWriteSpeedWarning.h"
#include "Simulator.h"
#include "ZokText.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class MainWindowExchangeTest : public QObject
{
    Q_OBJECT

    struct Fixture
    {
        zok::sim::Simulator sim;
        QTemporaryDir dir;
        CZOKSettings settings;
        std::unique_ptr<CZOKDlg> window;

        explicit Fixture(zok::sim::SimulatorConfig config = {}) : sim(std::move(config))
        {
            const std::string port = sim.start();
            QFile file(dir.filePath(QStringLiteral("ZOK.ini")));
            if (file.open(QIODevice::WriteOnly))
                file.write(QByteArray("[ZOK]\r\nSERIAL_PORT=") + port.c_str() + "\r\nRECEIVER_ID=01\r\n");
            file.close();
            settings.Load(file.fileName().toStdString());
            window = std::make_unique<CZOKDlg>(settings);
            window->SetMessageBoxHook([](const CDialogEx::MessageBoxRequest &) { return QMessageBox::Ok; });
        }
        template <typename T> T *Control(const char *id) const
        {
            return window->findChild<T *>(QString::fromLatin1(id));
        }
        bool HasMessage(const QString &text, int count = 1) const
        {
            int found = 0;
            const CColorListBox *list = Control<CColorListBox>("1007");
            for (int i = 0; i < list->count(); ++i)
                found += list->LineText(i) == text ? 1 : 0;
            return found >= count;
        }
    };

private slots:
    void readButtonFillsFirmwareAndEndsWithReadOk()
    {
        zok::sim::SimulatorConfig config;
        config.receivers[0].firmware = " v20.3.1";
        Fixture f(config);
        QPushButton *read = f.Control<QPushButton>("1004");
        QVERIFY(read->isEnabled());
        QTest::mouseClick(read, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(f.HasMessage(zok::Text(140)), 15000);
        QCOMPARE(f.Control<QLineEdit>("1003")->text(), QStringLiteral(" v20.3.1"));
        QCOMPARE(f.window->ProgressBar()->value(), 0);
        QCOMPARE(f.window->State(), ExchangeState::Idle);
    }

    // A right double-click empties the traffic list while tag reports pour in: no line from
    // before comes back, and the newest lines keep being shown.
    void rightDoubleClickClearsTheTrafficDuringAFlood()
    {
        zok::sim::SimulatorConfig config;
        config.receivers[0].tags = {"12AB"};
        config.receivers[0].tagRate = 2000;
        Fixture f(config);
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        auto *traffic = f.Control<CColorListBox>("1008");
        QTRY_COMPARE_WITH_TIMEOUT(traffic->model()->rowCount(), 500, 15000);
        const std::uint64_t dispatchedBefore = f.window->Exchange().FramesDispatched();
        QTest::mouseDClick(traffic->viewport(), Qt::RightButton, {}, QPoint(20, 5));
        QCOMPARE(traffic->count(), 0);
        QCOMPARE(traffic->model()->rowCount(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(traffic->model()->rowCount() > 0, 15000);
        const auto dispatchedSince = f.window->Exchange().FramesDispatched() - dispatchedBefore;
        QVERIFY(static_cast<std::uint64_t>(traffic->count()) <= dispatchedSince);
        QCOMPARE(traffic->currentIndex().row(), traffic->model()->rowCount() - 1);
    }

    void cancelledWarningWithItsBoxTickedSilencesLaterWarnings()
    {
        Fixture f;
        int warnings = 0;
        f.window->SetModalHook([&](QDialog &dialog) {
            if (!qobject_cast<CZOKWriteSpeedWarning *>(&dialog))
                return int(QDialog::Rejected);
            ++warnings;
            QTest::mouseClick(dialog.findChild<QCheckBox *>(QStringLiteral("1037")), Qt::LeftButton);
            return int(QDialog::Rejected);
        });
        QPushButton *write = f.Control<QPushButton>("1005");
        QTest::mouseClick(write, Qt::LeftButton);
        QCOMPARE(warnings, 1);
        QVERIFY(f.window->DontShowSpeedWarning());
        QCOMPARE(f.window->State(), ExchangeState::Idle);
        QCOMPARE(f.sim.commandCount(), std::size_t{0});

        QTest::mouseClick(write, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(f.HasMessage(zok::Text(149)), 15000);
        QCOMPARE(warnings, 1);
        QVERIFY(f.Control<QPushButton>("1004")->isEnabled());
    }

    void speedDetectionMenuFindsTheReceiver()
    {
        zok::sim::SimulatorConfig config;
        config.receivers[0].baud = 19200;
        Fixture f(config);
        f.window->CommandAction(CZOKDlg::ID_SPEED_DETECTION)->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(f.HasMessage(zok::Text(140), 2), 15000);
        QTRY_COMPARE_WITH_TIMEOUT(f.window->State(), ExchangeState::Idle, 15000);
        QCOMPARE(f.window->SerialPort().QueryBaudRate(), 19200);
    }

    void warningShowsItsTextAndBox()
    {
        bool reported = false;
        CZOKWriteSpeedWarning warning([&](bool dontShow) { reported = dontShow; });
        QVERIFY(warning.findChild<QWidget *>(QStringLiteral("1003")));
        QCheckBox *box = warning.findChild<QCheckBox *>(QStringLiteral("1037"));
        QVERIFY(box && !box->isChecked());
        QTest::mouseClick(box, Qt::LeftButton);
        QVERIFY(reported);
        QVERIFY(warning.DontShowChecked());
    }
};

QTEST_MAIN(MainWindowExchangeTest)
#include "MainWindowExchangeTest.moc"
