#pragma once

#include <QColor>

// Colours of the lines of the message and traffic lists.
namespace zok::LineColor {
inline const QColor kOrange{255, 128, 0}; // a command as it is sent
inline const QColor kBlue{0, 0, 255};     // a received frame; success lines
inline const QColor kRed{255, 0, 0};      // errors
inline const QColor kGreen{0, 130, 0};    // port state
} // namespace zok::LineColor
