#pragma once

#include <QEvent>

// Event types the listener posts to the port's target object (the Windows messages WM_USER+42
// and a new one for a vanished device, with the same offsets from QEvent::User).
namespace zok {

// A FrameReceivedEvent: the frames cut from one read.
inline constexpr QEvent::Type WM_FRAME_RECEIVED = static_cast<QEvent::Type>(QEvent::User + 42);
// A PortLostEvent: the device hung up or failed; the listener has ended. Posted once.
inline constexpr QEvent::Type WM_PORT_LOST = static_cast<QEvent::Type>(QEvent::User + 43);

} // namespace zok
