#pragma once

#include "CZOKFirmwareVersion.h"
#include "ParameterId.h"
#include "ParameterInfo.h"

#include <array>
#include <cstdint>
#include <span>

// The 22 operating parameters of the selected receiver, the mask of parameters it answered and
// its firmware version. Plain data: the read sequence, the parameter sheet and parameter files
// write the values directly; every per-parameter fact comes from the parameter table.
class CZOKProperties
{
public:
    // The table's defaults, no parameter supported, firmware unknown.
    CZOKProperties();

    // The value of a parameter: a byte (0..255) or the int of a choice.
    int Value(ParameterId id) const;
    // Byte parameters keep the low byte of `value`; choices keep it whole.
    void SetValue(ParameterId id, int value);

    // The member itself, for a grid row that edits it in place: the byte of a byte parameter
    // (nullptr for a choice), or the int of a choice (nullptr for a byte parameter).
    std::uint8_t *ByteMember(ParameterId id);
    int *ChoiceMember(ParameterId id);

    std::uint32_t SupportedMask() const { return m_supportedMask; }
    void SetSupportedMask(std::uint32_t mask) { m_supportedMask = mask; }
    void AddSupported(std::uint32_t bits) { m_supportedMask |= bits; }
    // True when the mask and `bits` share a set bit.
    bool IsSupported(std::uint32_t bits) const { return (m_supportedMask & bits) != 0; }

    const CZOKFirmwareVersion &FirmwareVersion() const { return m_firmware; }
    void SetFirmwareVersion(int major, int minor, int build) { m_firmware = {major, minor, build}; }

    // What a read or a speed detection starts from: nothing supported, firmware unknown.
    void ClearReadResults();

    // The receiver reported the parameter and its firmware is new enough for it.
    bool IsParameterSupported(ParameterId id) const;
    // The choices the parameter offers with the current firmware (empty for byte parameters).
    std::span<const ParameterChoice> Choices(ParameterId id) const;
    // Puts the table's fixed value into every unsupported parameter, as the sheet shows them.
    void ResetUnsupportedValues();

private:
    // Indexed by parameter; each parameter uses the array of its kind.
    std::array<std::uint8_t, kParameterCount> m_bytes{};
    std::array<int, kParameterCount> m_choices{};
    std::uint32_t m_supportedMask = 0;
    CZOKFirmwareVersion m_firmware;
};
