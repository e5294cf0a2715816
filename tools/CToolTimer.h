#pragma once

#include <QObject>
#include <QTimer>

// A window timer of a tool dialog. Its object name is the timer's role ("2", "777", "1"). In
// manual mode the real timer is never started, so a test decides when a tick happens with fire().
class CToolTimer : public QObject
{
    Q_OBJECT

public:
    CToolTimer(const QString &role, QObject *parent);

    void start(int milliseconds);
    void stop();
    bool isActive() const { return m_active; }
    int interval() const { return m_interval; }
    int starts() const { return m_starts; }

    void setManual(bool manual);
    // One tick now; ignored while the timer is stopped, like a tick of a killed timer.
    void fire();

signals:
    void tick();

private:
    QTimer m_timer;
    bool m_manual = false;
    bool m_active = false;
    int m_interval = 0;
    int m_starts = 0;
};
