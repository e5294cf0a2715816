#pragma once

#include "Faults.h"
#include "RegisterTable.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace zok::sim {

// Highest tag report rate: enough to flood the fastest line many times over.
inline constexpr double kMaxTagRate = 100000;

// Everything that makes up one virtual receiver. It is both the start configuration and, read
// back from a running simulator, the receiver's current state (values stored by writes, speed).
struct ReceiverConfig
{
    std::uint8_t address = 0x01;       // 01..FF; 00 in a command means every receiver
    std::string firmware = " v20.1.0"; // the text after "VE"
    int baud = 9600;                   // its line speed; register 12 always holds the matching index
    // Parameter codes it reports and accepts (read codes; see RegisterTable::parameterCodes).
    std::set<std::uint8_t> supported{RegisterTable::parameterCodes().begin(),
                                     RegisterTable::parameterCodes().end()};
    std::map<std::uint8_t, std::uint8_t> registers = RegisterTable::defaults();
    int answerDelayMs = 0;         // processing time before each answer, added to register 16
    int radioLevel = 170;          // mean level answered to 97 and put in tag reports
    int radioJitter = 40;          // levels spread uniformly over radioLevel +/- radioJitter, in 0..255
    std::vector<std::string> tags; // identifiers it reports, upper-case hexadecimal
    double tagRate = 0;            // tag reports per second; 0: none
    Faults faults;
};

} // namespace zok::sim
