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
    // Tab characters are expanded only in a list that asks for it (off by default, as in the
    // message and traffic lists).
    void SetTabStops(bool expand) { m_tabStops = expand; }
    bool HasTabStops() const { return m_tabStops; }

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    bool m_tabStops = false;
};
