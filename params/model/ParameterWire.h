#pragma once

#include "CZOKProperties.h"
#include "CZOKSyncSession.h"
#include "CZOKWriteAction.h"
#include "ReaderRegister.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The mapping between the model and the bytes on the line and in parameter files.
namespace zok {

// One parameter's byte: its value, plus one for the zero-based choices counted from 1 on the
// wire, cut to the low byte. Parameter files store the same byte per key.
std::uint8_t WireValueOf(ParameterId id, int modelValue);
// The model value of a byte: minus one for those choices (so 00 gives -1), else the byte.
int ModelValueOf(ParameterId id, std::uint8_t wireValue);

// Register 22: one bit per switch, set when the switch's value is 1; bits 6 and 7 stay 0.
std::uint8_t ComposeSwitchField(const CZOKProperties &props);
// Each switch becomes its bit (0 or 1); bits 6 and 7 are ignored.
void ApplySwitchField(CZOKProperties &props, std::uint8_t field);

// A register's byte from the model, and a register's byte into the model.
std::uint8_t RegisterWireValue(const CZOKProperties &props, const ReaderRegister &reg);
void ApplyRegisterValue(CZOKProperties &props, const ReaderRegister &reg, std::uint8_t value);

// Stores into the model, register by register, every awaited answer whose value byte parses and
// whose address is the selected receiver's (any address for receiver 0): an answer refused as
// another receiver's must not change the model. The rest keep their values. The version answer
// is not applied here (see CZOKFirmwareVersion::FromVersionText).
void ApplyReadAnswers(CZOKProperties &props, const CZOKSyncSession &session, std::uint8_t receiverAddress);

// Sets the supported bits of an accepted answer code (nothing for VE or an unknown code).
void MarkSupported(CZOKProperties &props, std::string_view readCode);

// "[" + write code + value + address + "]" and "OK" + write code + value + address.
std::string WriteCommandText(const ReaderRegister &reg, std::uint8_t value, std::uint8_t address);
std::string WriteAcknowledgement(const ReaderRegister &reg, std::uint8_t value, std::uint8_t address);

// The writes of a write sequence in the register order: every register whose guard bits are all
// supported; the speed register only with speed configuration enabled.
std::vector<CZOKWriteAction> BuildWriteActions(const CZOKProperties &props, std::uint8_t address,
                                               bool speedConfigurationEnabled);
// Empties the session's queue and fills it with BuildWriteActions.
void QueueWrites(CZOKSyncSession &session, const CZOKProperties &props, std::uint8_t address,
                 bool speedConfigurationEnabled);

// The acknowledgement of a write of the model's speed: after it the port changes speed.
std::string SpeedAcknowledgement(const CZOKProperties &props, std::uint8_t address);

} // namespace zok
