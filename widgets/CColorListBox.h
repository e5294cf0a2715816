#pragma once

#include "CColorLineModel.h"

#include <QColor>
#include <QElapsedTimer>
#include <QHash>
#include <QListView>
#include <QString>
#include <QTimer>

// A list of text lines, each drawn in its own colour; selected lines use the highlight colours.
// A double-click with the right mouse button empties the list; from the keyboard, the context-menu
// key (or Shift+F10) opens a menu of the actions added to the list (the window adds a Clear).
// Lines are selected as in any list (click, Shift and Ctrl), and Ctrl+C copies the selected ones;
// adding lines clears the selection again.
//
// Built for lines arriving by the thousand per second: appending only stores the line; the view
// learns about the lines appended since it last did all at once, at the next turn of the event
// loop but at most 30 times a second, then shows the newest line (current, not selected) once. The horizontal
// extent is the widest line, each line measured once.
class CColorListBox : public QListView
{
    Q_OBJECT

public:
    // Role under which each line keeps its colour.
    static constexpr int kColorRole = CColorLineModel::kColorRole;

    explicit CColorListBox(QWidget *parent = nullptr);

    // The list keeps this many lines at most (0, the default: all), dropping the oldest first.
    void SetMaxLines(int maxLines) { m_lines->SetMaxLines(maxLines); }

    // Appends a line and returns its index. The line is shown at the next turn of the event loop,
    // or a little later while lines keep coming (or at once by ShowPendingLines).
    int AddColoredString(const QString &text, const QColor &color);
    // The lines as appended, whether shown yet or not.
    int count() const { return m_lines->Count(); }
    QColor LineColor(int index) const { return m_lines->Color(index); }
    QString LineText(int index) const { return m_lines->Text(index); }
    // Empties the list, lines not shown yet included.
    void clear();
    // Shows the lines appended since the last time now, and scrolls to the newest.
    void ShowPendingLines();
    // The selected lines' texts in list order, one a line; empty when none is selected.
    QString SelectedText() const;
    // Puts SelectedText() on the clipboard; false (clipboard untouched) when nothing is selected.
    bool CopySelection();
    // The widest line in pixels, as laid out.
    int WidestLine() const { return m_lines->WidestLine(); }

    // Tab characters are expanded only in a list that asks for it (off by default, as in the
    // message and traffic lists).
    void SetTabStops(bool expand) { m_tabStops = expand; }
    bool HasTabStops() const { return m_tabStops; }

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    int MeasureLine(const QString &text);

    CColorLineModel *m_lines = nullptr;
    bool m_tabStops = false;
    // Starts the next showing: at once after a quiet spell, a refresh period after the last one
    // while lines keep coming.
    QTimer m_showTimer;
    QElapsedTimer m_sinceShown;
    // Widths of recent texts: a busy line repeats the same few frames.
    QHash<QString, int> m_widths;
};
