#include "EPropListCtrl.h"

#include "EPropPage.h"
#include "EProperty.h"
#include "ETextFit.h"
#include "IPropertyChangeListener.h"
#include "IPropertyHost.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace {
constexpr int kIndent = 13; // pixels per nesting level
}

EPropListCtrl::EPropListCtrl(QWidget *parent) : EPropWnd(parent)
{
    viewport()->setMouseTracking(true);
    // Every pixel is painted, so the background need not be erased first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
}

EPropListCtrl::~EPropListCtrl()
{
    DropSelection();
}

const std::vector<EProperty *> &EPropListCtrl::VisibleRows() const
{
    return m_visibleRows;
}

void EPropListCtrl::GetContentSize(int &width, int &height) const
{
    width = m_contentWidth;
    height = m_contentHeight;
}

void EPropListCtrl::SetHost(IPropertyHost *host)
{
    CommitEdit();
    DropSelection();
    const EPropPage *page = m_list->CurrentPage();
    const QString pageName = m_list->HasNamedPages() && page ? page->Name() : QString();
    StartNewList();
    m_host = host;
    if (m_host) {
        m_host->GetProperties(*m_list);
        int keep = 0;
        for (int i = 0; i < m_list->PageCount(); ++i)
            if (!pageName.isEmpty() && m_list->Page(i)->Name().compare(pageName, Qt::CaseInsensitive) == 0)
                keep = i;
        m_list->SetCurrentPage(keep);
        if (m_autoSizeNameColumn)
            AutoSizeNameColumn();
    }
    LayoutRows();
    Invalidate();
}

void EPropListCtrl::StartNewList()
{
    NoteRebuild();
    m_visibleRows.clear();
    if (InRowCommand()) {
        // A row's menu or dialog is still on the stack: its rows stay alive until the next rebuild.
        m_retiredLists.push_back(std::move(m_list));
        m_list = std::make_unique<EPropList>();
    } else {
        m_retiredLists.clear();
        m_list->Clear();
    }
}

void EPropListCtrl::Retire()
{
    EPropWnd::Retire();
    StartNewList();
    m_host = nullptr;
    LayoutRows();
    Invalidate();
}

void EPropListCtrl::Refresh()
{
    SetHost(m_host);
}

void EPropListCtrl::SetPage(int index)
{
    if (index == m_list->CurrentPageIndex())
        return;
    Select(nullptr);
    m_list->SetCurrentPage(index);
    LayoutRows();
    if (m_autoSizeNameColumn)
        AutoSizeNameColumn();
    Invalidate();
}

void EPropListCtrl::AutoSizeNameColumn()
{
    const QFontMetrics fm(PropFont());
    for (int i = 0; i < m_list->RowCount(); ++i) {
        QString name;
        m_list->Row(i)->GetName(name);
        m_nameColumnWidth = std::max(m_nameColumnWidth, fm.horizontalAdvance(name) + 20);
    }
    m_contentWidth = m_dividerWidth + m_nameColumnWidth + m_widestValue;
    UpdateScrollBars();
}

void EPropListCtrl::SetNameColumnWidth(int width)
{
    m_nameColumnWidth = std::max(0, width);
    m_contentWidth = m_dividerWidth + m_nameColumnWidth + m_widestValue;
    UpdateScrollBars();
    Invalidate();
}

void EPropListCtrl::LayoutRows()
{
    const QFontMetrics fm(PropFont());
    const int count = m_list->RowCount();
    m_visibleRows.clear();
    m_visibleRows.reserve(static_cast<size_t>(count));
    int y = 0;
    m_widestValue = 0;
    for (int i = 0; i < count; ++i) {
        EProperty *row = m_list->Row(i);
        row->SetHasChildren(false);
        if (i > 0 && m_list->Row(i - 1)->Level() < row->Level())
            m_list->Row(i - 1)->SetHasChildren(true);
        const int h = row->GetHeight(fm) + 2 * Margin();
        row->SetRect(QRect(0, y, 0, h));
        m_visibleRows.push_back(row);
        m_widestValue = std::max(m_widestValue, row->GetPreferredWidth(fm));
        y += h;
    }
    m_contentHeight = y;
    m_contentWidth = m_dividerWidth + m_nameColumnWidth + m_widestValue;
    UpdateScrollBars();
}

void EPropListCtrl::GetComment(QString &comment, QString &name)
{
    comment.clear();
    name.clear();
    if (!m_host)
        return;
    if (EProperty *row = Selected()) {
        row->GetComment(comment);
        row->GetName(name);
    } else {
        comment = m_list->Comment();
    }
}

// Index of the first visible row whose bottom lies below content y (rows are in y order).
int EPropListCtrl::FirstRowBelow(int y) const
{
    const auto it =
        std::upper_bound(m_visibleRows.begin(), m_visibleRows.end(), y, [](int value, const EProperty *row) {
            return value < row->Rect().y() + row->Rect().height();
        });
    return static_cast<int>(it - m_visibleRows.begin());
}

