#pragma once

#include "CZOKFirmwareVersion.h"
#include "ParameterInfo.h"
#include "ReaderRegister.h"

#include <cstdint>
#include <span>
#include <string_view>

// The one table of reader parameter facts and the derived look-ups.
namespace zok {

// Answer code of the firmware version text; it has no register and no mask bit.
inline constexpr std::string_view kVersionAnswerCode = "VE";

// The 22 parameters in the model's order; Parameters()[IndexOf(id)].Id == id.
std::span<const ParameterInfo> Parameters();
const ParameterInfo &Parameter(ParameterId id);

// The registers in the order the write sequence sends them and the read answers are applied.
std::span<const ReaderRegister> Registers();
const ReaderRegister *FindRegisterByReadCode(std::string_view readCode);
const ReaderRegister &RegisterOf(ParameterId id);

// The parameters of a register: the six switches in bit order for code 22, else one.
std::span<const ParameterId> ParametersOf(const ReaderRegister &reg);
// The six switches of register 22 in bit order.
std::span<const ParameterId> SwitchParameters();

// Mask bits that an accepted answer of `readCode` sets (all six switch bits for 22, 0 for VE and
// unknown codes), and the bits that must all be supported before the register is written.
std::uint32_t SupportedBitsOfReadCode(std::string_view readCode);
std::uint32_t WriteGuardMask(const ReaderRegister &reg);

// Every parameter bit: the mask the main window starts with (0x3FFFFF).
std::uint32_t AllParametersMask();

// The order of the keys in a parameter file (RX_LONG_CRC before RX_VITESSE_RW).
std::span<const ParameterId> FileKeyOrder();

// The choices a choice parameter offers for `firmware` (empty for byte parameters).
std::span<const ParameterChoice> ChoicesFor(ParameterId id, const CZOKFirmwareVersion &firmware);

} // namespace zok
