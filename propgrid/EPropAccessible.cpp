#include "EPropAccessible.h"

#include "EPropWnd.h"
#include "EProperty.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QScrollBar>
#include <QWindow>

#include <vector>

namespace {

// One row, by its place in the page. Rows are rebuilt at every refresh, so the item keeps only the
// window and the index, and looks the row up each time it is asked.
class RowAccessible : public QAccessibleInterface
{
public:
    RowAccessible(EPropWnd *wnd, int index) : m_wnd(wnd), m_index(index) {}

    bool isValid() const override { return Row() != nullptr; }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_wnd ? m_wnd->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_wnd); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *focusChild() const override { return nullptr; }
    void setText(QAccessible::Text, const QString &) override {}
    QAccessible::Role role() const override { return QAccessible::ListItem; }

    QString text(QAccessible::Text t) const override
    {
        const EProperty *row = Row();
        if (!row)
            return {};
        QString text;
        if (t == QAccessible::Name)
            row->GetName(text);
        else if (t == QAccessible::Value || t == QAccessible::Description)
            row->GetText(text);
        return text;
    }

    QRect rect() const override
    {
        const EProperty *row = Row();
        if (!row)
            return {};
        const QWidget *viewport = m_wnd->viewport();
        const QRect local(0, row->Rect().y() - m_wnd->ScrollOffset().y(), viewport->width(),
                          row->Rect().height());
        return QRect(viewport->mapToGlobal(local.topLeft()), local.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        const EProperty *row = Row();
        if (!row) {
            state.invalid = true;
            return state;
        }
        state.selectable = row->IsSelectable();
        state.focusable = row->IsSelectable();
        state.selected = row == m_wnd->Selected();
        state.focused = state.selected && m_wnd->hasFocus();
        state.disabled = !row->IsEnabled();
        state.readOnly = !row->IsEnabled();
        const QRect shown = m_wnd->viewport()->rect().translated(0, m_wnd->ScrollOffset().y());
        state.invisible = !m_wnd->isVisible() || !shown.intersects(row->Rect());
        state.offscreen = state.invisible;
        return state;
    }

private:
    const EProperty *Row() const
    {
        if (!m_wnd)
            return nullptr;
        const auto &rows = m_wnd->AccessibleRows();
        return m_index < static_cast<int>(rows.size()) ? rows[static_cast<std::size_t>(m_index)] : nullptr;
    }

    QPointer<EPropWnd> m_wnd;
    int m_index;
};

// The list window: its rows first, then its own child widgets (the viewport with the in-place
// edit box, the scroll bars) as a plain widget shows them.
class ListAccessible : public QAccessibleWidget
{
public:
    explicit ListAccessible(EPropWnd *wnd) : QAccessibleWidget(wnd, QAccessible::List) {}
    ~ListAccessible() override
    {
        for (QAccessible::Id id : m_rowIds)
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return RowCount() + QAccessibleWidget::childCount(); }

    QAccessibleInterface *child(int index) const override
    {
        if (index < 0)
            return nullptr;
        if (index >= RowCount())
            return QAccessibleWidget::child(index - RowCount());
        while (static_cast<int>(m_rowIds.size()) <= index)
            m_rowIds.push_back(QAccessible::registerAccessibleInterface(
                new RowAccessible(Wnd(), static_cast<int>(m_rowIds.size()))));
        return QAccessible::accessibleInterface(m_rowIds[static_cast<std::size_t>(index)]);
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        for (std::size_t i = 0; i < m_rowIds.size() && static_cast<int>(i) < RowCount(); ++i)
            if (QAccessible::accessibleInterface(m_rowIds[i]) == child)
                return static_cast<int>(i);
        const int own = QAccessibleWidget::indexOfChild(child);
        return own < 0 ? -1 : own + RowCount();
    }

    QAccessibleInterface *focusChild() const override
    {
        if (Wnd()->hasFocus()) {
            const int selected = SelectedIndex();
            return selected < 0 ? nullptr : child(selected);
        }
        return QAccessibleWidget::focusChild();
    }

    // The selected row as "name: value", for readers that only ask the list.
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value) {
            const EProperty *row = Wnd()->Selected();
            if (!row)
                return {};
            QString value;
            row->GetText(value);
            return row->Name() + QStringLiteral(": ") + value;
        }
        return QAccessibleWidget::text(t);
    }

private:
    EPropWnd *Wnd() const { return static_cast<EPropWnd *>(widget()); }
    int RowCount() const { return static_cast<int>(Wnd()->AccessibleRows().size()); }
    int SelectedIndex() const
    {
        const auto &rows = Wnd()->AccessibleRows();
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i] == Wnd()->Selected())
                return static_cast<int>(i);
        return -1;
    }

    mutable std::vector<QAccessible::Id> m_rowIds;
};

} // namespace

namespace EPropAccessible {

QAccessibleInterface *Factory(const QString &className, QObject *object)
{
    auto *wnd = qobject_cast<EPropWnd *>(object);
    return wnd && className == QLatin1String("EPropWnd") ? new ListAccessible(wnd) : nullptr;
}

void Install()
{
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace EPropAccessible