EProperty *EPropListCtrl::RowAt(QPoint client) const
{
    const int y = client.y() + ScrollOffset().y();
    const int index = FirstRowBelow(y);
    if (index >= static_cast<int>(m_visibleRows.size()))
        return nullptr;
    EProperty *row = m_visibleRows[static_cast<size_t>(index)];
    const QRect &r = row->Rect();
    return r.height() > 0 && y >= r.y() ? row : nullptr;
}

void EPropListCtrl::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    const QPoint offset = ScrollOffset();
    painter.translate(-offset);
    painter.setFont(PropFont());
    const QRect client(offset, viewport()->size());
    if (m_list->RowCount() == 0) {
        PaintEmptyPage(painter, client);
        PaintFocus(painter, client);
        return;
    }
    const int clientRight = client.x() + client.width();
    const int clientBottom = client.y() + client.height();
    int lastBottom = 0;
    for (size_t i = static_cast<size_t>(FirstRowBelow(client.y())); i < m_visibleRows.size(); ++i) {
        EProperty *row = m_visibleRows[i];
        if (row->Rect().y() >= clientBottom)
            break;
        PaintRow(painter, row, clientRight);
        lastBottom = row->Rect().y() + row->Rect().height();
    }
    const QColor face = FaceColor();
    m_dividerRect = QRect(m_nameColumnWidth, 0, m_dividerWidth, lastBottom);
    Draw3DFrame(painter, m_dividerRect, true, &face);
    if (m_contentHeight < clientBottom)
        Draw3DFrame(painter,
                    QRect(QPoint(client.x(), m_contentHeight), QPoint(clientRight - 1, clientBottom - 1)),
                    true, &face);
    PaintFocus(painter, client);
}

// The list itself has the keyboard focus (not an edit box of a row): a focus frame round the
// visible part, so that keyboard users see where they are.
void EPropListCtrl::PaintFocus(QPainter &painter, const QRect &client)
{
    if (!hasFocus())
        return;
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = client.adjusted(0, 0, -1, -1);
    focus.backgroundColor = ValueBackColor();
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
}

void EPropListCtrl::PaintEmptyPage(QPainter &painter, const QRect &client)
{
    const QColor face = FaceColor();
    Draw3DFrame(painter, client, true, &face);
    QString text = QStringLiteral("NO PROPERTIES");
    if (Listener())
        Listener()->GetEmptyText(text);
    painter.setPen(TextColorOn(face));
    painter.drawText(QRect(client.x(), client.y() + 10, client.width(), painter.fontMetrics().height()),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, text);
}

void EPropListCtrl::PaintRow(QPainter &painter, EProperty *row, int clientRight)
{
    const QRect r = row->Rect();
    const int top = r.y();
    const int height = r.height();
    const int indent = kIndent * row->Level();
    if (indent > 0)
        painter.fillRect(QRect(0, top, indent, height), FaceColor());
    if (m_nameColumnWidth > indent) {
        const QColor back = row->GetBackColor(this);
        Draw3DFrame(painter, QRect(indent, top, m_nameColumnWidth - indent, height), true, &back);
        QString name;
        row->GetName(name);
        const int nameLeft = Margin() + 4 + indent;
        const int nameWidth = std::max(m_nameColumnWidth - Margin() - 4 - nameLeft, 0);
        painter.setPen(TextColorOn(back));
        painter.drawText(QRect(nameLeft, top, nameWidth, height),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         ETextFit::Shorten(name, nameWidth, painter.fontMetrics()));
    }
    const int valueLeft = m_nameColumnWidth + m_dividerWidth;
    const QRect cell(valueLeft, top, std::max(clientRight - valueLeft, 0), height);
    Draw3DFrame(painter, cell, true, nullptr);
    const int m = Margin();
    row->SetRect(cell.adjusted(m, m, -m, -m));
    row->Draw(painter, this);
    row->SetRect(cell);
}

void EPropListCtrl::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason); // may commit and close an open edit first
    if (m_list->RowCount() == 0)
        return;
    const QPoint content = event->position().toPoint() + ScrollOffset();
    if (m_dividerRect.contains(content)) {
        m_dragStartWidth = m_nameColumnWidth;
        m_dragStartX = content.x();
        viewport()->setCursor(Qt::SplitHCursor);
        return;
    }
    EProperty *row = RowAt(event->position().toPoint());
    if (row && !row->IsSelectable())
        row = nullptr;
    Select(row);
    EnsureVisible(row);
    if (row && Selected() == row && row->OnLButtonDown(this, content.x(), content.y()))
        NotifyChanged();
    Invalidate();
}

void EPropListCtrl::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint content = event->position().toPoint() + ScrollOffset();
    if (m_dragStartX >= 0 && (event->buttons() & Qt::LeftButton)) {
        SetNameColumnWidth(m_dragStartWidth + (content.x() - m_dragStartX));
        viewport()->setCursor(Qt::SplitHCursor);
        return;
    }
    EndDrag();
    if (m_dividerRect.contains(content))
        viewport()->setCursor(Qt::SplitHCursor);
    else
        viewport()->unsetCursor();
}

void EPropListCtrl::mouseReleaseEvent(QMouseEvent *)
{
    EndDrag();
}

void EPropListCtrl::EndDrag()
{
    m_dragStartWidth = -1;
    m_dragStartX = -1;
}
