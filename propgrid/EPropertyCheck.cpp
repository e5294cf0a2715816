#include "EPropertyCheck.h"

#include "EPropWnd.h"

#include <QPainter>

EPropertyCheck::EPropertyCheck(IPropertyHost *host, const QString &name, bool *value, bool enabled)
    : EIconTextButtonProperty(host, name, value, enabled)
{
}

int EPropertyCheck::GetIconWidth() const
{
    return 13;
}

void EPropertyCheck::GetTextValue(QString &text) const
{
    text.clear();
}

int EPropertyCheck::GetHeight(const QFontMetrics &) const
{
    return 19;
}

void EPropertyCheck::DrawIcon(QPainter &painter, EPropWnd *wnd, const QRect &box)
{
    const bool enabled = IsEnabled();
    const bool checked = Variable() && *Variable();
    // The box's blue frame and green mark, shaded where the value background needs it (a mark is
    // a graphic: 3:1).
    const QColor back = wnd->ValueBackColor();
    const auto shade = [&back](const QColor &c) { return EPropWnd::ReadableOn(c, back, 3.0); };
    const QColor frame = shade(enabled ? QColor(0, 0, 200) : QColor(128, 128, 128));
    painter.save();
    painter.fillRect(box, back);
    painter.setPen(frame);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    if (checked) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(shade(enabled ? QColor(0, 150, 0) : QColor(128, 128, 128)), 2));
        const QPointF points[] = {box.topLeft() + QPointF(3, 6.5), box.topLeft() + QPointF(5.5, 9),
                                  box.topLeft() + QPointF(10, 3.5)};
        painter.drawPolyline(points, 3);
    }
    painter.restore();
}

bool EPropertyCheck::Toggle()
{
    if (!IsEnabled())
        return false;
    return Store(!*Variable());
}

bool EPropertyCheck::OnLButtonDown(EPropWnd *, int x, int y)
{
    return IconRect().contains(x, y) && Toggle();
}
