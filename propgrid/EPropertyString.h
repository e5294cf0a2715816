#pragma once

#include "EIconTextButtonProperty.h"

// A text variable (QString) edited in the edit box.
class EPropertyString : public EIconTextButtonProperty
{
public:
    EPropertyString(IPropertyHost *host, const QString &name, QString *value, bool enabled);

    void GetTextValue(QString &text) const override;
    bool HasEdit() const override;
    bool CommitEdit() override;

protected:
    QString *Variable() const { return static_cast<QString *>(Value()); }
    // The common store step for texts: an unchanged text is no change.
    bool StoreText(const QString &text);
};
