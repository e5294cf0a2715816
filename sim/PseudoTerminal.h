#pragma once

#include "FileDescriptor.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace zok::sim {

// The pseudo-terminal pair that stands for the serial line. The program opens the slave side;
// the simulator talks on the master side and keeps a slave descriptor of its own open, so the
// line does not hang up while the program closes and reopens it, and so the termios settings the
// program makes persist and can be read here.
class PseudoTerminal
{
public:
    // Throws std::system_error when no pseudo-terminal can be had.
    PseudoTerminal();

    const std::string &slavePath() const { return slavePath_; }
    int masterFd() const { return master_.get(); }

    // The speed the program set on the line, in baud; 0 when it is none of the five.
    int lineBaud() const;
    // Echo on means the line is not in raw mode: the program would send our answers back.
    bool echoOn() const;
    // Reads what is buffered, without waiting; empty when nothing is.
    std::string readAvailable();
    // Writes without waiting; what the line cannot take (nobody reading) is dropped, and counted
    // in the result.
    std::size_t write(std::string_view bytes);
    // Ends the exclusive mode (TIOCEXCL) that the program took. On a real port it ends when the
    // program closes the device; a pseudo-terminal keeps it while its master is open, so a
    // program that is not root could never open the line again (a reopen after a speed write).
    void releaseExclusiveMode();

private:
    FileDescriptor master_;
    FileDescriptor slave_;
    std::string slavePath_;
};

} // namespace zok::sim
