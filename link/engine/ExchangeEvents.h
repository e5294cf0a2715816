#pragma once

#include <QDateTime>
#include <QEvent>
#include <QString>

// Events the exchange engine posts to the registered tool dialog. Each event owns its payload.

enum class MonitorKind { ReceiverScan, TagTracking, RadioScan, IdFilter };

constexpr QEvent::Type WM_SCAN_ADDRESS = static_cast<QEvent::Type>(QEvent::User + 50);
constexpr QEvent::Type WM_TAG_FRAME = static_cast<QEvent::Type>(QEvent::User + 51);
constexpr QEvent::Type WM_RADIO_FRAME = static_cast<QEvent::Type>(QEvent::User + 52);
constexpr QEvent::Type WM_FILTER_FRAME = static_cast<QEvent::Type>(QEvent::User + 53);

// Answer of one receiver to the broadcast scan.
class ScanAddressEvent : public QEvent
{
public:
    explicit ScanAddressEvent(int address) : QEvent(WM_SCAN_ADDRESS), m_address(address) {}
    int address() const { return m_address; }

private:
    int m_address;
};

// A copy of one received frame (text without brackets, local reception time to the millisecond),
// of type WM_TAG_FRAME, WM_RADIO_FRAME or WM_FILTER_FRAME.
class ForwardedFrameEvent : public QEvent
{
public:
    ForwardedFrameEvent(QEvent::Type type, QString text, QDateTime received)
        : QEvent(type), m_text(std::move(text)), m_received(std::move(received))
    {
    }
    const QString &text() const { return m_text; }
    const QDateTime &received() const { return m_received; }

private:
    QString m_text;
    QDateTime m_received;
};
