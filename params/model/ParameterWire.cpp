#include "ParameterWire.h"

#include "HexByte.h"
#include "ParameterTable.h"

namespace zok {

std::uint8_t WireValueOf(ParameterId id, int modelValue)
{
    // Unsigned arithmetic: a member holding INT_MAX must not overflow on the way.
    const unsigned offset = Parameter(id).ChoicePlusOne ? 1U : 0U;
    return static_cast<std::uint8_t>((static_cast<unsigned>(modelValue) + offset) & 0xFFU);
}

int ModelValueOf(ParameterId id, std::uint8_t wireValue)
{
    return Parameter(id).ChoicePlusOne ? wireValue - 1 : wireValue;
}

std::uint8_t ComposeSwitchField(const CZOKProperties &props)
{
    unsigned field = 0;
    for (const auto id : SwitchParameters()) {
        if (props.Value(id) == 1)
            field |= 1U << Parameter(id).SwitchBit;
    }
    return static_cast<std::uint8_t>(field);
}

void ApplySwitchField(CZOKProperties &props, std::uint8_t field)
{
    for (const auto id : SwitchParameters())
        props.SetValue(id, (field >> Parameter(id).SwitchBit) & 1);
}

std::uint8_t RegisterWireValue(const CZOKProperties &props, const ReaderRegister &reg)
{
    if (reg.SwitchField)
        return ComposeSwitchField(props);
    return WireValueOf(reg.Parameter, props.Value(reg.Parameter));
}

void ApplyRegisterValue(CZOKProperties &props, const ReaderRegister &reg, std::uint8_t value)
{
    if (reg.SwitchField)
        ApplySwitchField(props, value);
    else
        props.SetValue(reg.Parameter, ModelValueOf(reg.Parameter, value));
}

namespace {

// The entry's last answer carries the selected receiver's address (any address for receiver 0).
bool FromReceiver(const CZOKSyncParameter &entry, std::uint8_t receiverAddress)
{
    const auto address = entry.GetAddressByte();
    return address && (receiverAddress == 0 || *address == receiverAddress);
}

} // namespace

void ApplyReadAnswers(CZOKProperties &props, const CZOKSyncSession &session, std::uint8_t receiverAddress)
{
    for (const auto &reg : Registers()) {
        const auto *entry = session.LookupParameter(reg.ReadCode);
        if (entry == nullptr || !FromReceiver(*entry, receiverAddress))
            continue;
        if (const auto value = entry->GetValueByte())
            ApplyRegisterValue(props, reg, *value);
    }
}

void MarkSupported(CZOKProperties &props, std::string_view readCode)
{
    props.AddSupported(SupportedBitsOfReadCode(readCode));
}

std::string WriteCommandText(const ReaderRegister &reg, std::uint8_t value, std::uint8_t address)
{
    return "[" + std::string(reg.WriteCode) + FormatHexByte(value) + FormatHexByte(address) + "]";
}

std::string WriteAcknowledgement(const ReaderRegister &reg, std::uint8_t value, std::uint8_t address)
{
    return "OK" + std::string(reg.WriteCode) + FormatHexByte(value) + FormatHexByte(address);
}

std::vector<CZOKWriteAction> BuildWriteActions(const CZOKProperties &props, std::uint8_t address,
                                               bool speedConfigurationEnabled)
{
    std::vector<CZOKWriteAction> writes;
    for (const auto &reg : Registers()) {
        const auto guard = WriteGuardMask(reg);
        if ((props.SupportedMask() & guard) != guard)
            continue;
        if (reg.NeedsSpeedConfiguration && !speedConfigurationEnabled)
            continue;
        const auto value = RegisterWireValue(props, reg);
        writes.push_back({WriteCommandText(reg, value, address), WriteAcknowledgement(reg, value, address)});
    }
    return writes;
}

void QueueWrites(CZOKSyncSession &session, const CZOKProperties &props, std::uint8_t address,
                 bool speedConfigurationEnabled)
{
    session.ClearWriteQueue();
    for (const auto &write : BuildWriteActions(props, address, speedConfigurationEnabled))
        session.AddWriteAction(write);
}

std::string SpeedAcknowledgement(const CZOKProperties &props, std::uint8_t address)
{
    const auto &reg = RegisterOf(ParameterId::RX_VITESSE);
    return WriteAcknowledgement(reg, RegisterWireValue(props, reg), address);
}

} // namespace zok
