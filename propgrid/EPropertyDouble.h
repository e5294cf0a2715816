#pragma once

#include "ENumericProperty.h"

// A double-precision number; shown with up to 12 digits.
class EPropertyDouble : public ENumericProperty
{
public:
    EPropertyDouble(IPropertyHost *host, const QString &name, double *value, const QString &unit,
                    bool enabled, double minimum, double maximum);

    double GetValue() const override;
    bool SetValue(double x) override;
    int GetDigits() const override;
};
