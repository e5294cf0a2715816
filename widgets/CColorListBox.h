#pragma once

#include <QColor>
#include <QListWidget>
#include <QString>

// A list of text lines, each drawn in its own colour; selected lines use the highlight colours.
// A double-click with the right mouse button empties the list.
class CColorListBox : public QListWidget
{
    Q_OBJECT

public:
    // Role under which each line keeps its colour.
    static constexpr int kColorRole = Qt::UserRole + 1;

    explicit CColorListBox(QWidget *parent = nullptr);

    // Appends a line and returns its index.
    int AddColoredString(const QString &text, const QColor &color);
    QColor LineColor(int index) const;
    QString LineText(int index) const;

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};
