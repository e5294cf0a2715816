// The real main window, offscreen, receiving tag reports from zok-sim at a steady rate in state
// Idle (the frames only go to the traffic list). For each rate it prints the process CPU time
// (start-up included, and the flood alone), peak and final RSS, the frames the engine's dispatcher
// counted (FramesDispatched) against those zok-sim sent (it counts a frame that its full
// pseudo-terminal refused as sent, and says how many bytes were refused), the delay from a frame's reception
// to the paint that shows its line, and how long a click on a menu and on a button waited while the flood
// ran. POSIX only: the figures come from getrusage, and zok-sim serves a pseudo-terminal.
//
//   bench_window_flood                 1, 1,000 and 10,000 frames/s, 10 s each, one process each
//   bench_window_flood RATE [SECONDS]  one run in this process
#include "CColorListBox.h"
#include "CZOKDlg.h"
#include "CZOKSettings.h"
#include "FloodProbe.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <clocale>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace {

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval &t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double PeakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

double CurrentRssMb()
{
    QFile file(QStringLiteral("/proc/self/statm"));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = file.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * static_cast<double>(getpagesize()) / (1024.0 * 1024.0)
                             : 0;
}

double Percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

// The ring's memory: the deque's blocks of frames (512 bytes each in libstdc++, with one map
// pointer per block), and the text of each frame that does not fit in the frame itself.
std::size_t CaptureBytes(const zok::TrafficCapture &capture)
{
    constexpr std::size_t kBlock = 512;
    const std::size_t perBlock = std::max<std::size_t>(1, kBlock / sizeof(zok::CapturedFrame));
    const std::size_t blocks = (capture.Frames().size() + perBlock - 1) / perBlock;
    std::size_t bytes = blocks * (kBlock + sizeof(void *));
    for (const zok::CapturedFrame &frame : capture.Frames()) {
        if (frame.bytes.capacity() > std::string().capacity())
            bytes += frame.bytes.capacity() + 1;
    }
    return bytes;
}

// Runs the event loop for `ms`, sleeping while nothing happens (processEvents with a time limit
// would spin and count its own spinning as the window's CPU).
void Wait(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// zok-sim with one receiver whose tag reports wait for SIGUSR1; it says on stderr how many
// frames it had sent at each switch.
class Simulator
{
public:
    explicit Simulator(int rate)
    {
        m_process.start(QStringLiteral(ZOK_SIM_BINARY),
                        {QStringLiteral("--tags-paused"), QStringLiteral("--tag"), QStringLiteral("12AB"),
                         QStringLiteral("--tag-rate"), QString::number(rate)});
        if (m_process.waitForStarted() && m_process.waitForReadyRead(5000))
            m_port = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    }
    ~Simulator()
    {
        m_process.terminate();
        m_process.waitForFinished(5000);
    }
    const QString &Port() const { return m_port; }

    // What zok-sim said at a switch of the reports: frames sent before it, and bytes its full
    // line refused (the window did not read in time); -1 when it said nothing.
    struct Count
    {
        long long sent = -1;
        long long refused = -1;
    };
    Count Toggle()
    {
        ::kill(static_cast<pid_t>(m_process.processId()), SIGUSR1);
        static const QRegularExpression sent(
            QStringLiteral("frames sent (\\d+), bytes refused by the full line (\\d+)"));
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 5000) {
            m_stderr += m_process.readAllStandardError();
            const int end = m_stderr.indexOf('\n');
            if (end >= 0) {
                const QString line = QString::fromLocal8Bit(m_stderr.left(end));
                m_stderr.remove(0, end + 1);
                const auto match = sent.match(line);
                if (match.hasMatch())
                    return {match.captured(1).toLongLong(), match.captured(2).toLongLong()};
            }
            m_process.waitForReadyRead(50);
        }
        return {};
    }

private:
    QProcess m_process;
    QString m_port;
    QByteArray m_stderr;
};

// Ends the process with a message unless disarmed (destroyed) within the limit.
class Watchdog
{
public:
    Watchdog(std::chrono::seconds limit, int rate)
        : m_thread([this, limit, rate] {
              std::unique_lock lock(m_mutex);
              if (!m_done.wait_for(lock, limit, [this] { return m_disarmed; })) {
                  std::fprintf(stderr,
                               "%6d frames/s: the window's event loop did not come back within %lld s\n",
                               rate, static_cast<long long>(limit.count()));
                  std::_Exit(2);
              }
          })
    {
    }
    ~Watchdog()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_disarmed = true;
        }
        m_done.notify_all();
        m_thread.join();
    }
    Watchdog(const Watchdog &) = delete;
    Watchdog &operator=(const Watchdog &) = delete;

private:
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_disarmed = false;
    std::thread m_thread;
};

