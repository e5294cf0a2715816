#include "SelectedWrites.h"

#include "ParameterTable.h"
#include "ParameterWire.h"

#include <string_view>

namespace zok {

namespace {

// The register a queued command writes: "[" + write code + value + address + "]".
const ReaderRegister *RegisterOfCommand(std::string_view command)
{
    if (command.size() < 3)
        return nullptr;
    const auto code = command.substr(1, 2);
    for (const auto &reg : Registers()) {
        if (code == reg.WriteCode)
            return &reg;
    }
    return nullptr;
}

} // namespace

std::uint32_t RegisterParameterMask(const ReaderRegister &reg)
{
    std::uint32_t bits = 0;
    for (const auto id : ParametersOf(reg))
        bits |= Parameter(id).MaskBit;
    return bits;
}

std::vector<CZOKWriteAction> BuildSelectedWriteActions(const CZOKProperties &props, std::uint8_t address,
                                                       bool speedConfigurationEnabled,
                                                       std::uint32_t parameterMask)
{
    std::vector<CZOKWriteAction> selected;
    for (auto &write : BuildWriteActions(props, address, speedConfigurationEnabled)) {
        const auto *reg = RegisterOfCommand(write.Command);
        if (reg != nullptr && (RegisterParameterMask(*reg) & parameterMask) != 0)
            selected.push_back(std::move(write));
    }
    return selected;
}

std::uint32_t AcknowledgedParameters(const CZOKSyncSession &session)
{
    std::uint32_t bits = 0;
    for (int i = 0; i < session.WriteIndex; ++i) {
        const auto action = session.GetWriteAction(i);
        const auto *reg = action ? RegisterOfCommand(action->Command) : nullptr;
        if (reg != nullptr)
            bits |= RegisterParameterMask(*reg);
    }
    return bits;
}

} // namespace zok
