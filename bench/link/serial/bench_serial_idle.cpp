// (c) Listener wake-ups per second while the line is idle (target: none), and after the peer has
// hung up (the listener must have ended, not be woken by the hang-up over and over).
#include "CSerialMFC.h"
#include "PtyPair.h"

#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <thread>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    constexpr double kSeconds = 3.0;
    PtyPair pty;
    QObject target;
    zok::CSerialMFC port;
    if (port.Open(pty.SlavePath(), &target) != zok::kSerialOk)
        return 1;
    pty.Send("[warm-up]");
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const auto before = port.ListenerWakeups();
    std::this_thread::sleep_for(std::chrono::duration<double>(kSeconds));
    const auto idle = port.ListenerWakeups() - before;
    std::printf("idle line: %llu wake-ups in %.0f s = %.2f/s (target 0)\n",
                static_cast<unsigned long long>(idle), kSeconds, idle / kSeconds);

    pty.HangUp();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const auto atHangUp = port.ListenerWakeups();
    std::this_thread::sleep_for(std::chrono::duration<double>(kSeconds));
    const auto after = port.ListenerWakeups() - atHangUp;
    std::printf("after hang-up: listener %s, %llu wake-ups in %.0f s\n",
                port.IsListening() ? "RUNNING" : "ended", static_cast<unsigned long long>(after), kSeconds);
    return idle == 0 && after == 0 ? 0 : 1;
}
