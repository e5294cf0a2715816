#include "ENumericProperty.h"

#include "ENumericConverter.h"
#include "ENumericText.h"

#include <cmath>

ENumericProperty::ENumericProperty(IPropertyHost *host, const QString &name, void *value, const QString &unit,
                                   bool enabled, double minimum, double maximum)
    : EIconTextButtonProperty(host, name, value, enabled), m_unit(unit), m_unitSource(&m_unit),
      m_minimum(minimum), m_maximum(maximum)
{
}

bool ENumericProperty::HasEdit() const
{
    return Value() != nullptr;
}

bool ENumericProperty::HasButton() const
{
    return false;
}

int ENumericProperty::GetIconWidth() const
{
    return 0;
}

bool ENumericProperty::GetNumber(double &number) const
{
    number = GetValue();
    return true;
}

double ENumericProperty::DisplayFactor() const
{
    if (m_converter) {
        QString unit;
        return m_converter->GetFactor(unit);
    }
    double factor = m_factor;
    if (m_multiplier)
        factor *= *m_multiplier;
    if (m_divisor)
        factor /= *m_divisor;
    return factor;
}

QString ENumericProperty::Unit() const
{
    QString unit;
    if (m_converter)
        m_converter->GetFactor(unit);
    else if (m_unitSource)
        unit = *m_unitSource;
    return unit;
}

void ENumericProperty::GetTextValue(QString &text) const
{
    const double v = Value() ? GetValue() : 1;
    for (const auto &[named, namedText] : m_namedValues) {
        if (named == v) {
            text = namedText;
            return;
        }
    }
    text = ENumericText::Format(v * DisplayFactor(), GetDigits(), m_precision, m_flags & Grouping,
                                m_flags & Scientific);
    const QString unit = Unit();
    if (!unit.isEmpty())
        text += QLatin1Char(' ') + unit;
}

bool ENumericProperty::CommitEdit()
{
    QString text;
    if (!EditText(text) || text == EditStartText())
        return false;
    const double factor = DisplayFactor();
    const std::optional<double> result = ENumericText::Parse(text, GetValue() * factor);
    if (!result)
        return false;
    const double v = *result / factor;
    if (!std::isfinite(v))
        return false;
    const bool inRange = (m_minimum == 0 && m_maximum == 0) || (m_minimum <= v && v <= m_maximum);
    return inRange && SetValue(v);
}

ENumericProperty *ENumericProperty::AddNamedValue(double value, const QString &text)
{
    m_namedValues.emplace_back(value, text);
    return this;
}

ENumericProperty *ENumericProperty::SetFactor(double factor)
{
    m_factor = factor;
    return this;
}

ENumericProperty *ENumericProperty::SetUnitSource(const QString *unit)
{
    m_unitSource = unit ? unit : &m_unit;
    return this;
}

ENumericProperty *ENumericProperty::SetMultiplier(const double *multiplier)
{
    m_multiplier = multiplier;
    return this;
}

ENumericProperty *ENumericProperty::SetDivisor(const double *divisor)
{
    m_divisor = divisor;
    return this;
}

ENumericProperty *ENumericProperty::SetConverter(ENumericConverter *converter)
{
    m_converter = converter;
    return this;
}

ENumericProperty *ENumericProperty::SetFormat(int flags)
{
    m_flags = flags;
    return this;
}

ENumericProperty *ENumericProperty::SetPrecision(int precision)
{
    m_precision = precision;
    return this;
}
