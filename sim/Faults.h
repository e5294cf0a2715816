#pragma once

namespace zok::sim {

// Misbehaviours of one receiver, for testing how the program copes with a bad line.
struct Faults
{
    bool silent = false;        // hears nothing, sends nothing (a receiver without power)
    int losePercent = 0;        // each frame it sends is lost with this probability
    int lateMs = 0;             // extra delay of a late answer ...
    int latePercent = 100;      // ... which happens with this probability (when lateMs > 0)
    bool lowerCaseHex = false;  // hexadecimal digits of its frames in lower case
    bool duplicateAcks = false; // every "OK" acknowledgement sent twice
    bool noise = false;         // a few random bytes (never brackets) before each frame
};

} // namespace zok::sim
