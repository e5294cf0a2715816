// (b) Time from the "]" written on the master side of a pty to the frame event handled on the
// receiving thread, one frame at a time. Target: 99th percentile under 1 ms.
#include "CSerialMFC.h"
#include "PtyPair.h"

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kSamples = 5000;

// Hands the time of each handled frame from the receiving thread to the writer.
class Handoff
{
public:
    void Post(Clock::time_point t)
    {
        std::lock_guard lock(m_mutex);
        m_time = t;
        m_ready = true;
        m_cv.notify_one();
    }
    Clock::time_point Wait()
    {
        std::unique_lock lock(m_mutex);
        m_cv.wait(lock, [this] { return m_ready; });
        m_ready = false;
        return m_time;
    }

private:
    std::mutex m_mutex; // protects m_time and m_ready
    std::condition_variable m_cv;
    Clock::time_point m_time;
    bool m_ready = false;
};

class Receiver : public QObject
{
public:
    explicit Receiver(Handoff &handoff) : m_handoff(handoff) {}

protected:
    bool event(QEvent *e) override
    {
        if (e->type() != zok::WM_FRAME_RECEIVED)
            return QObject::event(e);
        m_handoff.Post(Clock::now());
        return true;
    }

private:
    Handoff &m_handoff;
};

double Percentile(std::vector<double> &v, double p)
{
    const size_t k = std::min(v.size() - 1, static_cast<size_t>(p * v.size()));
    std::nth_element(v.begin(), v.begin() + static_cast<long>(k), v.end());
    return v[k];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    PtyPair pty;
    Handoff handoff;
    Receiver receiver(handoff);
    zok::CSerialMFC port;
    if (port.Open(pty.SlavePath(), &receiver) != zok::kSerialOk)
        return 1;
    std::vector<double> micros;
    std::thread writer([&] {
        for (int i = 0; i < kSamples; ++i) {
            pty.Send("[0C01");
            std::this_thread::sleep_for(std::chrono::microseconds(200)); // let the head arrive first
            const auto sent = Clock::now();
            pty.Send("01]");
            micros.push_back(std::chrono::duration<double, std::micro>(handoff.Wait() - sent).count());
        }
        QMetaObject::invokeMethod(
            &receiver, [] { QCoreApplication::quit(); }, Qt::QueuedConnection);
    });
    app.exec();
    writer.join();
    const double median = Percentile(micros, 0.5);
    const double p99 = Percentile(micros, 0.99);
    const double worst = *std::max_element(micros.begin(), micros.end());
    std::printf("latency \"]\" -> event handled, %d frames: median %.1f us, p99 %.1f us, max %.1f us "
                "(target p99 < 1000 us)\n",
                kSamples, median, p99, worst);
    return 0;
}
