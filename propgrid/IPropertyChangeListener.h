#pragma once

#include <QString>

// Told by the grid after a value was changed through it.
class IPropertyChangeListener
{
public:
    virtual ~IPropertyChangeListener() = default;

    virtual void PropertyChanged() {}
    // The text drawn in an empty page.
    virtual void GetEmptyText(QString &text) { text = QStringLiteral("NO PROPERTIES"); }
};
