#include "EPropertyDouble.h"

EPropertyDouble::EPropertyDouble(IPropertyHost *host, const QString &name, double *value, const QString &unit,
                                 bool enabled, double minimum, double maximum)
    : ENumericProperty(host, name, value, unit, enabled, minimum, maximum)
{
}

double EPropertyDouble::GetValue() const
{
    return Value() ? *static_cast<const double *>(Value()) : 0;
}

bool EPropertyDouble::SetValue(double x)
{
    return Value() && Store(x);
}

int EPropertyDouble::GetDigits() const
{
    return 12;
}
