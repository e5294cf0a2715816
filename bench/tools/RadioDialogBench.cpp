// CPU of the whole radio scan dialog at the shortest poll period (20 ms, 50 answers a second),
// with the plot's 2-minute series full and recording on (radio log and CSV record): the dialog is
// shown, polls on its real timer, and each poll is answered at once, as the engine would forward
// the receiver's answer. Prints the process CPU time over the run per second of wall time.
// Usage: bench_radio_dialog [seconds] (10 by default). Run under QT_QPA_PLATFORM=offscreen.
#include "CZOKRadioFollowDlg.h"
#include "ExchangeEvents.h"
#include "IToolExchange.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <ctime>

namespace {

double CpuSeconds()
{
    timespec t{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Answers every poll at once with a level that wanders, posted like the engine's forwarding.
class LoopbackExchange : public IToolExchange
{
public:
    void SendCommand(const std::string &) override
    {
        ++polls;
        if (m_dialog)
            QCoreApplication::postEvent(m_dialog, new ForwardedFrameEvent(WM_RADIO_FRAME, NextAnswer(),
                                                                          QDateTime::currentDateTime()));
    }
    void StartReceiverScan() override {}
    void EnterTagTracking() override {}
    void EnterRadioScan() override {}
    void EnterIdFilter() override {}
    void RegisterMonitor(MonitorKind, QObject *dialog) override { m_dialog = dialog; }
    unsigned char ReceiverAddress() const override { return 0x05; }

    QString NextAnswer()
    {
        m_level = (m_level * 37 + 11) % 120;
        return QString::asprintf("97%02X05", unsigned(100 + m_level));
    }
    long long polls = 0;

private:
    QPointer<QObject> m_dialog;
    int m_level = 0;
};

// Runs the event loop for `ms`, sleeping while nothing happens.
void Wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    QTemporaryDir directory;
    LoopbackExchange exchange;
    CZOKRadioFollowDlg dialog(exchange, directory.path());
    dialog.setMessageHook([](QWidget *, const ToolMessage &) { return QMessageBox::Ok; });

    // Two minutes of answers at 20 ms before now: the plot's series full from the first paint.
    const qint64 start = QDateTime::currentMSecsSinceEpoch() - 120000;
    qint64 ms = start;
    dialog.setClock([&ms] { return QDateTime::fromMSecsSinceEpoch(ms); });
    dialog.resize(560, 460);
    dialog.show();
    for (; ms < start + 120000; ms += 20)
        dialog.handleFrame(exchange.NextAnswer());
    dialog.setClock([] { return QDateTime::currentDateTime(); });
    dialog.findChild<QCheckBox *>(QStringLiteral("1282"))->setChecked(true);
    dialog.findChild<QLineEdit *>(QStringLiteral("1021"))->setText(QStringLiteral("20"));
    dialog.start();
    Wait(1000); // settle: first paints, fonts

    const long long pollsBefore = exchange.polls;
    const double cpuBefore = CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    Wait(seconds * 1000);
    const double cpu = CpuSeconds() - cpuBefore;
    const double elapsed = static_cast<double>(wall.elapsed()) / 1000.0;
    const long long answers = exchange.polls - pollsBefore;
    std::printf(
        "radio dialog, 20 ms period, %zu samples plotted, recording log + CSV: %lld answers in %.1f s "
        "(%.1f/s), CPU %.3f s = %.1f %% of a core, %.2f ms per answer\n",
        dialog.series().samples().size(), answers, elapsed, static_cast<double>(answers) / elapsed, cpu,
        100.0 * cpu / elapsed, answers > 0 ? 1000.0 * cpu / static_cast<double>(answers) : 0.0);
    dialog.done(QDialog::Accepted);
    return answers > 0 ? 0 : 1;
}
