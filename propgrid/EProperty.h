#pragma once

#include <QColor>
#include <QRect>
#include <QString>

class EPropWnd;
class IPropertyHost;
class QFontMetrics;
class QPainter;

// One row of the grid. A row never holds a value of its own: it points at a variable of its host,
// reads it to show it and writes it only after the host's PropertyChanging approved the new value.
class EProperty
{
public:
    // The colour of a selected row's name cell and of separators.
    static QColor HighlightColor() { return QColor(255, 159, 113); }

    EProperty(IPropertyHost *host, const QString &name, void *value, bool enabled);
    virtual ~EProperty();
    EProperty(const EProperty &) = delete;
    EProperty &operator=(const EProperty &) = delete;

    // A click on the row's "..." button or a choice of its menu; true when the value changed.
    virtual bool OnCommand(EPropWnd *wnd, int id, int param);
    virtual void GetName(QString &name) const;
    virtual int GetPreferredWidth(const QFontMetrics &fm) const;
    virtual int GetDefaultHeight() const;
    virtual int GetHeight(const QFontMetrics &fm) const;
    // Paints the value cell (the row rectangle, already inset by the list's margin).
    virtual void Draw(QPainter &painter, EPropWnd *wnd);
    virtual void BeginEdit(EPropWnd *wnd);
    // Takes the in-place text as the new value; true when the value changed.
    virtual bool CommitEdit();
    virtual void EndEdit();
    // A click (content coordinates) that selected the row; true when the value changed.
    virtual bool OnLButtonDown(EPropWnd *wnd, int x, int y);
    virtual bool IsEnabled() const;
    virtual bool IsSelectable() const;
    virtual QColor GetBackColor(const EPropWnd *wnd) const;
    virtual bool GetNumber(double &number) const;
    virtual void GetText(QString &text) const;
    virtual bool IsGreaterThan(const EProperty *other) const;
    // The space bar on the selected row; true when the value changed.
    virtual bool Toggle();
    EProperty *SetComment(const QString &comment);
    virtual void GetComment(QString &comment) const;

    QString Name() const { return m_name; }
    bool IsSelected() const { return m_selected; }
    IPropertyHost *Host() const { return m_host; }
    IPropertyHost *ParentHost() const { return m_parentHost; }
    void SetParentHost(IPropertyHost *host) { m_parentHost = host; }
    const QRect &Rect() const { return m_rect; }
    void SetRect(const QRect &rect) { m_rect = rect; }
    void *Value() const { return m_value; }
    int Level() const { return m_level; }
    void SetLevel(int level) { m_level = level; }
    bool IsExpanded() const { return m_expanded; }
    bool HasChildren() const { return m_hasChildren; }
    void SetHasChildren(bool has) { m_hasChildren = has; }

protected:
    void SetSelected(bool selected) { m_selected = selected; }
    // Asks the host about `candidate` for this row's variable; true when approved.
    bool AskHost(const void *candidate) const;
    // The common store step: offers `candidate` to the host and copies it in when approved.
    template <typename T> bool Store(const T &candidate)
    {
        if (!AskHost(&candidate))
            return false;
        *static_cast<T *>(m_value) = candidate;
        return true;
    }

private:
    QString m_name;
    bool m_enabled;
    bool m_selected = false;
    IPropertyHost *m_host;
    IPropertyHost *m_parentHost = nullptr;
    QRect m_rect;
    void *m_value;
    int m_level = 0;
    bool m_expanded = false;
    bool m_hasChildren = false;
    QString m_comment;
};
