#pragma once

#include <QString>

namespace zok {

// Captions of the main window's menu and controls and of the About box, which belong to the
// window's own layout rather than to the numbered string table. Same language as zok::Text.
enum class WindowText {
    MenuFile,
    LoadParameters,
    SaveParameters,
    Exit,
    MenuConfiguration,
    SerialPort,
    SelectReceiver,
    IdFilter,
    EnableSpeedConfiguration,
    SpeedDetection,
    MenuMonitoring,
    TagTracking,
    RadioScan,
    MenuHelp,
    Help,
    About,
    PropertyControl,
    Read,
    Write,
    FirmwareVersion,
    OpenSerialPort,
    HelpButton,
    AboutTitle,
    AboutVersion,
    AboutChanges,
    Ok,
    PortLost,
};

QString Caption(WindowText id);

} // namespace zok
