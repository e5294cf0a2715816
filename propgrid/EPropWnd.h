#pragma once

#include "EPropDialogs.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QPointer>

#include <vector>

class EProperty;
class EPropWndEdit;
class IPropertyChangeListener;
class QPushButton;

// The scrolling, painting base of the list window: colours, font, selection, commits, scroll bars,
// the key table and the routing of the in-place controls' commands to the selected row.
class EPropWnd : public QAbstractScrollArea
{
    Q_OBJECT
public:
    explicit EPropWnd(QWidget *parent = nullptr);
    ~EPropWnd() override;

    void SetListener(IPropertyChangeListener *listener) { m_listener = listener; }
    IPropertyChangeListener *Listener() const { return m_listener; }
    // The window repainted with this one whenever the selection or the page changes.
    void SetCommentPane(QWidget *pane) { m_commentPane = pane; }

    // Makes `row` the selected row (null clears), ending the old row's edit and beginning its own.
    void Select(EProperty *row);
    EProperty *Selected() const { return m_selected; }
    // Commits the selected row's in-place value; tells the listener when it changed.
    void CommitEdit();
    void UpdateScrollBars();
    void Draw3DFrame(QPainter &painter, const QRect &rect, bool raised, const QColor *fill) const;
    void EnsureVisible(const EProperty *row);
    void MoveSelection(int steps);

    virtual void GetContentSize(int &width, int &height) const;
    virtual void GetControlIdRange(int &first, int &last) const;

    // For rows while they paint and edit.
    const QFont &PropFont() const { return m_font; }
    QColor FaceColor() const { return m_faceColor; }
    int Margin() const { return m_margin; }
    QPoint ScrollOffset() const;
    int ClientRightInContent() const;
    EPropWndEdit *CreateEditBox(int id, const QString &rowName, const QString &text, Qt::Alignment align);
    QPushButton *CreateButton(int id, const QString &rowName);
    void DiscardControl(QWidget *control);
    EPropDialogs &Dialogs() { return m_dialogs; }
    // Called by the in-place controls with their id (600..700); see GetControlIdRange.
    void OnChildCommand(int id, int param);
    void NotifyChanged();
    void Invalidate();

protected:
    // The laid-out rows of the current page, in order; keys move through them.
    virtual const std::vector<EProperty *> &VisibleRows() const;
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    // Ends the selection without committing or touching the focus (used while rebuilding).
    void DropSelection();
    // Called when the rows are rebuilt, so that pending work on an old row stops.
    void NoteRebuild() { ++m_generation; }

private:
    bool HandleKey(const QKeyEvent *event, bool listHasFocus);
    bool IsTableKey(const QKeyEvent *event, bool listHasFocus) const;
    void EndSelectionByKey(bool commit);
    void SelectAt(int index);
    void OnEditFocusLost(Qt::FocusReason reason);
    bool FocusInControls() const;
    void OnScrollAction(QScrollBar *bar, int action);
    void UpdateAccessibleText();

    IPropertyChangeListener *m_listener = nullptr;
    QColor m_highlightColor;
    QColor m_faceColor;
    QColor m_shadowColor;
    QFont m_font;
    EProperty *m_selected = nullptr;
    int m_margin = 1;
    QPointer<QWidget> m_commentPane;
    bool m_commitOnFocusLoss = true;
    bool m_deselectOnFocusLoss = true;
    bool m_updatingBars = false;
    unsigned m_generation = 0;
    EPropDialogs m_dialogs = EPropDialogs::Standard();
};
