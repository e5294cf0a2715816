#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

#include <functional>

namespace zok::cli {

// Stands where a tool dialog stands for the exchange engine: it receives the forwarded scan
// addresses and frames and hands them to the running command.
class FrameMonitor : public QObject
{
    Q_OBJECT

public:
    using FrameHandler = std::function<void(const QString &text, const QDateTime &received)>;

    explicit FrameMonitor(QObject *parent = nullptr) : QObject(parent) {}

    void OnScanAddress(std::function<void(int)> handler) { m_scan = std::move(handler); }
    void OnFrame(FrameHandler handler) { m_frame = std::move(handler); }

    bool event(QEvent *event) override;

Q_SIGNALS:
    void Activity();

private:
    std::function<void(int)> m_scan;
    FrameHandler m_frame;
};

} // namespace zok::cli
