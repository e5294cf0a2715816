#include "CColorLineDelegate.h"

#include "CColorListBox.h"
#include "ReadableColor.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

QColor CColorLineDelegate::TextColor(const QStyleOptionViewItem &option, const QModelIndex &index)
{
    if (option.state & QStyle::State_Selected)
        return option.palette.color(QPalette::Active, QPalette::HighlightedText);
    if (!(option.state & QStyle::State_Enabled))
        return option.palette.color(QPalette::Disabled, QPalette::Text);
    // The line's own colour where it reads well on the list's background, else a lighter or darker
    // shade of it (blue on a dark desktop, orange on a light one).
    const QColor own = index.data(CColorListBox::kColorRole).value<QColor>();
    return own.isValid() ? zok::ReadableOn(own, option.palette.color(QPalette::Base), zok::kTextContrast)
                         : option.palette.color(QPalette::Text);
}

int CColorLineDelegate::TextFlags(const QStyleOptionViewItem &option)
{
    const auto *list = qobject_cast<const CColorListBox *>(option.widget);
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    return list && list->HasTabStops() ? flags | Qt::TextExpandTabs : flags;
}

void CColorLineDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const
{
    painter->save();
    if (option.state & QStyle::State_Selected)
        painter->fillRect(option.rect, option.palette.color(QPalette::Active, QPalette::Highlight));
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        const QWidget *widget = option.widget;
        QStyle *style = widget ? widget->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
    painter->setPen(TextColor(option, index));
    painter->setFont(option.font);
    const QRect textRect = option.rect.adjusted(2, 0, 0, 0);
    painter->drawText(textRect, TextFlags(option), index.data(Qt::DisplayRole).toString());
    painter->restore();
}

QSize CColorLineDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    // One line as high as a check mark, and never lower than the font, so no text is cut.
    const QWidget *widget = option.widget;
    const QStyle *style = widget ? widget->style() : QApplication::style();
    const int mark = style->pixelMetric(QStyle::PM_IndicatorHeight, &option, widget);
    const int height = std::max(mark, option.fontMetrics.height() + 2);
    // In a colour list every line is as wide as its widest (the views ask one line for all);
    // elsewhere the line's own text.
    const auto *list = qobject_cast<const CColorListBox *>(widget);
    const int text = list ? list->WidestLine()
                          : option.fontMetrics.horizontalAdvance(index.data(Qt::DisplayRole).toString());
    const int width = text + 6;
    return {width, height};
}
