#include "CColorListBox.h"

#include "CColorLineDelegate.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <algorithm>

namespace {
// Enough for the few texts of a flood; beyond it the cache starts again.
constexpr qsizetype kMaxCachedWidths = 256;
// Showing new lines repaints the whole list (frame and scroll bars included): 30 times a second
// reads as continuous scrolling and costs half of following a 60 Hz screen.
constexpr qint64 kShowPeriodMs = 33;
} // namespace

CColorListBox::CColorListBox(QWidget *parent) : QListView(parent), m_lines(new CColorLineModel(this))
{
    m_lines->SetMeasure([this](const QString &text) { return MeasureLine(text); });
    m_showTimer.setSingleShot(true);
    connect(&m_showTimer, &QTimer::timeout, this, &CColorListBox::ShowPendingLines);
    setModel(m_lines);
    setItemDelegate(new CColorLineDelegate(this));
    setUniformItemSizes(true);
    // Several lines may be selected, to be copied together.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
}

int CColorListBox::AddColoredString(const QString &text, const QColor &color)
{
    m_lines->Append(text, color);
    if (!m_showTimer.isActive()) {
        const qint64 wait = m_sinceShown.isValid() ? kShowPeriodMs - m_sinceShown.elapsed() : 0;
        m_showTimer.start(static_cast<int>(std::clamp<qint64>(wait, 0, kShowPeriodMs)));
    }
    return m_lines->Count() - 1;
}

void CColorListBox::ShowPendingLines()
{
    m_showTimer.stop();
    if (!m_lines->HasPending())
        return;
    m_sinceShown.start();
    if (m_lines->Commit() == 0)
        return;
    // The newest line becomes current, with no line selected, and is scrolled to.
    const QModelIndex last = m_lines->index(m_lines->rowCount() - 1);
    selectionModel()->setCurrentIndex(last, QItemSelectionModel::Clear);
    scrollToBottom();
}

QString CColorListBox::SelectedText() const
{
    QModelIndexList selected = selectionModel()->selectedRows();
    std::sort(selected.begin(), selected.end(),
              [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    QStringList lines;
    for (const QModelIndex &index : selected)
        lines << index.data().toString();
    return lines.join(u'\n');
}

bool CColorListBox::CopySelection()
{
    if (!selectionModel()->hasSelection())
        return false;
    QGuiApplication::clipboard()->setText(SelectedText());
    return true;
}

void CColorListBox::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        CopySelection();
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

void CColorListBox::clear()
{
    m_lines->Clear();
}

int CColorListBox::MeasureLine(const QString &text)
{
    const auto cached = m_widths.constFind(text);
    if (cached != m_widths.cend())
        return *cached;
    if (m_widths.size() >= kMaxCachedWidths)
        m_widths.clear();
    const int width = fontMetrics().horizontalAdvance(text);
    m_widths.insert(text, width);
    return width;
}

void CColorListBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton)
        clear();
    QListView::mouseDoubleClickEvent(event);
}

void CColorListBox::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange) {
        m_widths.clear();
        m_lines->RemeasureAll();
    }
    QListView::changeEvent(event);
}

void CColorListBox::paintEvent(QPaintEvent *event)
{
    QListView::paintEvent(event);
    // An empty list shows that it has the focus too, or keyboard users lose track of it.
    if (!hasFocus() || model()->rowCount() > 0)
        return;
    QPainter painter(viewport());
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = viewport()->rect().adjusted(1, 1, -1, -1);
    focus.backgroundColor = palette().color(QPalette::Base);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
}

// Only the keyboard opens the menu: a right click must stay free for the double-click that empties
// the list.
void CColorListBox::contextMenuEvent(QContextMenuEvent *event)
{
    if (event->reason() != QContextMenuEvent::Keyboard || actions().isEmpty()) {
        event->ignore();
        return;
    }
    QMenu::exec(actions(), event->globalPos(), nullptr, this);
}
