#include "CDlgStatusBar.h"

#include "CProgressBar.h"

#include <QLabel>

#include <algorithm>

CDlgStatusBar::CDlgStatusBar(QWidget *parent) : QStatusBar(parent)
{
    setObjectName(QString::number(kId));
    setSizeGripEnabled(false);
}

CDlgStatusBar::~CDlgStatusBar()
{
    // A progress bar restores its pane when it goes; let it do so while the panes still exist.
    const auto bars = findChildren<CProgressBar *>(Qt::FindDirectChildrenOnly);
    qDeleteAll(bars);
}

bool CDlgStatusBar::SetIndicators(const std::vector<int> &ids)
{
    if (ids.empty())
        return false;
    for (const PaneInfo &pane : m_panes)
        delete pane.label;
    m_panes.clear();
    for (int id : ids) {
        auto *label = new QLabel(this);
        label->setObjectName(QString::number(id));
        label->setTextFormat(Qt::PlainText);
        // Sunken panes with a little room inside, so neighbouring texts never run together.
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setContentsMargins(3, 0, 3, 0);
        addWidget(label, m_panes.empty() ? 1 : 0);
        m_panes.push_back({id, label, 0});
    }
    return true;
}

int CDlgStatusBar::CommandToIndex(int id) const
{
    for (std::size_t i = 0; i < m_panes.size(); ++i)
        if (m_panes[i].id == id)
            return static_cast<int>(i);
    return -1;
}

int CDlgStatusBar::PaneId(int index) const
{
    return Pane(index) ? m_panes[static_cast<std::size_t>(index)].id : 0;
}

QLabel *CDlgStatusBar::Pane(int index) const
{
    if (index < 0 || index >= PaneCount())
        return nullptr;
    return m_panes[static_cast<std::size_t>(index)].label;
}

void CDlgStatusBar::SetPaneText(int index, const QString &text)
{
    // Setting an unchanged text would repaint and wake the idle loop again for nothing.
    QLabel *label = Pane(index);
    if (!label || label->text() == text)
        return;
    label->setText(text);
    FitPaneToText(m_panes[static_cast<std::size_t>(index)]);
}

// A fixed minimum would cut a long text (a device path in the port pane); the pane grows to show it
// and goes back to the width asked for when the text is short again.
void CDlgStatusBar::FitPaneToText(PaneInfo &pane)
{
    // Measured from the text itself: a label's size hint already includes the minimum set here.
    const QMargins margins = pane.label->contentsMargins();
    const int needed = pane.label->fontMetrics().horizontalAdvance(pane.label->text()) + margins.left() +
                       margins.right() + 2 * pane.label->frameWidth() + 2;
    const int width = std::max(pane.width, needed);
    if (pane.label->minimumWidth() == width)
        return;
    pane.label->setMinimumWidth(width);
    // The status bar lays its widgets out again only when its height changes; ask for it.
    reformat();
}

QString CDlgStatusBar::PaneText(int index) const
{
    const QLabel *label = Pane(index);
    return label ? label->text() : QString();
}

void CDlgStatusBar::SetPaneWidth(int index, int width)
{
    if (!Pane(index))
        return;
    PaneInfo &pane = m_panes[static_cast<std::size_t>(index)];
    pane.width = width;
    FitPaneToText(pane);
}

void CDlgStatusBar::SetPaneStretch(int index, bool stretch)
{
    QLabel *label = Pane(index);
    if (!label)
        return;
    removeWidget(label);
    insertWidget(index, label, stretch ? 1 : 0);
    label->show();
}

QRect CDlgStatusBar::PaneRect(int index) const
{
    const QLabel *label = Pane(index);
    return label ? label->geometry() : QRect();
}

void CDlgStatusBar::SetPaneUpdate(int id, TextUpdate update)
{
    m_updates[id] = std::move(update);
}

void CDlgStatusBar::OnIdleUpdate()
{
    if (!isVisible() || !parentWidget())
        return;
    for (std::size_t i = 0; i < m_panes.size(); ++i) {
        auto it = m_updates.find(m_panes[i].id);
        if (it != m_updates.end() && it->second)
            SetPaneText(static_cast<int>(i), it->second());
    }
}
