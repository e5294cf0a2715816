#include "CColorListBox.h"

#include "CColorLineDelegate.h"

#include <QMouseEvent>

CColorListBox::CColorListBox(QWidget *parent) : QListWidget(parent)
{
    setItemDelegate(new CColorLineDelegate(this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
}

int CColorListBox::AddColoredString(const QString &text, const QColor &color)
{
    auto *item = new QListWidgetItem(text);
    item->setData(kColorRole, color);
    addItem(item);
    return count() - 1;
}

QColor CColorListBox::LineColor(int index) const
{
    const QListWidgetItem *line = item(index);
    return line ? line->data(kColorRole).value<QColor>() : QColor();
}

QString CColorListBox::LineText(int index) const
{
    const QListWidgetItem *line = item(index);
    return line ? line->text() : QString();
}

void CColorListBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton)
        clear();
    QListWidget::mouseDoubleClickEvent(event);
}
