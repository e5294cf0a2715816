#include "EPropertyCharString.h"

EPropertyCharString::EPropertyCharString(IPropertyHost *host, const QString &name, const char *value,
                                         int maxLength)
    : EIconTextButtonProperty(host, name, const_cast<char *>(value), false), m_maxLength(maxLength)
{
}

void EPropertyCharString::GetTextValue(QString &text) const
{
    const auto *chars = static_cast<const char *>(Value());
    if (!chars)
        text.clear();
    else if (m_maxLength > 0)
        text = QString::fromUtf8(chars, m_maxLength);
    else
        text = QString::fromUtf8(chars);
}
