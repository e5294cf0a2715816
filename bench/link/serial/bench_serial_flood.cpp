// (a) Frames per second cut and posted from a flood written on the master side of a pty, counted
// as the events are handled on the receiving thread. Target: at least 50,000 frames/s.
#include "CSerialMFC.h"
#include "PtyPair.h"

#include <QCoreApplication>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <thread>

namespace {

constexpr int kFrames = 300000;

class Counter : public QObject
{
public:
    int frames = 0;

protected:
    bool event(QEvent *e) override
    {
        if (e->type() != zok::WM_FRAME_RECEIVED)
            return QObject::event(e);
        if (++frames == kFrames)
            QCoreApplication::quit();
        return true;
    }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    PtyPair pty;
    Counter counter;
    zok::CSerialMFC port;
    if (port.Open(pty.SlavePath(), &counter) != zok::kSerialOk)
        return 1;
    std::string chunk;
    for (int i = 0; i < 512; ++i)
        chunk += "[0C0101]"; // 8 bytes: a typical parameter answer
    const auto start = std::chrono::steady_clock::now();
    std::thread writer([&] {
        for (int sent = 0; sent < kFrames; sent += 512)
            pty.Send(chunk.substr(0, 8 * std::min(512, kFrames - sent)));
    });
    QTimer::singleShot(60000, &app, [] { QCoreApplication::exit(2); });
    const int rc = app.exec();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    writer.join();
    std::printf("flood: %d frames in %.3f s = %.0f frames/s (target >= 50000)%s\n", counter.frames, seconds,
                counter.frames / seconds, rc == 0 ? "" : " INCOMPLETE");
    std::printf("listener wake-ups: %llu (%.1f frames per wake-up)\n",
                static_cast<unsigned long long>(port.ListenerWakeups()),
                counter.frames / double(std::max<unsigned long long>(1, port.ListenerWakeups())));
    return rc;
}
