#pragma once

#include "ExchangeEvents.h"

#include <string>

class QObject;

// What a tool dialog (receiver scan, tag tracking, radio scan, ID filter) needs from the main
// window's exchange engine. The engine implements it; tests of the dialogs may use a fake.
class IToolExchange
{
public:
    virtual ~IToolExchange() = default;

    // Writes a complete command frame (leading space included) to the open port. Never throws;
    // a failed write on an open port is reported by the engine itself, a closed port takes the
    // command silently; either way the waiting side ends by its own time-out.
    virtual void SendCommand(const std::string &text) = 0;

    // State changes that only happen while the port is open (otherwise they do nothing).
    virtual void StartReceiverScan() = 0;
    virtual void EnterTagTracking() = 0;
    virtual void EnterRadioScan() = 0;
    virtual void EnterIdFilter() = 0;

    // Records `dialog` as the window that receives the forwarded events of `kind`
    // (ExchangeEvents.h). The main window clears every registration and returns to Idle when
    // the modal dialog ends.
    virtual void RegisterMonitor(MonitorKind kind, QObject *dialog) = 0;

    // The receiver address of the settings, read under their lock at each call.
    virtual unsigned char ReceiverAddress() const = 0;
};
