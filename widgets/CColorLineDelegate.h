#pragma once

#include <QStyledItemDelegate>

// Draws one line of a CColorListBox: its own colour, or the highlight colours when selected.
class CColorLineDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // The colour the line's text is drawn in, for the given state: the line's own colour, made
    // readable on the list's background (see ReadableOn).
    static QColor TextColor(const QStyleOptionViewItem &option, const QModelIndex &index);
    // How the line's text is laid out: one line, centred vertically, tabs expanded only when the
    // list has tab stops.
    static int TextFlags(const QStyleOptionViewItem &option);
};
