#pragma once

#include <QBasicTimer>
#include <QObject>

#include <cstdint>
#include <functional>
#include <string>

namespace zok {

// Waits for a port that went away to come back, whichever backend lost it: once a period (a
// second by default; one coarse timer and nothing else while it waits) it asks whether the port
// name is present again and, only then, calls the owner's attempt to reopen it. The waiting ends
// when an attempt succeeds or when the owner stops it.
//
// Both run on the owner's thread and must be quick. The default presence check is
// PortDevicePresent (a stat() of the device, or the DOS device name) for a device, and for a
// device server a connection attempt started on one tick whose outcome a later tick takes
// (ConnectProbe): at most one attempt a second, and no wait.
class CPortReopener : public QObject
{
    Q_OBJECT

public:
    using PresenceCheck = std::function<bool(const std::string &portName)>;
    // Reopens the port; true when it is open again.
    using Attempt = std::function<bool()>;

    static constexpr int kDefaultPeriodMs = 1000;

    explicit CPortReopener(QObject *parent = nullptr);

    void SetPresenceCheck(PresenceCheck check) { m_present = std::move(check); }
    // Takes effect at the next Start.
    void SetPeriod(int ms) { m_periodMs = ms; }

    // Starts waiting for `portName`, or starts again for another name.
    void Start(std::string portName, Attempt attempt);
    void Stop();
    bool Waiting() const { return m_timer.isActive(); }
    const std::string &PortName() const { return m_portName; }
    // Presence checks made since construction; the figure that shows the waiting never spins.
    std::uint64_t Checks() const { return m_checks; }

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    QBasicTimer m_timer;
    PresenceCheck m_present;
    Attempt m_attempt;
    std::string m_portName;
    int m_periodMs = kDefaultPeriodMs;
    std::uint64_t m_checks = 0;
};

} // namespace zok
