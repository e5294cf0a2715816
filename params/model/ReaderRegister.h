#pragma once

#include "ParameterId.h"

#include <span>

// A register of the receiver: read with one answer code, written with the next code.
struct ReaderRegister
{
    const char *ReadCode;
    const char *WriteCode;
    bool Required;                           // a read is complete only once its answer is accepted
    bool SwitchField;                        // one bit per parameter (code 22) instead of one value
    ParameterId Parameter;                   // the parameter of a one-value register
    bool NeedsSpeedConfiguration;            // written only while speed configuration is enabled
    std::span<const ParameterId> WriteGuard; // all must be supported to write; empty: Parameter
};
