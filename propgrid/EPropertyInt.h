#pragma once

#include "ENumericProperty.h"

#include <cstdint>
#include <optional>

// An integer of 1 to 8 bytes, signed or not, stored little-endian in the host's variable.
class EPropertyInt : public ENumericProperty
{
public:
    EPropertyInt(IPropertyHost *host, const QString &name, void *value, const QString &unit, bool enabled,
                 double minimum, double maximum);

    // Sets the variable's width in bytes (1 to 8) and signedness; 4 bytes signed until then.
    EPropertyInt *SetSize(int bytes, bool isSigned);

    double GetValue() const override;
    bool SetValue(double x) override;
    int GetDigits() const override;

    int Size() const { return m_bytes; }
    bool IsSigned() const { return m_signed; }

    // The content of an integer of `bytes` bytes for `x`: truncated toward zero to 64 bits, low
    // bytes kept. Nullopt when `x` is not finite or lies beyond what 64 bits hold.
    static std::optional<std::uint64_t> ToBits(double x, int bytes, bool isSigned);
    // The value of the first `bytes` bytes (little-endian) at `data`, sign-extended when signed.
    static double FromBytes(const void *data, int bytes, bool isSigned);

private:
    int m_bytes = 4;
    bool m_signed = true;
};
