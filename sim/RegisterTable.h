#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace zok::sim {

// The registers of a receiver, named by the code that reads them. Parameters are written with
// their read code + 1; the ID filter registers A0 to A6 are written with A8 to AE.
class RegisterTable
{
public:
    static constexpr std::uint8_t kMode = 0x01;        // answered to the broadcast scan
    static constexpr std::uint8_t kFrameFormat = 0x10; // 1: 16-bit identifiers, 2: 24-bit
    static constexpr std::uint8_t kSpeed = 0x12;       // line speed index 0..4
    static constexpr std::uint8_t kAnswerDelay = 0x16; // milliseconds before each answer
    static constexpr std::uint8_t kFilterFirst = 0xA0; // A0..A2 ID start, A3..A5 ID end, A6 alarms
    static constexpr std::uint8_t kFilterLast = 0xA6;
    static constexpr std::uint8_t kFilterWriteOffset = 0x08;

    // The 17 parameter codes in the order a receiver answers the read-all command.
    static const std::vector<std::uint8_t> &parameterCodes();
    // The seven parameters every receiver has.
    static const std::vector<std::uint8_t> &requiredCodes();
    static bool isParameter(std::uint8_t code);
    static bool isFilterRead(std::uint8_t code) { return code >= kFilterFirst && code <= kFilterLast; }
    // The register written by a parameter or ID filter write code, if it is one.
    static std::optional<std::uint8_t> registerOfWrite(std::uint8_t writeCode);
    // Factory settings: the program's defaults on the wire, 24-bit identifiers, the whole ID range.
    static std::map<std::uint8_t, std::uint8_t> defaults();
};

} // namespace zok::sim
