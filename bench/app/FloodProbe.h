#pragma once

#include <QObject>

#include <cstdint>
#include <deque>
#include <vector>

class QAbstractItemView;

// Watches the main window from the outside while frames pour in: counts the frames that reach the
// exchange engine's dispatcher (with their reception times), notes when their lines enter the
// traffic list's model, and at each paint of that list takes the delay from a frame's reception to
// the first paint that shows its line.
class FloodProbe : public QObject
{
public:
    FloodProbe(QObject &dispatcher, QAbstractItemView &traffic);

    std::uint64_t FramesDispatched() const { return m_dispatched; }
    // Delays in milliseconds, one per frame whose line was painted.
    const std::vector<double> &PaintDelays() const { return m_delays; }
    void ClearDelays() { m_delays.clear(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void OnFrame(std::int64_t receivedMs);
    void OnPaint();

    QObject &m_dispatcher;
    QAbstractItemView &m_traffic;
    std::uint64_t m_dispatched = 0;
    // Reception times of the frames not painted yet, oldest first.
    std::deque<std::int64_t> m_unpainted;
    // How many of m_unpainted have their line in the model.
    std::size_t m_inModel = 0;
    std::vector<double> m_delays;
};
