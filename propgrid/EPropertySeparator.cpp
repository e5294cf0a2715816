#include "EPropertySeparator.h"

#include <QPainter>

EPropertySeparator::EPropertySeparator(IPropertyHost *host, const QString &name)
    : EProperty(host, name, nullptr, true)
{
}

int EPropertySeparator::GetHeight(const QFontMetrics &) const
{
    return Name().isEmpty() ? 5 : 19;
}

void EPropertySeparator::Draw(QPainter &painter, EPropWnd *)
{
    painter.fillRect(Rect(), HighlightColor());
}

bool EPropertySeparator::IsSelectable() const
{
    return false;
}

QColor EPropertySeparator::GetBackColor(const EPropWnd *) const
{
    return HighlightColor();
}
