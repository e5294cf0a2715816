#pragma once

#include "ENumericProperty.h"

// A single-precision number; shown with up to 6 digits, which hides the float's noise.
class EPropertyFloat : public ENumericProperty
{
public:
    EPropertyFloat(IPropertyHost *host, const QString &name, float *value, const QString &unit, bool enabled,
                   double minimum, double maximum);

    double GetValue() const override;
    bool SetValue(double x) override;
    int GetDigits() const override;
};
