#include "EPropertyInt.h"

#include <array>
#include <cmath>
#include <cstring>

EPropertyInt::EPropertyInt(IPropertyHost *host, const QString &name, void *value, const QString &unit,
                           bool enabled, double minimum, double maximum)
    : ENumericProperty(host, name, value, unit, enabled, minimum, maximum)
{
}

EPropertyInt *EPropertyInt::SetSize(int bytes, bool isSigned)
{
    m_bytes = std::clamp(bytes, 1, 8);
    m_signed = isSigned;
    return this;
}

int EPropertyInt::GetDigits() const
{
    return 10;
}

double EPropertyInt::FromBytes(const void *data, int bytes, bool isSigned)
{
    const auto *p = static_cast<const unsigned char *>(data);
    std::uint64_t bits = 0;
    for (int i = bytes - 1; i >= 0; --i)
        bits = (bits << 8) | p[i];
    const int width = 8 * bytes;
    if (isSigned && width < 64 && (bits >> (width - 1)) & 1)
        bits |= ~std::uint64_t{0} << width;
    return isSigned ? static_cast<double>(static_cast<std::int64_t>(bits)) : static_cast<double>(bits);
}

std::optional<std::uint64_t> EPropertyInt::ToBits(double x, int bytes, bool isSigned)
{
    constexpr double kTwo63 = 9223372036854775808.0;
    if (!std::isfinite(x))
        return std::nullopt;
    const double t = std::trunc(x);
    std::uint64_t bits = 0;
    if (t >= -kTwo63 && t < kTwo63)
        bits = static_cast<std::uint64_t>(static_cast<std::int64_t>(t));
    else if (!isSigned && bytes == 8 && t >= kTwo63 && t < 2 * kTwo63)
        bits = static_cast<std::uint64_t>(t);
    else
        return std::nullopt;
    return bytes == 8 ? bits : bits & ((std::uint64_t{1} << (8 * bytes)) - 1);
}

double EPropertyInt::GetValue() const
{
    return Value() ? FromBytes(Value(), m_bytes, m_signed) : 0;
}

bool EPropertyInt::SetValue(double x)
{
    const std::optional<std::uint64_t> bits = ToBits(x, m_bytes, m_signed);
    if (!bits || !Value())
        return false;
    std::array<unsigned char, 8> temp{};
    for (int i = 0; i < m_bytes; ++i)
        temp[i] = static_cast<unsigned char>(*bits >> (8 * i));
    if (!AskHost(temp.data()))
        return false;
    std::memcpy(Value(), temp.data(), static_cast<size_t>(m_bytes));
    return true;
}
