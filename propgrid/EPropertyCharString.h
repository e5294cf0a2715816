#pragma once

#include "EIconTextButtonProperty.h"

// A read-only character buffer (UTF-8): shown up to its first zero byte, or exactly its first
// `maxLength` bytes when that is above 0.
class EPropertyCharString : public EIconTextButtonProperty
{
public:
    EPropertyCharString(IPropertyHost *host, const QString &name, const char *value, int maxLength);

    void GetTextValue(QString &text) const override;

private:
    int m_maxLength;
};
