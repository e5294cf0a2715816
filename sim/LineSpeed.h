#pragma once

#include <chrono>
#include <termios.h>

namespace zok::sim {

// The five line speeds of the receivers, their index in register 12 and their termios constants.
class LineSpeed
{
public:
    static constexpr int kCount = 5;

    // 9600, 19200, 38400, 57600, 115200 for the indices 0 to 4; 0 for any other index.
    static int baudFromIndex(int index);
    // The index of a receiver speed, or -1.
    static int indexFromBaud(int baud);
    static bool isReceiverBaud(int baud) { return indexFromBaud(baud) >= 0; }
    // The baud rate of a termios speed constant; 0 when it is none of the five.
    static int baudFromTermios(speed_t speed);
    // The termios constant of a receiver speed; B0 for any other.
    static speed_t termiosFromBaud(int baud);
    // Time of one character on the wire: start bit, 8 data bits and 2 stop bits.
    static std::chrono::nanoseconds characterTime(int baud);
};

} // namespace zok::sim
