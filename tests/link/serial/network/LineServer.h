#pragma once

#include <string>

namespace zok::test {

// Receiver 01's version text holds a 0xFF byte, which telnet must escape and unescape.
inline const std::string kFirmwareWithFF = " v20\xFF"
                                           "1.0";

// The device server the network line tests talk through: ser2net serving zok-sim's line, with
// receiver 01 at 9600 baud (version text kFirmwareWithFF) and receiver 02 at 38400.
struct LineServer
{
    std::string raw;      // tcp:// to the raw accepter, which drops its client when another connects
    std::string rfc2217;  // rfc2217:// to the RFC 2217 accepter
    std::string refusing; // rfc2217:// to a telnet accepter that refuses RFC 2217
    std::string silent;   // rfc2217:// to the raw accepter
    std::string nobody;   // tcp:// to a port nothing listens on
    std::string problem;  // why there is none; empty when it runs
    bool skip = false;    // none on purpose
};

// Started once for the test program on Linux; named by scripts/windows-test.sh on Windows.
const LineServer &TheLineServer();

} // namespace zok::test
