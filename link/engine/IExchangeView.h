#pragma once

#include <QString>

// Colours of the lines in the message and traffic lists; the window maps them to its palette.
enum class LineColour {
    Orange, // a command at the moment it is sent
    Blue,   // a received frame, a success line
    Red,    // an error
    Green   // a port state change
};

// What the exchange engine needs from the window that shows it. The engine never touches a widget;
// a test drives it with a recording fake.
class IExchangeView
{
public:
    virtual ~IExchangeView() = default;

    virtual void AddMessage(LineColour colour, const QString &line) = 0;
    virtual void AddTraffic(LineColour colour, const QString &line) = 0;

    // Position of the progress bar, 0..100.
    virtual void SetProgress(int percent) = 0;

    virtual void EnableReadButton(bool enable) = 0;
    virtual void EnableWriteButton(bool enable) = 0;
    // The "Open Serial Port" check box follows the port: set while it is open or awaited.
    virtual void SetPortChecked(bool checked) = 0;

    // Recreates the parameter grid from the model (after a read), or only redraws its values.
    virtual void BuildPropertyGrid() = 0;
    virtual void RefreshPropertyGrid() = 0;

    virtual void ShowFirmwareText(const QString &text) = 0;

    // The device of the open port went away (an adapter unplugged); the engine has closed it,
    // disabled Read and Write and waits for it to come back (the box stays set). A window says so
    // in its message list.
    virtual void ReportPortLost(const QString &portName) { Q_UNUSED(portName); }
    // The awaited port is open again, at `baud` as before (0: at its device server's speed); the
    // engine has said so in the message list and enabled Read and Write.
    virtual void ReportPortBack(const QString &portName, int baud)
    {
        Q_UNUSED(portName);
        Q_UNUSED(baud);
    }

    // Shown before a write while speed configuration is disabled. True lets the write go on without
    // the speed; false abandons it. The dialog's "don't show again" box reaches the engine directly
    // (CZOKExchange::SetDontShowSpeedWarning), whatever this returns.
    virtual bool ConfirmWriteWithoutSpeed() = 0;
};
