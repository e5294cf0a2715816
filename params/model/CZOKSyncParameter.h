#pragma once

#include <cstdint>
#include <optional>
#include <string>

// One answer awaited by a parameter read, keyed by its two-character answer code.
class CZOKSyncParameter
{
public:
    CZOKSyncParameter() = default;
    CZOKSyncParameter(std::string code, bool received, bool checkAddress, bool parseValue);

    // The value byte: only with ParseValue, an Answer of exactly 4 characters and its first two
    // upper-case hexadecimal digits.
    std::optional<std::uint8_t> GetValueByte() const;
    // The address byte: the same test on the last two characters, with CheckAddress.
    std::optional<std::uint8_t> GetAddressByte() const;

    std::string Code;
    std::string Answer;        // the last answer text received for the code
    bool Received = false;     // a valid answer was received
    bool CheckAddress = false; // the answer must end with the receiver address
    bool ParseValue = false;   // the answer must start with a hexadecimal value byte
};
