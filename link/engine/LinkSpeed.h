#pragma once

#include <QString>

// The five line speeds, by the speed index the receiver and the parameter model use (0..4).
constexpr int kLinkSpeedCount = 5;

// Baud rate of `index` and its text ("9600" ... "115200"). An index outside 0..4 gives 0 and an
// empty text.
int SpeedFromIndex(int index, QString &text);
int SpeedFromIndex(int index);