// Posts a press and a release to the widget, behind whatever the event queue already holds, and
// returns the milliseconds until `handled` became true, or -1.
template <typename Handled> double ClickDelay(QWidget *widget, QPoint at, Handled handled)
{
    QElapsedTimer timer;
    timer.start();
    const QPointF local(at);
    const QPointF global(widget->mapToGlobal(at));
    QCoreApplication::postEvent(widget, new QMouseEvent(QEvent::MouseButtonPress, local, global,
                                                        Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(widget, new QMouseEvent(QEvent::MouseButtonRelease, local, global,
                                                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
    QTimer tick; // wakes the wait below even when no frame arrives
    tick.start(10);
    while (!handled() && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return handled() ? static_cast<double>(timer.nsecsElapsed()) / 1e6 : -1;
}

int RunOne(int rate, int seconds)
{
    Simulator sim(rate);
    if (sim.Port().isEmpty()) {
        std::fprintf(stderr, "zok-sim did not start (%s)\n", ZOK_SIM_BINARY);
        return 1;
    }
    QTemporaryDir dir;
    QFile ini(dir.filePath(QStringLiteral("ZOK.ini")));
    if (!ini.open(QIODevice::WriteOnly))
        return 1;
    ini.write(QStringLiteral("[ZOK]\r\nSERIAL_PORT=%1\r\nRECEIVER_ID=01\r\n").arg(sim.Port()).toLocal8Bit());
    // The traffic capture's size, as a user sets it (0: off); the default when not given.
    if (const QByteArray frames = qgetenv("ZOK_CAPTURE_FRAMES"); !frames.isEmpty())
        ini.write("TRAFFIC_CAPTURE_FRAMES=" + frames + "\r\n");
    ini.close();
    CZOKSettings settings;
    settings.Load(ini.fileName().toStdString());
    CZOKDlg window(settings);
    window.SetMessageBoxHook([](const CDialogEx::MessageBoxRequest &) { return QMessageBox::Ok; });
    window.show();
    Wait(300);
    if (!window.Exchange().IsPortOpen()) {
        std::fprintf(stderr, "the window did not open %s\n", qPrintable(sim.Port()));
        return 1;
    }
    auto *traffic = window.findChild<CColorListBox *>(QStringLiteral("1008"));
    FloodProbe probe(window.Exchange(), *traffic);
    const std::uint64_t dispatchedBefore = window.Exchange().FramesDispatched();
    const auto dispatched = [&] { return window.Exchange().FramesDispatched() - dispatchedBefore; };
    // A window that cannot keep up starves its own timers and the probes with them: end the run
    // with a report rather than hang.
    const Watchdog watchdog(std::chrono::seconds(3 * seconds + 30), rate);

    const double cpuBeforeFlood = CpuSeconds();
    const auto before = sim.Toggle();
    Wait(seconds * 1000 / 2);

    // Halfway: a menu of the menu bar opens, then a button click is handled.
    QMenuBar *bar = window.findChild<QMenuBar *>();
    QMenu *menu = bar && !bar->actions().isEmpty() ? bar->actions().first()->menu() : nullptr;
    double menuMs = -1;
    if (menu) {
        bool shown = false;
        const auto connection = QObject::connect(menu, &QMenu::aboutToShow, [&] { shown = true; });
        menuMs = ClickDelay(bar, bar->actionGeometry(bar->actions().first()).center(), [&] { return shown; });
        QObject::disconnect(connection);
        menu->hide();
    }
    auto *read = window.findChild<QPushButton *>(QStringLiteral("1004"));
    bool clicked = false;
    QObject::connect(read, &QPushButton::clicked, [&] { clicked = true; });
    const double clickMs = ClickDelay(read, read->rect().center(), [&] { return clicked; });

    Wait(seconds * 1000 - seconds * 1000 / 2);
    const auto after = sim.Toggle();
    const double cpuFlood = CpuSeconds() - cpuBeforeFlood;
    // Let the last frames through: until the count has not moved for half a second.
    std::uint64_t seen = dispatched();
    for (int quiet = 0; quiet < 5;) {
        Wait(100);
        quiet = dispatched() == seen ? quiet + 1 : 0;
        seen = dispatched();
    }
    const std::vector<double> &delays = probe.PaintDelays();
    std::printf(
        "%6d frames/s %3d s: CPU %.2f s total (flood %.2f s), peak RSS %.1f MB, RSS now %.1f MB, "
        "frames dispatched %llu / sent %lld (bytes refused by the full line %lld), frame-to-paint median "
        "%.1f ms p99 %.1f ms (%zu painted), menu %.1f ms, button %.1f ms\n",
        rate, seconds, CpuSeconds(), cpuFlood, PeakRssMb(), CurrentRssMb(),
        static_cast<unsigned long long>(dispatched()), after.sent - before.sent,
        after.refused - before.refused, Percentile(delays, 0.5), Percentile(delays, 0.99), delays.size(),
        menuMs, clickMs);
    const zok::TrafficCapture &capture = window.Exchange().Capture();
    std::printf("%6d frames/s: capture keeps %zu of %llu frames (capacity %zu), about %.2f MB\n", rate,
                capture.Frames().size(), static_cast<unsigned long long>(capture.Total()), capture.Capacity(),
                static_cast<double>(CaptureBytes(capture)) / (1024.0 * 1024.0));
    std::fflush(stdout);
    window.close();
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 1) {
        // One process per rate, so that CPU time and peak memory are each run's own.
        int failures = 0;
        for (const char *rate : {"1", "1000", "10000"}) {
            const std::string command = std::string(argv[0]) + " " + rate + " 10";
            failures += std::system(command.c_str()) != 0 ? 1 : 0;
        }
        return failures == 0 ? 0 : 1;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const int rate = std::atoi(argv[1]);
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 10;
    return RunOne(rate, seconds > 0 ? seconds : 10);
}
