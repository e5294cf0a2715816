#include "CZOKProperties.h"

#include "ParameterTable.h"

namespace {

bool IsByte(ParameterId id)
{
    return zok::Parameter(id).Kind == ParameterKind::Byte;
}

} // namespace

CZOKProperties::CZOKProperties()
{
    for (const auto &info : zok::Parameters())
        SetValue(info.Id, info.DefaultValue);
}

int CZOKProperties::Value(ParameterId id) const
{
    const auto i = IndexOf(id);
    return IsByte(id) ? m_bytes.at(i) : m_choices.at(i);
}

void CZOKProperties::SetValue(ParameterId id, int value)
{
    const auto i = IndexOf(id);
    if (IsByte(id))
        m_bytes.at(i) = static_cast<std::uint8_t>(value & 0xFF);
    else
        m_choices.at(i) = value;
}

std::uint8_t *CZOKProperties::ByteMember(ParameterId id)
{
    return IsByte(id) ? &m_bytes.at(IndexOf(id)) : nullptr;
}

int *CZOKProperties::ChoiceMember(ParameterId id)
{
    return IsByte(id) ? nullptr : &m_choices.at(IndexOf(id));
}

void CZOKProperties::ClearReadResults()
{
    m_supportedMask = 0;
    m_firmware = {};
}

bool CZOKProperties::IsParameterSupported(ParameterId id) const
{
    const auto &info = zok::Parameter(id);
    return IsSupported(info.MaskBit) && m_firmware.Satisfies(info.MinimumFirmware);
}

std::span<const ParameterChoice> CZOKProperties::Choices(ParameterId id) const
{
    return zok::ChoicesFor(id, m_firmware);
}

void CZOKProperties::ResetUnsupportedValues()
{
    for (const auto &info : zok::Parameters()) {
        if (!IsParameterSupported(info.Id))
            SetValue(info.Id, info.UnsupportedValue);
    }
}
