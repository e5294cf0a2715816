#pragma once

#include "CSerialEx.h"
#include "FramePoster.h"
#include "FrameReceivedEvent.h"
#include "PortLostEvent.h"

#include <QObject>
#include <cstdint>
#include <utility>

namespace zok {

// Adds the target object: frames and the loss of the device reach it as posted events
// (FrameReceivedEvent, PortLostEvent), handled on the target's own thread. The target must
// outlive the open port; its owner closes the port first.
class CSerialWnd : public CSerialEx
{
public:
    CSerialWnd() = default;
    ~CSerialWnd() override;

    using CSerialEx::Open;
    // Opens the port and starts the listener; if the listener cannot start, the port is closed
    // again. messageId 0 stores the id registered for "CSerialWnd_DefaultComMsg". Frames are
    // always posted as WM_FRAME_RECEIVED, whatever the id.
    virtual long Open(std::string_view portName, QObject *target, int messageId = 0,
                      std::intptr_t parameter = 0, unsigned inQueue = 0, unsigned outQueue = 0);
    long Close() override;

    QObject *Target() const { return m_poster.Target(); }
    int MessageId() const { return m_messageId; }
    std::intptr_t Parameter() const { return m_parameter; }

    static int DefaultComMessage();

    // Posts a frame to the target as the listener does (WM_FRAME_RECEIVED); any thread.
    void PostFrame(ReceivedFrame frame) { m_poster.PostFrame(std::move(frame)); }

protected:
    IListenerSink &ListenerSink() override { return m_poster; }

private:
    // Its target is cleared by Close before the listener is stopped, so nothing is posted once
    // Close has begun.
    FramePoster m_poster;
    int m_messageId = 0;
    std::intptr_t m_parameter = 0;
};

} // namespace zok
