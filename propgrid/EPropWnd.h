#pragma once

#include "EPropDialogs.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QPointer>

#include <functional>
#include <optional>

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
    // The rows of the current page in order, as screen readers see them.
    const std::vector<EProperty *> &AccessibleRows() const { return VisibleRows(); }
    // Commits the selected row's in-place value; tells the listener when it changed.
    void CommitEdit();
    // Commits the selected row's in-place value and ends the selection, as Enter does; for an
    // owner's command that is about to read or replace the values.
    void FinishEdit();
    void UpdateScrollBars();
    void Draw3DFrame(QPainter &painter, const QRect &rect, bool raised, const QColor *fill) const;
    void EnsureVisible(const EProperty *row);
    void MoveSelection(int steps);

    virtual void GetContentSize(int &width, int &height) const;
    virtual void GetControlIdRange(int &first, int &last) const;

    // For rows while they paint and edit.
    const QFont &PropFont() const { return m_font; }
    QColor FaceColor() const { return m_faceColor; }
    // Colours of the value cells and of texts, from the palette (they follow a dark desktop).
    QColor ValueBackColor() const { return palette().color(QPalette::Base); }
    QColor ValueTextColor() const { return palette().color(QPalette::Text); }
    // The palette's text colour of the faces where it reads on `back`, else black or white (the
    // orange of a selected name stays light on a dark desktop).
    QColor TextColorOn(const QColor &back) const;
    // The grid's own colour `wanted`, shaded where needed to reach `minimum` contrast on `back`.
    static QColor ReadableOn(const QColor &wanted, const QColor &back, double minimum);
    int Margin() const { return m_margin; }
    QPoint ScrollOffset() const;
    int ClientRightInContent() const;
    EPropWndEdit *CreateEditBox(int id, const QString &rowName, const QString &text, Qt::Alignment align);
    QPushButton *CreateButton(int id, const QString &rowName);
    void DiscardControl(QWidget *control);
    EPropDialogs &Dialogs() { return m_dialogs; }
    // The dialogs and the choice menu as rows open them. They run their own event loops, in which
    // the rows may be rebuilt or the window retired: an answer that outlived its row is dropped
    // (nullopt, -1).
    std::optional<QString> OpenFile(const QString &filter);
    std::optional<QString> ChooseFolder(const QString &title);
    std::optional<QColor> ChooseColor(const QColor &initial);
    std::optional<QFont> ChooseFont(const QFont &initial);
    int ChooseItem(QPoint at, const QStringList &items, int checked);
    // The window is being thrown away (its owner replaces it while one of its menus or dialogs
    // may still run an event loop, or is itself going): those are closed, their answers dropped,
    // the selection ends without a commit and the listener hears nothing more. The owner deletes
    // it later.
    virtual void Retire();
    // Whether a row's command (a menu or dialog of its own) is running; rows must outlive it.
    bool InRowCommand() const { return m_commandDepth > 0; }
    // Runs `work` once no row command is running any more (at once when none is).
    void AfterRowCommands(std::function<void()> work);
    // Called by the in-place controls with their id (600..700); see GetControlIdRange.
    void OnChildCommand(int id, int param);
    void NotifyChanged();
    void Invalidate();

protected:
    // The laid-out rows of the current page, in order; keys move through them.
    virtual const std::vector<EProperty *> &VisibleRows() const;
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    // Ends the selection without committing or touching the focus (used while rebuilding).
    void DropSelection();
    // Called when the rows are rebuilt, so that pending work on an old row stops.
    void NoteRebuild() { ++m_generation; }

private:
    template <typename Result, typename Hook, typename... Args>
    Result AskRow(const Hook &hook, Result none, const Args &...args)
    {
        if (!hook)
            return none;
        const unsigned generation = m_generation;
        Result answer = hook(this, args...);
        return generation == m_generation ? answer : none;
    }
    bool HandleKey(const QKeyEvent *event, bool listHasFocus);
    bool IsTableKey(const QKeyEvent *event, bool listHasFocus) const;
    void EndSelectionByKey(bool commit);
    void SelectAt(int index);
    void SelectIndex(qsizetype index);
    QPushButton *KeyboardButton() const;
    bool IsButtonKey(const QKeyEvent *event, bool listHasFocus) const;
    void PressButton();
    void OnEditFocusLost(Qt::FocusReason reason);
    bool FocusInControls() const;
    void OnScrollAction(QScrollBar *bar, int action);
    void UpdateAccessibleText();
    void AnnounceSelection();
    void TakePaletteColors();

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
    int m_commandDepth = 0;
    bool m_committing = false;
    std::function<void()> m_afterCommands;
    EPropDialogs m_dialogs = EPropDialogs::Standard();
};
