#pragma once

#include "EIconTextButtonProperty.h"

#include <utility>
#include <vector>

class ENumericConverter;

// A number held in a host variable: shown with a display factor, unit and automatic precision,
// typed in the small entry language of ENumericText, range-checked and offered to the host.
class ENumericProperty : public EIconTextButtonProperty
{
public:
    enum FormatFlag { Grouping = 1, Scientific = 2 };

    ENumericProperty(IPropertyHost *host, const QString &name, void *value, const QString &unit, bool enabled,
                     double minimum, double maximum);

    virtual double GetValue() const = 0;
    // Offers `x` (converted to the variable's type) to the host; stores it when approved.
    virtual bool SetValue(double x) = 0;
    virtual int GetDigits() const = 0;

    bool HasEdit() const override;
    bool HasButton() const override;
    int GetIconWidth() const override;
    bool GetNumber(double &number) const override;
    void GetTextValue(QString &text) const override;
    bool CommitEdit() override;

    // Optional display settings; the defaults show the plain stored number.
    ENumericProperty *AddNamedValue(double value, const QString &text);
    ENumericProperty *SetFactor(double factor);
    ENumericProperty *SetUnitSource(const QString *unit);
    ENumericProperty *SetMultiplier(const double *multiplier);
    ENumericProperty *SetDivisor(const double *divisor);
    ENumericProperty *SetConverter(ENumericConverter *converter);
    ENumericProperty *SetFormat(int flags);
    ENumericProperty *SetPrecision(int precision);

    double DisplayFactor() const;
    double Minimum() const { return m_minimum; }
    double Maximum() const { return m_maximum; }

private:
    QString Unit() const;

    std::vector<std::pair<double, QString>> m_namedValues;
    double m_factor = 1;
    QString m_unit;
    const QString *m_unitSource;
    const double *m_multiplier = nullptr;
    const double *m_divisor = nullptr;
    double m_minimum;
    double m_maximum;
    ENumericConverter *m_converter = nullptr;
    int m_flags = 0;
    int m_precision = -1;
};
