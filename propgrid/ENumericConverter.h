#pragma once

#include <QString>

// Supplies a numeric row's display factor and unit, for hosts whose units change at run time.
class ENumericConverter
{
public:
    virtual ~ENumericConverter() = default;
    // Returns the display factor (shown value = stored value x factor) and fills the unit.
    virtual double GetFactor(QString &unit) = 0;
};
