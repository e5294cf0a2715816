#pragma once

#include "CZOKProperties.h"
#include "CZOKSyncSession.h"
#include "CZOKWriteAction.h"
#include "ReaderRegister.h"

#include <cstdint>
#include <vector>

// A write sequence restricted to some parameters, and what its acknowledgements covered. A set of
// parameters is a mask of their supported-mask bits (ParameterInfo::MaskBit).
namespace zok {

// The writes of BuildWriteActions whose register carries at least one parameter of
// `parameterMask`, in the same order and under the same guards (support, speed configuration).
// A switch of register 22 is written with the five other switches as the model holds them.
std::vector<CZOKWriteAction> BuildSelectedWriteActions(const CZOKProperties &props, std::uint8_t address,
                                                       bool speedConfigurationEnabled,
                                                       std::uint32_t parameterMask);

// The parameters whose register write the receiver acknowledged: those of the writes before the
// session's write index (all of them once the sequence ended with its last acknowledgement).
std::uint32_t AcknowledgedParameters(const CZOKSyncSession &session);

// The mask bits of the parameters a register carries (six for register 22).
std::uint32_t RegisterParameterMask(const ReaderRegister &reg);

} // namespace zok
