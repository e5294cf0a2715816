#include "EPropertyFloat.h"

#include <cfloat>
#include <cmath>

namespace {
// Single precision of a bound; bounds beyond its range become its largest value.
double toSingle(double x)
{
    return static_cast<float>(std::clamp(x, -static_cast<double>(FLT_MAX), static_cast<double>(FLT_MAX)));
}
} // namespace

EPropertyFloat::EPropertyFloat(IPropertyHost *host, const QString &name, float *value, const QString &unit,
                               bool enabled, double minimum, double maximum)
    : ENumericProperty(host, name, value, unit, enabled, toSingle(minimum), toSingle(maximum))
{
}

double EPropertyFloat::GetValue() const
{
    return Value() ? *static_cast<const float *>(Value()) : 0;
}

bool EPropertyFloat::SetValue(double x)
{
    // A number beyond single precision has no float to become.
    if (!Value() || std::isnan(x) || std::fabs(x) > FLT_MAX)
        return false;
    return Store(static_cast<float>(x));
}

int EPropertyFloat::GetDigits() const
{
    return 6;
}
