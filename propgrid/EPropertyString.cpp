#include "EPropertyString.h"

EPropertyString::EPropertyString(IPropertyHost *host, const QString &name, QString *value, bool enabled)
    : EIconTextButtonProperty(host, name, value, enabled)
{
}

void EPropertyString::GetTextValue(QString &text) const
{
    text = Variable() ? *Variable() : QString();
}

bool EPropertyString::HasEdit() const
{
    return true;
}

bool EPropertyString::CommitEdit()
{
    QString text;
    return EditText(text) && StoreText(text);
}

bool EPropertyString::StoreText(const QString &text)
{
    if (!Variable() || text == *Variable())
        return false;
    return Store(text);
}
