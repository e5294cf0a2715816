// The main window driving the exchange engine against the receiver simulator: the buttons, the
// speed menu commands, the firmware field, the progress bar and the write-speed warning.
#include "CColorListBox.h"
#include "CProgressBar.h"
#include "CZOKDlg.h"
#include "CZOKSettings.h"
#include "CZOKWriteSpeedWarning.h"
#include "LineText.h"
#include "Simulator.h"
#include "WindowSettings.h"
#include "ZokText.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <sys/resource.h>

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
            LoadWindowSettings(settings, dir.path(), QByteArray::fromStdString(port));
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

    // File > Save Traffic writes the engine's capture and says so; a save the system refuses
    // half-way (here: a file size limit) leaves the old file whole and says why. Copy Selected
    // Traffic puts the chosen traffic lines on the clipboard.
    void trafficIsSavedWholeOrNotAtAllAndCopied()
    {
        Fixture f;
        QStringList boxes;
        f.window->SetMessageBoxHook([&](const CDialogEx::MessageBoxRequest &request) {
            boxes << request.text;
            return QMessageBox::Ok;
        });
        const QString path = f.dir.filePath(QStringLiteral("capture.txt"));
        f.window->SetTrafficFileChooser([&](QWidget *) { return std::optional<QString>(path); });
        f.window->ReadParameters();
        QTRY_VERIFY_WITH_TIMEOUT(f.HasMessage(zok::Text(140)), 15000);

        f.window->CommandAction(CZOKDlg::ID_SAVE_TRAFFIC)->trigger();
        const auto frames = static_cast<qsizetype>(f.window->Exchange().Capture().Frames().size());
        QVERIFY(f.HasMessage(FillText(413, {path, QString::number(frames)})));
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray old = saved.readAll();
        saved.close();
        QVERIFY(old.startsWith("# ZOK traffic capture"));
        QCOMPARE(old.count("\n") - old.count("\n#") - 1, frames); // one line per frame
        QVERIFY(old.contains(" > 9600  [990001]\n"));

        // The next save cannot grow a file beyond the size of the old one.
        f.window->Exchange().Capture().Add(
            {0, 9600, zok::TrafficDirection::Received, zok::TrafficMark::None, std::string(500, 'x')});
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit small{static_cast<rlim_t>(old.size()), limit.rlim_max};
        setrlimit(RLIMIT_FSIZE, &small);
        f.window->CommandAction(CZOKDlg::ID_SAVE_TRAFFIC)->trigger();
        setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, previous);
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(boxes.front().startsWith(FillText(414, {path}).section(u'\n', 0, 0)),
                 qPrintable(boxes.front()));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), old);
        QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files).size(), 2); // no temporary file left behind

        CColorListBox *traffic = f.Control<CColorListBox>("1008");
        traffic->ShowPendingLines();
        traffic->selectionModel()->select(traffic->model()->index(0, 0), QItemSelectionModel::Select);
        traffic->selectionModel()->select(traffic->model()->index(1, 0), QItemSelectionModel::Select);
        f.window->CommandAction(CZOKDlg::ID_COPY_TRAFFIC)->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), traffic->LineText(0) + u'\n' + traffic->LineText(1));
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
