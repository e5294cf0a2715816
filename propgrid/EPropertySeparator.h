#pragma once

#include "EProperty.h"

// A coloured bar between groups of rows; it has no value and cannot be selected by a click.
class EPropertySeparator : public EProperty
{
public:
    EPropertySeparator(IPropertyHost *host, const QString &name);

    int GetHeight(const QFontMetrics &fm) const override;
    void Draw(QPainter &painter, EPropWnd *wnd) override;
    bool IsSelectable() const override;
    QColor GetBackColor(const EPropWnd *wnd) const override;
};
