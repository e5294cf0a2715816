#pragma once

#include <QString>

#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

// A pseudo-terminal pair: the window opens the slave by its path, the test plays the receiver
// on the master.
class PtyPair
{
public:
    PtyPair()
    {
        if (openpty(&m_master, &m_slave, nullptr, nullptr, nullptr) == 0)
            m_path = QString::fromLocal8Bit(ttyname(m_slave));
    }
    ~PtyPair()
    {
        CloseMaster();
        if (m_slave >= 0)
            ::close(m_slave);
    }
    PtyPair(const PtyPair &) = delete;
    PtyPair &operator=(const PtyPair &) = delete;

    bool Valid() const { return !m_path.isEmpty(); }
    QString SlavePath() const { return m_path; }
    bool Send(const char *bytes) const
    {
        const auto length = static_cast<ssize_t>(strlen(bytes));
        return ::write(m_master, bytes, static_cast<size_t>(length)) == length;
    }
    // Hangs the line up, as an unplugged adapter does.
    void CloseMaster()
    {
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }
    // The slave stays open here only to keep the pair alive until the window opens it.
    void CloseSlave()
    {
        if (m_slave >= 0)
            ::close(m_slave);
        m_slave = -1;
    }

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_path;
};
