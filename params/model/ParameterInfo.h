#pragma once

#include "CZOKFirmwareVersion.h"
#include "ParameterId.h"

#include <cstdint>
#include <span>

// One entry of a choice parameter: the value the model member holds and the string id of its text.
struct ParameterChoice
{
    int Value;
    int TextId;
};

enum class ParameterKind {
    Byte,   // an unsigned byte, edited as a one-byte unsigned integer
    Choice, // an int holding the choice index or value
};

// Every fact about one reader parameter. The read and write sequences, the parameter sheet and the
// parameter files all take these from ParameterTable, so codes, bits and versions live only there.
struct ParameterInfo
{
    ParameterId Id;
    const char *Key; // parameter-file key, also the parameter's name in the program
    ParameterKind Kind;
    int DefaultValue;     // at construction of the model
    int UnsupportedValue; // what the sheet puts into the member when the parameter is unsupported
    int Minimum;          // Minimum and Maximum both 0: no range check
    int Maximum;
    const char *ReadCode;                // code of the register whose answer carries the parameter
    std::uint32_t MaskBit;               // its bit in the supported mask
    CZOKFirmwareVersion MinimumFirmware; // 0.0.0: no requirement
    bool ChoicePlusOne;                  // zero-based choice that the reader and the files count from 1
    int SwitchBit;                       // bit of the switch register (code 22), -1 for a register of its own
    int NameTextId;
    int HelpTextId;
    std::span<const ParameterChoice> Choices;              // unknown firmware or major 20 and later
    std::span<const ParameterChoice> OlderFirmwareChoices; // known firmware below 20; empty: same
};
