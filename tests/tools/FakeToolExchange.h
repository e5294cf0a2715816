#pragma once

#include "ExchangeEvents.h"
#include "IToolExchange.h"
#include "ToolMessage.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QPointer>
#include <QStringList>

#include <map>

// Stands for the main window's exchange engine: records what a dialog asks of it and lets a test
// deliver frames to the registered dialog exactly as the engine posts them.
class FakeToolExchange : public IToolExchange
{
public:
    enum class State { Idle, ReceiverScan, TagTracking, RadioScan, IdFilter };

    void SendCommand(const std::string &text) override { commands << QString::fromStdString(text); }
    void StartReceiverScan() override { enter(State::ReceiverScan); }
    void EnterTagTracking() override { enter(State::TagTracking); }
    void EnterRadioScan() override { enter(State::RadioScan); }
    void EnterIdFilter() override { enter(State::IdFilter); }
    void RegisterMonitor(MonitorKind kind, QObject *dialog) override
    {
        monitors[kind] = dialog;
        ++registrations;
    }
    unsigned char ReceiverAddress() const override { return address; }

    // Posts a frame text as the engine forwards it, and lets the event loop deliver it and the
    // display refresh it queues.
    void forward(MonitorKind kind, const QString &text)
    {
        post(kind, text);
        deliver(kind);
    }
    // Posts without delivering: several posts then one deliver() are a burst in one loop turn.
    void post(MonitorKind kind, const QString &text)
    {
        if (QObject *target = monitors[kind])
            QCoreApplication::postEvent(
                target, new ForwardedFrameEvent(typeOf(kind), text, QDateTime::currentDateTime()));
    }
    void deliver(MonitorKind kind)
    {
        if (QObject *target = monitors[kind]) {
            QCoreApplication::sendPostedEvents(target); // the frames
            QCoreApplication::sendPostedEvents(target); // the refresh they queued
        }
    }
    void scanAnswer(int answeringAddress)
    {
        if (QObject *target = monitors[MonitorKind::ReceiverScan]) {
            QCoreApplication::postEvent(target, new ScanAddressEvent(answeringAddress));
            QCoreApplication::sendPostedEvents(target);
        }
    }

    QStringList commands;
    std::map<MonitorKind, QPointer<QObject>> monitors;
    int registrations = 0;
    unsigned char address = 0x05;
    bool portOpen = true;
    State state = State::Idle;

private:
    void enter(State s)
    {
        if (portOpen)
            state = s;
    }
    static QEvent::Type typeOf(MonitorKind kind)
    {
        switch (kind) {
        case MonitorKind::TagTracking:
            return WM_TAG_FRAME;
        case MonitorKind::RadioScan:
            return WM_RADIO_FRAME;
        default:
            return WM_FILTER_FRAME;
        }
    }
};

// Records the message boxes a dialog shows and answers them without blocking.
struct MessageRecorder
{
    QStringList texts;
    QList<QMessageBox::Icon> icons;
    QMessageBox::StandardButton answer = QMessageBox::Ok;

    ToolMessageHook hook()
    {
        return [this](QWidget *, const ToolMessage &m) {
            texts << m.text;
            icons << m.icon;
            return answer;
        };
    }
};
